// Message numbers of the main window that the device list and the device objects use.
#pragma once

#include <cstdint>

namespace v38 {

// Sent by the capture thread; wParam is the row of the working interface table.
constexpr uint32_t kMsgDeviceArrived = 3090;
constexpr uint32_t kMsgDeviceRemoved = 3091;
// Entry visibility: wParam the kind index, lParam 1 show, 0 hide.
constexpr uint32_t kMsgEntryVisibility = 3331;
// Posted by a device's worker thread to have one of its entry's timers started (the threads may not
// touch the window's timers): wParam the kind index of the entry, lParam timer id << 16 | delay in ms.
constexpr uint32_t kMsgStartEntryTimer = 3332;
// Stand-in number of the registered instance message, for windows that do not register their own.
constexpr uint32_t kMsgAppInstanceDefault = 0xC000;

} // namespace v38

// Window messages: the numbers the window code handles, and one message as the hook sees it.
#pragma once

#include <QVariant>

namespace v38 {

struct WindowMessage {
    unsigned id = 0;
    qintptr wParam = 0;
    qintptr lParam = 0;
    // Payload of messages that carry more than two numbers (a menu item name, a copy-data block).
    QVariant data;
};

// The platform's message numbers keep their values so the message tables read as documented.
namespace msg {
constexpr unsigned kDestroy = 0x0002;
constexpr unsigned kActivate = 0x0006;
constexpr unsigned kClose = 0x0010;
constexpr unsigned kCopyData = 0x004A;
constexpr unsigned kDisplayChange = 0x007E;
constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kSysKeyDown = 0x0104;
constexpr unsigned kSysCommand = 0x0112;
constexpr unsigned kTimer = 0x0113;
constexpr unsigned kLButtonUp = 0x0202;
constexpr unsigned kRButtonUp = 0x0205;
constexpr unsigned kPowerBroadcast = 0x0218;
constexpr unsigned kMouseHover = 0x02A1;
constexpr unsigned kMouseLeave = 0x02A3;
constexpr unsigned kDpiChanged = 0x02E0;

// System commands (wParam of kSysCommand).
constexpr qintptr kScMinimize = 0xF020;
constexpr qintptr kScMaximize = 0xF030;
constexpr qintptr kScClose = 0xF060;
constexpr qintptr kScRestore = 0xF120;

// Power broadcast events (wParam of kPowerBroadcast).
constexpr qintptr kPbtSuspend = 4;
constexpr qintptr kPbtResumeAutomatic = 18;
} // namespace msg

} // namespace v38

// Messages named by strings, the program's protocol with other processes. A string gets a number
// once per process (from 0xC000 up, like the platform's registered messages); between processes
// the string travels, so peers need only agree on the strings.
#pragma once

#include <QString>

#include <array>

namespace v38 {

// The number of a message string; equal strings give equal numbers within the process.
unsigned registerWindowMessage(const QString& name);
// The number of a string registered before, or 0: names from other processes never add entries.
unsigned lookupWindowMessage(const QString& name);
// The string of a registered number, or an empty string.
QString registeredMessageName(unsigned number);

inline const QString kAppInstanceMessage = QStringLiteral("V38 Device");
inline const QString kUpdateRelayMessage = QStringLiteral("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
inline const QString kLightStateMessage = QStringLiteral("{4695579F-999A-41d4-9FAF-EFFCE93EBF16}");
inline const QString kLightControlMessage = QStringLiteral("{4695579F-999A-41d4-9FAF-EFFCE93EBF17}");
inline const QString kDeviceReportMessage = QStringLiteral("{4695579F-999A-41d4-9FAF-EFFCE93EBF18}");
inline const QString kAudioRecordMessage = QStringLiteral("{4695579F-999A-41d4-9FAF-EFFCE93EBE19}");

// The hook messages: the first eight recording messages go to the macro panel.
constexpr std::array<const char*, 19> kHookMessageNames{
    "WM_HOOK_KEY_SINGLEKEY_MSG",       "WM_HOOK_KEY_HITKEY_MSG",        "WM_HOOK_KEY_KBMACRO_MSG",
    "WM_HOOK_KEY_MSMACRO_MSG",         "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_KBMACROLATER_MSG",    "WM_HOOK_MOU_SINGLEKEY_MSG",     "WM_HOOK_MOU_HITKEY_MSG",
    "WM_HOOK_MOU_KBMACRO_MSG",         "WM_HOOK_MOU_MSMACRO_MSG",       "WM_HOOK_KEY_MSMACROSINGLE_MSG",
    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG",  "UWM_MOUSERBUTTONDOWN_USER_MSG",
    "UWM_MOUSELBUTTONUP_USER_MSG",     "UWM_MOUSELBUTTONDOWN_USER_MSG", "UWM_MOUSERBUTTONUP_USER_MSG",
    "UWM_MOUSEMOVE_USER_MSG"};
constexpr std::array<const char*, 4> kGameMessageNames{"Game_Start", "Game_End", "Game_Kill", "Game_Death"};

// The numbers every module reads after start-up registered them.
struct AppMessages {
    unsigned appInstance = 0;
    unsigned updateRelay = 0;
    unsigned lightState = 0;
    unsigned lightControl = 0;
    unsigned deviceReport = 0;
    unsigned audioRecord = 0;
    std::array<unsigned, kHookMessageNames.size()> hook{};
    std::array<unsigned, kGameMessageNames.size()> game{};

    unsigned hookMessage(const char* name) const;
};

// Registers group A (instance message first) and group B; idempotent.
const AppMessages& registerAppMessages();

} // namespace v38

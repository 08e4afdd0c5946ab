// The desktop's own keyboard and mouse settings, opened from the device column when the desktop has a
// settings program for them.
#pragma once

#include <QStringList>

#include <functional>

namespace v38 {

constexpr int kKeyboardSettings = 0;
constexpr int kMouseSettings = 1;

// The command line (program first) for the keyboard (0) or mouse (1) settings, or empty when no known
// settings program is present or which is neither. findProgram returns a program's path or "".
QStringList desktopSettingsCommand(int which, const std::function<QString(const QString&)>& findProgram);

// Starts it without waiting; false when there is nothing to start.
bool openDesktopSettings(int which);

} // namespace v38

#include "gui/app/desktop_settings.h"

#include <QProcess>
#include <QStandardPaths>

namespace v38 {

namespace {
struct SettingsProgram {
    const char* program;
    const char* keyboardArgument;
    const char* mouseArgument;
};

// In order of preference; an empty argument means a program of its own for that page.
constexpr SettingsProgram kPrograms[] = {
    {"gnome-control-center", "keyboard", "mouse"},
    {"systemsettings", "kcm_keyboard", "kcm_mouse"},
    {"systemsettings5", "kcm_keyboard", "kcm_mouse"},
    {"cinnamon-settings", "keyboard", "mouse"},
    {"mate-keyboard-properties", "", nullptr},
    {"mate-mouse-properties", nullptr, ""},
    {"xfce4-keyboard-settings", "", nullptr},
    {"xfce4-mouse-settings", nullptr, ""},
    {"lxqt-config-input", "", ""},
};
} // namespace

QStringList desktopSettingsCommand(int which, const std::function<QString(const QString&)>& findProgram) {
    if (which != kKeyboardSettings && which != kMouseSettings)
        return {};
    for (const SettingsProgram& candidate : kPrograms) {
        const char* argument =
            which == kKeyboardSettings ? candidate.keyboardArgument : candidate.mouseArgument;
        if (!argument)
            continue;
        const QString path = findProgram(QString::fromLatin1(candidate.program));
        if (path.isEmpty())
            continue;
        QStringList command{path};
        if (*argument)
            command << QString::fromLatin1(argument);
        return command;
    }
    return {};
}

bool openDesktopSettings(int which) {
    const QStringList command = desktopSettingsCommand(
        which, [](const QString& name) { return QStandardPaths::findExecutable(name); });
    if (command.isEmpty())
        return false;
    return QProcess::startDetached(command.first(), command.mid(1));
}

} // namespace v38

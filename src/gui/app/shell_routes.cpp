// Routes of the shell: the title bar, the window's own buttons, the device list's navigation, the
// system settings shortcuts, the DPI test fields and the tray menu.
#include "gui/app/main_wnd.h"
#include "gui/app/notify_router.h"

#include <QLineEdit>
#include <QSlider>

#include <algorithm>

namespace v38 {

namespace {
constexpr int kPexalDpiMin = 200;
constexpr int kPexalDpiMax = 6500;

void closeButton(CMainWnd& w, const Notification&, int) {
    // The base's click handling closes the window afterwards, which ends the program.
    w.hideToTray();
}
void minimizeButton(CMainWnd& w, const Notification&, int) {
    w.sendMessage(msg::kSysCommand, msg::kScMinimize);
}
void maximizeButton(CMainWnd& w, const Notification&, int) {
    w.sendMessage(msg::kSysCommand, msg::kScMaximize);
}
void restoreButton(CMainWnd& w, const Notification&, int) {
    w.sendMessage(msg::kSysCommand, msg::kScRestore);
}
void skinButton(CMainWnd& w, const Notification& n, int) {
    if (w.subsystems.openSkinFrame)
        w.subsystems.openSkinFrame(n.sender);
}
void settingsButton(CMainWnd& w, const Notification&, int) {
    if (w.subsystems.openSettingsWindow)
        w.subsystems.openSettingsWindow();
}
void noDeviceOk(CMainWnd& w, const Notification&, int) {
    w.hide();
}
void lightControlSwitch(CMainWnd& w, const Notification&, int) {
    w.toggleLightControl();
}
void deviceSelected(CMainWnd& w, const Notification& n, int) {
    if (w.deviceList.entrySelected)
        w.deviceList.entrySelected(n.sender);
}
void devicePrevious(CMainWnd& w, const Notification&, int) {
    if (w.deviceList.scrollEntries)
        w.deviceList.scrollEntries(-1);
}
void deviceNext(CMainWnd& w, const Notification&, int) {
    if (w.deviceList.scrollEntries)
        w.deviceList.scrollEntries(1);
}
void systemSettings(CMainWnd& w, const Notification&, int index) {
    w.openSystemSettings(index);
}

// The DPI test fields: the slider writes its value into the edit while moving; the edit, on losing
// the focus, clamps what was typed and moves the slider.
void pexalSliderMoving(CMainWnd& w, const Notification& n, int index) {
    auto* slider = qobject_cast<QSlider*>(n.sender.data());
    auto* edit = w.findControlAs<QLineEdit>(QStringLiteral("pexal_DPI_edit_%1").arg(index));
    if (slider && edit)
        edit->setText(QString::number(slider->value()));
}
void pexalEditDone(CMainWnd& w, const Notification& n, int index) {
    auto* edit = qobject_cast<QLineEdit*>(n.sender.data());
    if (!edit)
        return;
    const int value = std::clamp(edit->text().trimmed().toInt(), kPexalDpiMin, kPexalDpiMax);
    edit->setText(QString::number(value));
    if (auto* slider = w.findControlAs<QSlider>(QStringLiteral("pexal_DPI_slider_%1").arg(index)))
        slider->setValue(value);
}

void aboutMenu(CMainWnd& w) {
    w.openAboutWindow();
}
void settingsMenu(CMainWnd& w) {
    if (w.subsystems.openSettingsWindow)
        w.subsystems.openSettingsWindow();
}

constexpr NotifyRoute kShellRoutes[] = {
    {"click", "closebtn", RouteMatch::TitleBar, closeButton},
    {"click", "minbtn", RouteMatch::TitleBar, minimizeButton},
    {"click", "maxbtn", RouteMatch::TitleBar, maximizeButton},
    {"click", "restorebtn", RouteMatch::TitleBar, restoreButton},
    {"click", "skinbtn", RouteMatch::TitleBar, skinButton},
    {"click", "setbtn", RouteMatch::TitleBar, settingsButton},
    {"click", "nodevice_ok_btn", RouteMatch::Plain, noDeviceOk},
    {"click", "control_light_status", RouteMatch::Plain, lightControlSwitch},
    {"click", "device_select_prev", RouteMatch::Plain, devicePrevious},
    {"click", "device_select_next", RouteMatch::Plain, deviceNext},
    {"click", "windowdeviceset_", RouteMatch::Indexed, systemSettings},
    {"selectchanged", "device_select", RouteMatch::Plain, deviceSelected},
    {"movevaluechanged", "pexal_DPI_slider_", RouteMatch::Indexed, pexalSliderMoving},
    {"killfocus", "pexal_DPI_edit_", RouteMatch::Indexed, pexalEditDone},
};

constexpr MenuRoute kShellMenuRoutes[] = {
    {"about_menu", aboutMenu},
    {"setwnd_menu", settingsMenu},
};
} // namespace

void addShellRoutes(NotifyRouter& router) {
    router.addRoutes(kShellRoutes);
    router.addMenuRoutes(kShellMenuRoutes);
}

} // namespace v38

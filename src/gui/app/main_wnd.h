// CMainWnd: the application's one top-level window ("XML_MAIN"). It owns the worker slots, the tray
// icon and the secondary windows, handles the window messages and routes notifications.
#pragma once

#include "core/platform/message_sink.h"
#include "gui/app/font_table.h"
#include "gui/app/language_list.h"
#include "gui/app/language_settings.h"
#include "gui/app/main_wnd_hooks.h"
#include "gui/app/notify_router.h"
#include "gui/app/registered_messages.h"
#include "gui/app/worker_slots.h"
#include "gui/ui/window_base.h"

#include <QPointer>

#include <memory>
#include <vector>

class QMenu;
class QSystemTrayIcon;

namespace v38 {

class MessageBus;
class ShellDevice;
class WindowMessageSink;

// Window messages of the main window that are plain numbers.
namespace mainmsg {
constexpr unsigned kTray = 1025;
constexpr unsigned kKeyboardHook = 1054;
constexpr unsigned kMenuCommand = 1145;
constexpr unsigned kDpiNotice = 1224;
constexpr unsigned kShowProgress = 3072;
constexpr unsigned kLanguage = 3089;
constexpr unsigned kDeviceArrived = 3090;
constexpr unsigned kDeviceRemoved = 3091;
constexpr unsigned kOpenSettings = 3093;
constexpr unsigned kClearUpdateMark = 3094;
constexpr unsigned kEntryVisibility = 3331;
} // namespace mainmsg

namespace mainTimer {
constexpr int kLayout = 1011;
constexpr int kTrayMenu = 1032;
constexpr int kApplyProfile = 1055;
constexpr int kGameLighting = 1066;
} // namespace mainTimer

class CMainWnd : public WindowBase {
    Q_OBJECT
public:
    // bus may be null (no session bus).
    CMainWnd(MessageBus* bus, LanguageSettings settings, QWidget* parent = nullptr);
    ~CMainWnd() override;

    QString windowClassName() const override { return QStringLiteral("MainWnd"); }
    static QString skinFile() { return QStringLiteral("XML_MAIN"); }

    // Builds the layout, runs InitWindow, sizes (800 x 572) and centres the window.
    bool create();

    DeviceListHooks deviceList;
    SubsystemHooks subsystems;
    void addShellDevice(ShellDevice* device);
    void removeShellDevice(ShellDevice* device);

    // --- state
    int currentLanguage() const { return m_language; }
    int lightControl() const { return m_lightControl; }
    int windowDpi() const { return m_windowDpi; }
    bool initDone() const { return m_initDone; }
    bool activeState() const { return m_activeState; }
    const FontTable& fonts() const { return m_fonts; }
    WorkerSlots& workers() { return m_workers; }
    MessageSink& messageSink();
    const AppMessages& messages() const { return m_messages; }
    QWidget* titleBarControl(const QString& name) const;
    QSystemTrayIcon* trayIcon() const { return m_tray; }

    // --- operations for the routes and the message handlers
    void windowInitSequence();
    void runWindowLayout();
    void onRootSized();
    void applyLanguage(int index);
    void toggleLightControl();
    void setLightControlState(int on);
    void closeSecondaryWindows();
    void hideToTray();
    void bringToFront();
    void toggleFromTray();
    void refreshNoDeviceNotice();
    void openAboutWindow();
    void openSystemSettings(int which);
    // The text of an id in the current language, through the hidden "str_test" label.
    QString localizedText(const QString& textId);
    int showMessageBox(const QString& textId, int buttons);
    void broadcastWindowHidden(int hidden);
    void broadcastLightControl(int on);
    void broadcastWindowForeground(int foreground);

    // Renders the window to a PNG once it is laid out, then ends the program (exit code 1 on failure).
    void setScreenshotPath(const QString& path) { m_screenshotPath = path; }
    int exitCode() const { return m_exitCode; }

    // Message routes by name (the menu command message and the notification routes).
    const NotifyRouter& router() const { return m_router; }

private slots:
    // logind's PrepareForSleep: true before suspend, false after resume.
    void onPrepareForSleep(bool start);

protected:
    void notify(const Notification& notification) override;
    qintptr handleMessage(const WindowMessage& message, bool& handled) override;
    QWidget* createControl(const QString& className, QWidget* parent) override;

private:
    void initWindow();
    void onTimer(int id);
    void showTrayMenu();
    void onMenuCommand(const QString& item);
    void shutdown();
    void takeScreenshot();
    void connectBus();
    void connectSystemSignals();
    void sendToolReport();
    bool handleAlways(const WindowMessage& message, qintptr& result);
    bool handleWhileActive(const WindowMessage& message, qintptr& result);

    MessageBus* m_bus;
    LanguageSettings m_settings;
    const AppMessages& m_messages;
    NotifyRouter m_router;
    FontTable m_fonts;
    WorkerSlots m_workers;
    std::unique_ptr<WindowMessageSink> m_sink;
    std::vector<ShellDevice*> m_devices;

    int m_language = -1;
    int m_lightControl = 1;
    int m_windowDpi = 96;
    bool m_displayChanged = false;
    bool m_windowActive = false;
    bool m_windowForeground = false;
    bool m_activeState = true;
    bool m_initDone = false;
    bool m_showAfterFirstLayout = false;
    bool m_shutDown = false;
    int m_screenWidth = 0;
    int m_screenHeight = 0;

    QHash<QString, QPointer<QWidget>> m_titleBar;
    QSystemTrayIcon* m_tray = nullptr;
    QPointer<QMenu> m_trayMenu;
    QPointer<WindowBase> m_setWnd;
    QPointer<WindowBase> m_aboutWnd;
    QPointer<WindowBase> m_paletteWnd;
    QPointer<WindowBase> m_musicWnd;

    QString m_screenshotPath;
    int m_exitCode = 0;
};

} // namespace v38

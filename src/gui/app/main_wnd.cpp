#include "gui/app/main_wnd.h"

#include "core/platform/debug_log.h"
#include "gui/app/about_wnd.h"
#include "gui/app/desktop_settings.h"
#include "gui/app/message_bus.h"
#include "gui/app/msg_wnd.h"
#include "gui/app/shell_device.h"
#include "gui/app/tool_report.h"
#include "gui/app/window_layout.h"
#include "gui/app/window_message_sink.h"
#include "gui/ui/language_texts.h"
#include "gui/ui/menu_file.h"
#include "gui/ui/resource_paths.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

namespace v38 {

namespace {
const char* const kTitleBarNames[] = {"closebtn",    "maxbtn",   "restorebtn",   "minbtn", "skinbtn",
                                      "gamemodebtn", "cloudbtn", "smarteyesbtn", "setbtn"};

// Class names of the layouts that a later subsystem builds as a sub-layout, and their files.
struct SubLayout {
    const char* className;
    const char* layout;
};
constexpr SubLayout kSubLayouts[] = {
    {"DeviceProfileUI", "XML\\CustomControlXML\\DeviceProfile.xml"},
    {"LightSetControlUI", "XML\\CustomControlXML\\LightControl.xml"},
    {"Voice6533SetControlUI", "XML\\CustomControlXML\\Voice6533Control.xml"},
    {"MagicSetControlUI", "XML\\CustomControlXML\\MagicControl.xml"},
    {"KeySetControlUI", "XML\\CustomControlXML\\KeySetControl.xml"},
    {"MacroSetControlUI", "XML\\CustomControlXML\\MacroControl.xml"},
    {"ShootKeySetControlUI", "XML\\CustomControlXML\\ShootControl.xml"},
    {"VirtualSetControlUI", "XML\\CustomControlXML\\VirtualSet.xml"},
};

const QString kLightOnText = QStringLiteral("控制灯光");
const QString kLightOffText = QStringLiteral("不控制灯光");

void repolish(QWidget* widget) {
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}
} // namespace

CMainWnd::CMainWnd(MessageBus* bus, LanguageSettings settings, QWidget* parent)
    : WindowBase(parent), m_bus(bus), m_settings(std::move(settings)), m_messages(registerAppMessages()) {
    m_sink = std::make_unique<WindowMessageSink>(this);
    setWindowTitle("V38");
    setWindowIcon(QIcon(skinDir() + "/icons/app_icon.svg"));
    connectBus();
}

CMainWnd::~CMainWnd() {
    WindowBase::setFontApplier({});
    shutdown();
    delete m_trayMenu;
}

MessageSink& CMainWnd::messageSink() {
    return *m_sink;
}

bool CMainWnd::create() {
    if (!loadLayout(skinFile()))
        return false;
    initWindow();
    connectSystemSignals();
    resize(kCreateWidth, kCreateHeight);
    centerWindow();
    return true;
}

QWidget* CMainWnd::createControl(const QString& className, QWidget* parent) {
    // Program controls and device panels register here as their subsystems arrive.
    for (const SubLayout& sub : kSubLayouts)
        if (className.compare(QLatin1String(sub.className), Qt::CaseInsensitive) == 0)
            return loadSubLayout(QLatin1String(sub.layout), parent);
    return nullptr;
}

void CMainWnd::initWindow() {
    debugOutput("InitWindow");
    LanguageTexts::current().load(skinDir() + "/lan_cn.xml");
    reloadTexts();
    // The skin frame's receiver registers here when the skin frame arrives.
    for (const char* name : kTitleBarNames)
        m_titleBar.insert(QLatin1String(name), findControl(QLatin1String(name)));
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip("V38");
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            postMessage(mainmsg::kTray, 0, msg::kLButtonUp);
        else if (reason == QSystemTrayIcon::Context)
            postMessage(mainmsg::kTray, 0, msg::kRButtonUp);
    });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
    if (auto* version = findControlAs<QLabel>("version_label"))
        version->setText(QStringLiteral("V38 Device %1").arg(QStringLiteral(V38_VERSION)));
}

QWidget* CMainWnd::titleBarControl(const QString& name) const {
    return m_titleBar.value(name.toLower()).data();
}

void CMainWnd::connectBus() {
    if (!m_bus)
        return;
    connect(m_bus, &MessageBus::messageReceived, this, [this](const QString& name, qint64 w, qint64 l) {
        const unsigned number = lookupWindowMessage(name);
        if (number)
            postMessage(number, static_cast<qintptr>(w), static_cast<qintptr>(l));
    });
    connect(m_bus, &MessageBus::copyDataReceived, this,
            [this](qint64 sender, quint32 kind, const QByteArray& data) {
                postMessage(msg::kCopyData, static_cast<qintptr>(sender), static_cast<qintptr>(kind), data);
            });
}

void CMainWnd::connectSystemSignals() {
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected())
        system.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                       "PrepareForSleep", this, SLOT(onPrepareForSleep(bool)));
    auto watchScreen = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, [this] { postMessage(msg::kDisplayChange); });
        connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                [this](qreal dpi) { postMessage(msg::kDpiChanged, qRound(dpi)); });
    };
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watchScreen](QScreen* screen) {
        watchScreen(screen);
        postMessage(msg::kDisplayChange);
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] { postMessage(msg::kDisplayChange); });
}

void CMainWnd::onPrepareForSleep(bool start) {
    postMessage(msg::kPowerBroadcast, start ? msg::kPbtSuspend : msg::kPbtResumeAutomatic);
}

// --- window init

void CMainWnd::windowInitSequence() {
    if (m_initDone)
        return;
    // Admitting messages from processes of lower integrity has no counterpart on the bus: every peer
    // of the session may talk to the window.
    if (m_bus)
        m_bus->broadcast(kLightStateMessage, 1, 1);
    applyLanguage(m_settings.readLanguageIndex(LanguageList::defaultPath()));
    if (deviceList.createInitialEntries)
        deviceList.createInitialEntries();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        m_screenWidth = screen->geometry().width();
        m_screenHeight = screen->geometry().height();
    }
    hide();
    m_showAfterFirstLayout = true;
    if (deviceList.startCaptureThread)
        deviceList.startCaptureThread(m_workers, WorkerSlots::kCaptureSlot, *m_sink);
    if (subsystems.startWorkers)
        subsystems.startWorkers(m_workers, *m_sink);
    if (subsystems.startAudioRecord)
        subsystems.startAudioRecord();
    setTimer(nullptr, mainTimer::kLayout, 100);
    m_initDone = true;
    if (subsystems.loadAudioFile)
        subsystems.loadAudioFile();
}

// --- layout

void CMainWnd::runWindowLayout() {
    const bool wasShown = isVisible() && !isMinimized();
    QScreen* monitor = screen() ? screen() : QGuiApplication::primaryScreen();
    int dpi = 96;
    if (monitor) {
        const QRect rect = monitor->geometry();
        const qreal ratio = monitor->devicePixelRatio();
        dpi = chooseWindowDpi(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
    }
    m_windowDpi = validatedDpi(dpi, "MAIN_WND DPI SET ERROR");
    // Qt scales by the desktop's device pixel ratio; the layout itself is always 1000 x 640.
    resize(kLayoutWidth, kLayoutHeight);
    centerWindow();
    const bool show = wasShown || m_showAfterFirstLayout;
    const bool first = m_showAfterFirstLayout;
    m_showAfterFirstLayout = false;
    if (show) {
        if (isMinimized())
            showNormal();
        else
            this->show();
    } else {
        hide();
    }
    if (first && !m_screenshotPath.isEmpty())
        QTimer::singleShot(300, this, [this] { takeScreenshot(); });
}

void CMainWnd::onRootSized() {
    if (!m_displayChanged)
        return;
    m_displayChanged = false;
    runWindowLayout();
}

void CMainWnd::takeScreenshot() {
    refreshNoDeviceNotice();
    const QPixmap image = grab();
    const bool saved = !image.isNull() && image.save(m_screenshotPath, "PNG");
    if (!saved)
        debugOutput("screenshot not written: " + m_screenshotPath.toStdString());
    m_exitCode = saved ? 0 : 1;
    closeWindow(0);
}

// --- language

void CMainWnd::applyLanguage(int index) {
    if (index == m_language)
        return;
    LanguageList list;
    list.load(LanguageList::defaultPath());
    // An index from another window that is not in the list changes nothing.
    if (!list.contains(index) && !(list.size() == 0 && index == 0))
        return;
    const QString face = FontTable::faceForLanguage(index, m_language);
    if (!face.isEmpty()) {
        m_fonts.rebuild(face);
        WindowBase::setFontApplier([this](QWidget* root) { m_fonts.apply(root); });
        m_fonts.apply(this);
        for (WindowBase* window :
             {m_setWnd.data(), m_aboutWnd.data(), m_paletteWnd.data(), m_musicWnd.data()})
            if (window)
                m_fonts.apply(window);
    }
    m_language = index;
    if (list.contains(index)) {
        const LanguageEntry& entry = list.at(index);
        LanguageTexts& texts = LanguageTexts::current();
        texts.load(skinDir() + "/" + entry.file);
        texts.setLanguageName(entry.name);
        reloadTexts();
        if (!m_settings.writeLanguageId(entry.id))
            debugOutput("language not saved");
    }
    update();
    for (WindowBase* window : {m_setWnd.data(), m_aboutWnd.data(), m_musicWnd.data()})
        if (window)
            window->sendMessage(mainmsg::kLanguage, 0, 0);
}

// --- light control

void CMainWnd::setLightControlState(int on) {
    m_lightControl = on ? 1 : 0;
    if (auto* button = findControlAs<QPushButton>("control_light_status")) {
        setControlTextId(button, m_lightControl ? kLightOnText : kLightOffText);
        button->setProperty("lightOff", m_lightControl == 0);
        button->setIcon(
            QIcon(skinDir() + (m_lightControl ? "/icons/light_on.svg" : "/icons/light_muted.svg")));
        repolish(button);
    }
}

void CMainWnd::toggleLightControl() {
    setLightControlState(m_lightControl ? 0 : 1);
    if (m_bus)
        m_bus->broadcast(kLightStateMessage, 1, m_lightControl);
    broadcastLightControl(m_lightControl);
}

// --- devices

void CMainWnd::addShellDevice(ShellDevice* device) {
    if (device && std::find(m_devices.begin(), m_devices.end(), device) == m_devices.end())
        m_devices.push_back(device);
}

void CMainWnd::removeShellDevice(ShellDevice* device) {
    m_devices.erase(std::remove(m_devices.begin(), m_devices.end(), device), m_devices.end());
}

void CMainWnd::broadcastWindowHidden(int hidden) {
    for (ShellDevice* device : m_devices)
        if (device->shellDeviceKind() == kShellMouse || device->shellDeviceKind() == kShellKeyboard)
            device->setWindowHidden(hidden);
}

void CMainWnd::broadcastLightControl(int on) {
    for (ShellDevice* device : m_devices)
        if (device->shellDeviceKind() != kShellHeadset)
            device->setLightControl(on);
}

void CMainWnd::broadcastWindowForeground(int foreground) {
    for (ShellDevice* device : m_devices)
        if (device->shellDeviceKind() != kShellHeadset)
            device->setWindowForeground(foreground);
}

void CMainWnd::refreshNoDeviceNotice() {
    const int connected = deviceList.connectedDeviceCount ? deviceList.connectedDeviceCount() : 0;
    if (QWidget* notice = findControl("No_device_Link"))
        notice->setVisible(connected == 0);
}

// --- showing and hiding

void CMainWnd::closeSecondaryWindows() {
    for (WindowBase* window : {m_setWnd.data(), m_aboutWnd.data(), m_paletteWnd.data(), m_musicWnd.data()})
        if (window)
            window->sendMessage(msg::kClose, 0);
}

void CMainWnd::hideToTray() {
    closeSecondaryWindows();
    hide();
    broadcastWindowHidden(1);
}

void CMainWnd::bringToFront() {
    refreshNoDeviceNotice();
    broadcastWindowHidden(0);
    showNormal();
    raise();
    activateWindow();
}

void CMainWnd::toggleFromTray() {
    refreshNoDeviceNotice();
    if (isVisible() && !isMinimized()) {
        closeSecondaryWindows();
        hide();
        broadcastWindowHidden(1);
        return;
    }
    closeSecondaryWindows();
    show();
    runWindowLayout();
    showNormal();
    raise();
    activateWindow();
    update();
    broadcastWindowHidden(0);
}

void CMainWnd::showTrayMenu() {
    delete m_trayMenu;
    QVector<MenuItem> items;
    if (!readMenuFile(menuFilePath("menu.xml"), items))
        return;
    m_trayMenu = buildMenu(items, nullptr,
                           [this](const QString& name) { postMessage(mainmsg::kMenuCommand, 0, 0, name); });
    m_fonts.apply(m_trayMenu);
    // The desktop places the menu beside its panel; the cursor is where the click was.
    m_trayMenu->popup(QCursor::pos());
}

void CMainWnd::onMenuCommand(const QString& item) {
    if (item.compare("exit", Qt::CaseInsensitive) == 0) {
        closeSecondaryWindows();
        closeWindow(0);
        return;
    }
    m_router.dispatchMenu(*this, item);
}

// --- secondary windows

void CMainWnd::openAboutWindow() {
    if (m_aboutWnd)
        return;
    auto* about = new CAboutWnd(this);
    about->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!about->create()) {
        delete about;
        return;
    }
    m_aboutWnd = about;
    about->showModal();
    m_aboutWnd.clear();
    about->deleteLater();
}

void CMainWnd::openSystemSettings(int which) {
    openDesktopSettings(which);
}

QString CMainWnd::localizedText(const QString& textId) {
    auto* probe = findControlAs<QLabel>("str_test");
    if (!probe)
        return LanguageTexts::current().text(textId);
    setControlTextId(probe, textId);
    return probe->text();
}

int CMainWnd::showMessageBox(const QString& textId, int buttons) {
    return ShowMessageBox(this, QString(), textId, m_windowDpi, true, buttons);
}

// --- notifications

void CMainWnd::notify(const Notification& notification) {
    if (!m_router.dispatch(*this, notification))
        return;
    WindowBase::notify(notification);
}

// --- shutdown

void CMainWnd::shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    hide();
    // Workers blocked in a sent message are released before they are joined.
    m_sink->beginShutdown();
    m_workers.stopAll();
    if (subsystems.closeAudioRecord)
        subsystems.closeAudioRecord();
    if (m_tray)
        m_tray->hide();
}

} // namespace v38

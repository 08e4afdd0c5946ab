// The main window's message table: what each window message does, before the window base sees it.
#include "gui/app/main_wnd.h"

#include "core/platform/debug_log.h"
#include "gui/app/message_bus.h"
#include "gui/app/tool_report.h"
#include "gui/app/window_layout.h"

#include <QPushButton>
#include <QStyle>

#include <cstdio>

namespace v38 {

namespace {
// The hook messages that go to the current device's macro panel.
const char* const kMacroRecordingMessages[] = {
    "WM_HOOK_KEY_KBMACRO_MSG",       "WM_HOOK_KEY_KBMACROPREVIOUS_MSG", "WM_HOOK_KEY_KBMACROLATER_MSG",
    "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_MSMACRO_MSG",         "WM_HOOK_KEY_MSMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_MSMACROLATER_MSG",  "WM_HOOK_KEY_MSMACROSINGLE_MSG"};

constexpr qintptr kAudioSpectrumData = 1;
constexpr qintptr kAudioColourData = 2;

std::string format(const char* pattern, long long a, long long b, long long c) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}
} // namespace

qintptr CMainWnd::handleMessage(const WindowMessage& message, bool& handled) {
    qintptr result = 0;
    handled = handleAlways(message, result);
    if (handled)
        return result;
    // Between suspend and resume nothing else is acted upon.
    if (!m_activeState)
        return 0;
    handled = handleWhileActive(message, result);
    return result;
}

// Messages acted upon also while the machine is suspending.
bool CMainWnd::handleAlways(const WindowMessage& m, qintptr& result) {
    result = 0;
    switch (m.id) {
    case msg::kActivate:
        m_windowActive = m_windowForeground = m.wParam != 0;
        broadcastWindowForeground(m_windowForeground ? 1 : 0);
        return false;
    case msg::kMouseLeave:
        debugOutput("鼠标移出");
        if (!m_windowActive)
            broadcastWindowForeground(0);
        return false;
    case msg::kMouseHover:
        debugOutput("鼠标移入");
        if (!m_windowActive)
            broadcastWindowForeground(1);
        return false;
    case msg::kDestroy:
        debugOutput("退出测试");
        // The loop ends when the window reports it closed (see runApplication).
        shutdown();
        return true;
    case msg::kPowerBroadcast:
        if (m.wParam == msg::kPbtResumeAutomatic) {
            m_activeState = true;
            broadcastLightControl(m_lightControl);
        } else if (m.wParam == msg::kPbtSuspend) {
            m_activeState = false;
            broadcastLightControl(0);
        }
        return false;
    default:
        break;
    }
    if (m.id == m_messages.appInstance) {
        debugOutput(format("软件标示 %lld，%llxd%llxd", m.id, m.wParam, m.lParam));
        if (m.lParam != 0)
            bringToFront();
        return true;
    }
    if (m.id == m_messages.updateRelay) {
        if (m_setWnd)
            m_setWnd->postMessage(m.id, m.wParam, m.lParam);
        return true;
    }
    if (m.id == m_messages.lightControl) {
        if (m.wParam == 1 && (m.lParam == 0 || m.lParam == 1)) {
            setLightControlState(static_cast<int>(m.lParam));
            broadcastLightControl(m_lightControl);
        }
        return true;
    }
    if (m.id == m_messages.deviceReport) {
        sendToolReport();
        return true;
    }
    return false;
}

bool CMainWnd::handleWhileActive(const WindowMessage& m, qintptr& result) {
    result = 0;
    if (m.id == m_messages.hookMessage("WM_HOOK_KEY_SINGLEKEY_MSG")) {
        if (subsystems.keyCapture)
            subsystems.keyCapture(m.wParam, m.lParam);
        return true;
    }
    if (m.id == m_messages.hookMessage("WM_HOOK_KEY_HITKEY_MSG"))
        return true;
    for (const char* name : kMacroRecordingMessages) {
        if (m.id != m_messages.hookMessage(name))
            continue;
        if (m.id == m_messages.hookMessage("WM_HOOK_KEY_MSMACRO_MSG"))
            debugOutput("WM_HOOK_KEY_MSMACRO");
        // The macro panel acts only when the current device is a keyboard or a mouse.
        if (subsystems.macroRecording)
            subsystems.macroRecording(m.id, m.wParam, m.lParam);
        return true;
    }
    for (unsigned game : m_messages.game) {
        if (m.id != game)
            continue;
        if (subsystems.gameLighting)
            subsystems.gameLighting(m.wParam, m.lParam);
        setTimer(nullptr, mainTimer::kGameLighting, 5000);
        return true;
    }

    switch (m.id) {
    case msg::kCopyData: {
        const QByteArray data = m.data.toByteArray();
        if ((m.lParam == kAudioSpectrumData || m.lParam == kAudioColourData) && !data.isEmpty() &&
            subsystems.audioData)
            subsystems.audioData(static_cast<quint32>(m.lParam), data);
        return true;
    }
    case msg::kDisplayChange:
        debugOutput("显示器分辨率发生变化");
        m_displayChanged = true;
        runWindowLayout();
        return false;
    case msg::kKeyDown:
    case msg::kSysKeyDown:
        return true;
    case msg::kTimer:
        onTimer(static_cast<int>(m.wParam));
        return false;
    case msg::kDpiChanged:
        m_windowDpi = validatedDpi(static_cast<int>(m.wParam & 0xFFFF), "MAIN_WND DPI SET ERROR");
        centerWindow();
        update();
        debugOutput("界面 DPI 发生变化");
        return true;
    case mainmsg::kDpiNotice:
        debugOutput("界面 DPI 1发生变化");
        return true;
    case mainmsg::kTray:
        if (m.lParam == msg::kLButtonUp)
            toggleFromTray();
        else if (m.lParam == msg::kRButtonUp)
            setTimer(nullptr, mainTimer::kTrayMenu, 10);
        return true;
    case mainmsg::kKeyboardHook:
        if (subsystems.keyboardHook && (m.wParam == 0 || m.wParam == 1))
            subsystems.keyboardHook(m.wParam == 1);
        return true;
    case mainmsg::kMenuCommand:
        onMenuCommand(m.data.toString());
        return true;
    case mainmsg::kShowProgress:
        if (QWidget* progress = findControl("setting_progress"))
            progress->setVisible(true);
        return true;
    case mainmsg::kLanguage:
        applyLanguage(static_cast<int>(m.wParam));
        if (subsystems.rebuildKeyTexts)
            subsystems.rebuildKeyTexts();
        return true;
    case mainmsg::kDeviceArrived:
        if (deviceList.deviceArrived)
            deviceList.deviceArrived(m.wParam);
        return true;
    case mainmsg::kDeviceRemoved:
        if (deviceList.deviceRemoved)
            deviceList.deviceRemoved(m.wParam);
        return true;
    case mainmsg::kOpenSettings:
        if (subsystems.openSettingsWindow)
            subsystems.openSettingsWindow();
        return true;
    case mainmsg::kClearUpdateMark:
        if (auto* button = findControlAs<QPushButton>("setbtn")) {
            button->setProperty("updateMark", false);
            button->style()->unpolish(button);
            button->style()->polish(button);
        }
        return true;
    case mainmsg::kEntryVisibility:
        if (deviceList.entryVisibility)
            deviceList.entryVisibility(m.wParam, m.lParam);
        return true;
    case 3332:
        if (deviceList.entryTimerRequest)
            deviceList.entryTimerRequest(m.wParam, m.lParam);
        return true;
    case 3328:
    case 3329:
    case 3330:
        return true;
    default:
        return false;
    }
}

void CMainWnd::onTimer(int id) {
    killTimer(nullptr, id);
    switch (id) {
    case mainTimer::kLayout:
        runWindowLayout();
        update();
        if (subsystems.connectAudioRecord)
            subsystems.connectAudioRecord();
        break;
    case mainTimer::kTrayMenu:
        showTrayMenu();
        break;
    case mainTimer::kApplyProfile:
        if (subsystems.applySelectedProfile)
            subsystems.applySelectedProfile();
        break;
    case mainTimer::kGameLighting:
        if (subsystems.gameLightingRestore)
            subsystems.gameLightingRestore();
        break;
    default:
        break;
    }
}

void CMainWnd::sendToolReport() {
    if (!m_bus || !m_bus->sendCopyData("WorkTool", static_cast<qint64>(winId()), kToolReportDataKind,
                                       buildToolReport()))
        debugOutput("WorkTool not found");
}

} // namespace v38

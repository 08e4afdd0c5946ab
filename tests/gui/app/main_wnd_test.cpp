#include "gui/app/main_wnd_fixture.h"

#include "gui/app/about_wnd.h"
#include "gui/app/msg_wnd.h"
#include "gui/app/window_layout.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace v38 {
namespace {

TEST(WindowLayout, DpiFollowsTheMonitorSize) {
    struct Case {
        int width, height, dpi;
    };
    for (const Case& c : {Case{1500, 960, 96}, Case{1501, 961, 144}, Case{1501, 960, 96}, Case{1500, 961, 96},
                          Case{1920, 1080, 144}, Case{1280, 720, 96}, Case{0, 0, 96}})
        EXPECT_EQ(chooseWindowDpi(c.width, c.height), c.dpi) << c.width << " x " << c.height;
    for (int dpi : {48, 72, 96, 120, 144, 168, 192})
        EXPECT_EQ(validatedDpi(dpi, "x"), dpi);
    for (int dpi : {0, -96, 97, 100, 240})
        EXPECT_EQ(validatedDpi(dpi, "x"), 96);
}

TEST_F(MainWndTest, TheLayoutHoldsEveryControlTheCodeUses) {
    ASSERT_TRUE(window->create());
    EXPECT_EQ(window->windowClassName(), "MainWnd");
    EXPECT_EQ(window->windowTitle(), "V38");
    EXPECT_EQ(window->size(), QSize(kCreateWidth, kCreateHeight));
    for (const char* name : {"root",
                             "closebtn",
                             "maxbtn",
                             "restorebtn",
                             "minbtn",
                             "skinbtn",
                             "setbtn",
                             "gamemodebtn",
                             "cloudbtn",
                             "smarteyesbtn",
                             "control_light_status",
                             "No_device_Link",
                             "nodevice_ok_btn",
                             "setting_progress",
                             "str_test",
                             "text_test",
                             "device_select_layout",
                             "device_select_prev",
                             "device_select_next",
                             "device_switch",
                             "device_power_switch",
                             "windowdeviceset_0",
                             "windowdeviceset_1",
                             "pexal_DPI_slider_1",
                             "pexal_DPI_edit_1"})
        EXPECT_NE(window->findControl(name), nullptr) << name;
    for (const char* name : {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "setbtn"})
        EXPECT_EQ(window->titleBarControl(name), window->findControl(name)) << name;
    EXPECT_FALSE(window->findControl("str_test")->isVisible());
    EXPECT_EQ(window->trayIcon()->toolTip(), "V38");
}

TEST_F(MainWndTest, InitHidesTheWindowUntilTheLayoutTimerShowsItAtItsLayoutSize) {
    createAndInit();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->isTimerActive(nullptr, mainTimer::kLayout));
    EXPECT_TRUE(debugSaid("InitWindow"));
    fireLayoutTimer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(kLayoutWidth, kLayoutHeight));
    EXPECT_TRUE(window->windowDpi() == 96 || window->windowDpi() == 144);

    // Later, on a hidden window, the layout step lays out and leaves it hidden.
    window->hide();
    window->resize(500, 400);
    fireLayoutTimer();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(kLayoutWidth, kLayoutHeight));
}

TEST_F(MainWndTest, ASecondInstanceBringsTheWindowToTheFrontOnlyWithLParamOne) {
    createAndInit();
    const unsigned instance = window->messages().appInstance;
    window->sendMessage(instance, 0, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(debugSaid("软件标示 "));
    EXPECT_TRUE(keyboard.hidden.empty());
    window->sendMessage(instance, 0, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(keyboard.hidden, std::vector<int>{0});
    EXPECT_EQ(mouse.hidden, std::vector<int>{0});
    EXPECT_TRUE(pad.hidden.empty()); // only mice and keyboards skip polling while hidden
    EXPECT_TRUE(window->findControl("No_device_Link")->isVisible());
}

TEST_F(MainWndTest, AfterSuspendHookMessagesAreIgnoredUntilResume) {
    createAndInit();
    std::vector<unsigned> recorded;
    window->subsystems.macroRecording = [&](unsigned message, qintptr, qintptr) {
        recorded.push_back(message);
    };
    const unsigned kbMacro = window->messages().hookMessage("WM_HOOK_KEY_KBMACRO_MSG");
    window->sendMessage(msg::kPowerBroadcast, msg::kPbtSuspend);
    EXPECT_FALSE(window->activeState());
    EXPECT_EQ(pad.light, std::vector<int>{0});
    window->sendMessage(kbMacro, 1, 2);
    EXPECT_TRUE(recorded.empty());
    window->sendMessage(msg::kPowerBroadcast, msg::kPbtResumeAutomatic);
    EXPECT_EQ(pad.light, (std::vector<int>{0, 1}));
    EXPECT_TRUE(headset.light.empty());
    window->sendMessage(kbMacro, 1, 2);
    EXPECT_EQ(recorded, std::vector<unsigned>{kbMacro});

    // logind's signal arrives as the same messages.
    QMetaObject::invokeMethod(window.get(), "onPrepareForSleep", Q_ARG(bool, true));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->activeState());
    QMetaObject::invokeMethod(window.get(), "onPrepareForSleep", Q_ARG(bool, false));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->activeState());
}

TEST_F(MainWndTest, TrayClickHidesAVisibleWindowAndRestoresAMinimisedOne) {
    createAndInit();
    fireLayoutTimer();
    ASSERT_TRUE(window->isVisible());
    window->sendMessage(mainmsg::kTray, 0, msg::kLButtonUp);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(keyboard.hidden, std::vector<int>{1});
    window->showMinimized();
    window->sendMessage(mainmsg::kTray, 0, msg::kLButtonUp);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(keyboard.hidden, (std::vector<int>{1, 0}));
    // The right button opens the menu from a 10 ms timer.
    window->sendMessage(mainmsg::kTray, 0, msg::kRButtonUp);
    EXPECT_TRUE(window->isTimerActive(nullptr, mainTimer::kTrayMenu));
}

TEST_F(MainWndTest, LightControlMessagesSetTheSwitchAndTellTheDevices) {
    createAndInit();
    auto* button = window->findControlAs<QPushButton>("control_light_status");
    const unsigned control = window->messages().lightControl;
    window->sendMessage(control, 2, 0); // other wParam: ignored
    window->sendMessage(control, 1, 7); // other lParam: ignored
    EXPECT_EQ(window->lightControl(), 1);
    EXPECT_TRUE(keyboard.light.empty());
    window->sendMessage(control, 1, 0);
    EXPECT_EQ(window->lightControl(), 0);
    EXPECT_EQ(button->text(), LanguageTexts::current().text("不控制灯光"));
    EXPECT_EQ(button->property("textid").toString(), "不控制灯光");
    window->sendMessage(control, 1, 1);
    EXPECT_EQ(button->property("textid").toString(), "控制灯光");
    EXPECT_EQ(keyboard.light, (std::vector<int>{0, 1}));
    EXPECT_EQ(pad.light, (std::vector<int>{0, 1}));
    EXPECT_TRUE(headset.light.empty());
}

TEST_F(MainWndTest, ActivationAndHoverSetTheForegroundOfTheDevices) {
    createAndInit();
    QCoreApplication::processEvents();
    mouse.foreground.clear();
    window->sendMessage(msg::kActivate, 1);
    window->sendMessage(msg::kMouseLeave); // active: hover does not matter
    window->sendMessage(msg::kActivate, 0);
    window->sendMessage(msg::kMouseHover);
    window->sendMessage(msg::kMouseLeave);
    EXPECT_EQ(mouse.foreground, (std::vector<int>{1, 0, 1, 0}));
    EXPECT_TRUE(headset.foreground.empty());
}

TEST_F(MainWndTest, NumberedMessagesReachTheirHandlersAndThePlacesLeftForLaterSubsystems) {
    createAndInit();
    std::vector<std::string> calls;
    window->deviceList.deviceArrived = [&](qintptr row) {
        calls.push_back("arrived " + std::to_string(row));
    };
    window->deviceList.deviceRemoved = [&](qintptr row) {
        calls.push_back("removed " + std::to_string(row));
    };
    window->deviceList.entryVisibility = [&](qintptr k, qintptr s) {
        calls.push_back("entry " + std::to_string(k) + " " + std::to_string(s));
    };
    window->subsystems.openSettingsWindow = [&] { calls.push_back("settings"); };
    window->subsystems.audioData = [&](quint32 kind, const QByteArray& data) {
        calls.push_back("audio " + std::to_string(kind) + " " + std::to_string(data.size()));
    };
    window->sendMessage(mainmsg::kDeviceArrived, 4);
    window->sendMessage(mainmsg::kDeviceRemoved, 6);
    window->sendMessage(mainmsg::kEntryVisibility, 1, 0);
    window->sendMessage(mainmsg::kOpenSettings);
    window->sendMessage(msg::kCopyData, 0, 1, QByteArray("abc"));
    window->sendMessage(msg::kCopyData, 0, 3, QByteArray("abc")); // other kinds: ignored
    window->sendMessage(msg::kCopyData, 0, 2, QByteArray());      // empty: ignored
    EXPECT_EQ(calls,
              (std::vector<std::string>{"arrived 4", "removed 6", "entry 1 0", "settings", "audio 1 3"}));

    EXPECT_FALSE(window->findControl("setting_progress")->isVisibleTo(window.get()));
    window->sendMessage(mainmsg::kShowProgress);
    EXPECT_TRUE(window->findControl("setting_progress")->isVisibleTo(window.get()));
    window->findControl("setbtn")->setProperty("updateMark", true);
    window->sendMessage(mainmsg::kClearUpdateMark);
    EXPECT_FALSE(window->findControl("setbtn")->property("updateMark").toBool());

    // A game message restarts the 5 s restore timer.
    window->sendMessage(window->messages().game[0], 0, 3);
    EXPECT_TRUE(window->isTimerActive(nullptr, mainTimer::kGameLighting));
}

TEST_F(MainWndTest, ShutdownStopsEveryWorkerAndReleasesASenderWaitingOnTheWindow) {
    std::atomic<bool> cancelled{false};
    std::atomic<intptr_t> sendResult{-1};
    window->deviceList.startCaptureThread = [&](WorkerSlots& workers, int slot, MessageSink& sink) {
        workers.start(
            slot,
            [&sink, &sendResult](std::stop_token stop) {
                // Blocked in a sent message that the window never gets to answer.
                sendResult = sink.send(3333, 0, 0);
                while (!stop.stop_requested())
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            },
            [&cancelled] { cancelled = true; });
    };
    createAndInit();
    ASSERT_TRUE(window->workers().isStarted(WorkerSlots::kCaptureSlot));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    window->closeWindow(0);
    EXPECT_TRUE(window->isClosed());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(sendResult, 0);
    EXPECT_FALSE(window->workers().isStarted(WorkerSlots::kCaptureSlot));
    EXPECT_TRUE(debugSaid("退出测试"));
    EXPECT_TRUE(debugSaid("所有对象处于激发状态"));
}

TEST_F(MainWndTest, ASentMessageFromAWorkerRunsOnTheWindowAndReturnsItsAnswer) {
    createAndInit();
    std::atomic<intptr_t> answer{-1};
    std::thread worker([&] { answer = window->messageSink().send(mainmsg::kDeviceArrived, 2, 0); });
    int arrived = -1;
    window->deviceList.deviceArrived = [&](qintptr row) { arrived = static_cast<int>(row); };
    while (arrived < 0)
        QCoreApplication::processEvents();
    worker.join();
    EXPECT_EQ(arrived, 2);
    EXPECT_EQ(answer, 0);
}

TEST_F(MainWndTest, TheMessageBoxAnswersOneForConfirmAndZeroOtherwise) {
    createAndInit();
    struct Case {
        const char* button;
        int buttons;
        int result;
    };
    for (const Case& c :
         {Case{"confirm_btn", kMsgButtonsConfirmCancel, 1}, Case{"cancel_btn", kMsgButtonsConfirmCancel, 0},
          Case{"closebtn", kMsgButtonsConfirm, 0}}) {
        bool cancelShown = true;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = window->findChild<CMsgWnd*>();
            ASSERT_NE(box, nullptr);
            cancelShown = box->findControl("cancel_btn")->isVisibleTo(box);
            text = box->findControlAs<QLabel>("MessageText")->text();
            box->findControlAs<QPushButton>(c.button)->click();
        });
        EXPECT_EQ(window->showMessageBox("message_text_22", c.buttons), c.result) << c.button;
        EXPECT_EQ(cancelShown, c.buttons == kMsgButtonsConfirmCancel);
        EXPECT_EQ(text, LanguageTexts::current().text("message_text_22"));
        EXPECT_NE(text, "message_text_22");
    }
    EXPECT_FALSE(window->isClosed());
    // The hidden label resolves ids in the current language.
    EXPECT_EQ(window->localizedText("message_text_16"), LanguageTexts::current().text("message_text_16"));
    EXPECT_EQ(window->localizedText("no_such_id"), "no_such_id");
}

TEST_F(MainWndTest, TheAboutWindowOpensOnceAndItsSystemCloseEndsOnlyIt) {
    createAndInit();
    fireLayoutTimer();
    int nestedOpens = 0;
    QString version;
    QTimer::singleShot(0, [&] {
        QWidget* about = window->findChild<CAboutWnd*>();
        ASSERT_NE(about, nullptr);
        version = about->findChild<QLabel*>("software_ver_label")->text();
        window->sendMessage(mainmsg::kMenuCommand, 0, 0, QString("about_menu")); // already open: nothing
        const QWidgetList windows = QApplication::topLevelWidgets();
        nestedOpens = std::count_if(windows.begin(), windows.end(), [](QWidget* w) {
            auto* base = qobject_cast<WindowBase*>(w);
            return w->isVisible() && base && base->windowClassName() == "AboutWnd";
        });
        static_cast<WindowBase*>(about)->sendMessage(msg::kSysCommand, msg::kScClose);
    });
    window->sendMessage(mainmsg::kMenuCommand, 0, 0, QString("ABOUT_MENU"));
    EXPECT_EQ(nestedOpens, 1);
    EXPECT_TRUE(version.endsWith("V1.0.0.0")) << version.toStdString();
    EXPECT_TRUE(version.startsWith(LanguageTexts::current().text("software_rev_text")));
    EXPECT_FALSE(window->isClosed());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWndTest, TheExitMenuItemEndsTheProgram) {
    createAndInit();
    window->sendMessage(mainmsg::kMenuCommand, 0, 0, QString("exit"));
    EXPECT_TRUE(window->isClosed());
}

} // namespace
} // namespace v38

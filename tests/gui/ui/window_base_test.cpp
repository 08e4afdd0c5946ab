#include "gui/ui/test_window.h"

#include "gui/ui/language_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace v38 {
namespace {

using WindowBaseTest = TestSkinFixture;

TEST_F(WindowBaseTest, LayoutPathsFollowTheProgramNames) {
    const QString skin = skinDir();
    EXPECT_EQ(layoutFilePath("XML_MAIN"), skin + "/XML_MAIN.ui");
    EXPECT_EQ(layoutFilePath("XML\\CustomControlXML\\DeviceProfile.xml"),
              skin + "/XML/CustomControlXML/DeviceProfile.ui");
    EXPECT_EQ(layoutFilePath("AboutWnd.xml"), skin + "/AboutWnd.ui");
    EXPECT_EQ(menuFilePath("XML\\Menus\\macro_action_menu.xml"), skin + "/XML/Menus/macro_action_menu.xml");
}

TEST_F(WindowBaseTest, BuildsTheLayoutWithTheFactoryAndFindsControlsWithoutRegardToCase) {
    TestWindow window;
    ASSERT_TRUE(window.loadLayout("TestLayout"));
    EXPECT_EQ(window.root()->objectName(), "root");
    EXPECT_NE(dynamic_cast<TestPalette*>(window.findControl("PALETTE")), nullptr);
    // Sub-layouts keep the name the layout gives them; the same names repeat inside each.
    QWidget* subA = window.findControl("sub_a");
    QWidget* subB = window.findControl("Sub_B");
    ASSERT_TRUE(subA && subB);
    QWidget* buttonA = window.findControl(subA, "sub_btn");
    QWidget* buttonB = window.findControl(subB, "SUB_BTN");
    ASSERT_TRUE(buttonA && buttonB);
    EXPECT_NE(buttonA, buttonB);
    EXPECT_EQ(window.findControl(subA, "plain_btn"), nullptr);
    EXPECT_EQ(window.findControl("no_such_control"), nullptr);
    EXPECT_FALSE(TestWindow().loadLayout("NoSuchLayout"));
}

TEST_F(WindowBaseTest, WindowInitComesOnceFromTheEventLoopAndResizeRaisesWindowSize) {
    TestWindow window;
    ASSERT_TRUE(window.loadLayout("TestLayout"));
    window.take();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.take(), (std::vector<Seen>{{"windowinit", "root", 0, 0}}));
    window.show();
    QCoreApplication::processEvents();
    window.take();
    window.resize(500, 500);
    EXPECT_EQ(window.take(), (std::vector<Seen>{{"windowsize", "root", 0, 0}}));
}

TEST_F(WindowBaseTest, ControlTimersRaiseTimerAndWindowTimersArriveAsMessages) {
    TestWindow window;
    ASSERT_TRUE(window.loadLayout("TestLayout"));
    QCoreApplication::processEvents();
    window.take();
    QWidget* label = window.findControl("label");
    window.setTimer(label, 7, 1);
    window.setTimer(label, 8, 1);
    window.killTimer(label, 8);
    window.setTimer(nullptr, 1011, 1);
    EXPECT_TRUE(window.isTimerActive(nullptr, 1011));
    QTest::qWait(30);
    EXPECT_EQ(window.take(), (std::vector<Seen>{{"timer", "label", 7, 0}}));
    EXPECT_FALSE(window.isTimerActive(label, 7)); // one-shot
    bool sawTimer = false;
    for (const WindowMessage& message : window.messages)
        sawTimer |= message.id == msg::kTimer && message.wParam == 1011;
    EXPECT_TRUE(sawTimer);
}

TEST_F(WindowBaseTest, TheHookSeesMessagesFirstAndCanKeepThemFromTheBase) {
    TestWindow window;
    ASSERT_TRUE(window.loadLayout("TestLayout"));
    window.postMessage(3072, 1, 2, QString("data"));
    EXPECT_TRUE(window.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.messages.back().id, 3072u);
    EXPECT_EQ(window.messages.back().data.toString(), "data");

    window.handleEverything = true;
    window.sendMessage(msg::kClose, 5);
    EXPECT_FALSE(window.isClosed());
    window.handleEverything = false;
    window.sendMessage(msg::kClose, 5);
    EXPECT_TRUE(window.isClosed());
    EXPECT_EQ(window.closeCode(), 5);
    EXPECT_EQ(window.messages.back().id, msg::kDestroy);
}

TEST_F(WindowBaseTest, AModalRunReturnsItsCloseCodeAndTheSystemCloseEndsOnlyThatWindow) {
    TestWindow owner;
    ASSERT_TRUE(owner.loadLayout("TestLayout"));
    owner.show();
    auto* dialog = new TestWindow;
    dialog->setParent(&owner, dialog->windowFlags());
    ASSERT_TRUE(dialog->loadLayout("TestLayout"));
    QTimer::singleShot(0, dialog, [dialog] { dialog->closeWindow(1); });
    EXPECT_EQ(dialog->showModal(), 1);

    auto* second = new TestWindow;
    second->setParent(&owner, second->windowFlags());
    ASSERT_TRUE(second->loadLayout("TestLayout"));
    bool loopStillRunning = false;
    QTimer::singleShot(0, second, [second] { second->sendMessage(msg::kSysCommand, msg::kScClose); });
    EXPECT_EQ(second->showModal(), 0);
    // The application's own loop is untouched: a queued call still runs.
    QTimer::singleShot(0, [&loopStillRunning] { loopStillRunning = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(loopStillRunning);
    EXPECT_FALSE(owner.isClosed());
    EXPECT_TRUE(owner.isVisible());

    // The base's click handling closes on "closebtn".
    auto* third = new TestWindow;
    ASSERT_TRUE(third->loadLayout("TestLayout"));
    QTimer::singleShot(0, third, [third] { third->findControlAs<QPushButton>("closebtn")->click(); });
    EXPECT_EQ(third->showModal(), 0);
    EXPECT_TRUE(third->isClosed());
    delete third;
}

TEST_F(WindowBaseTest, TextsComeFromTheLanguageAndMissingOnesShowTheirId) {
    LanguageTexts& texts = LanguageTexts::current();
    ASSERT_TRUE(texts.load(skinDir() + "/lan_test.xml"));
    TestWindow window;
    ASSERT_TRUE(window.loadLayout("TestLayout"));
    EXPECT_EQ(window.findControlAs<QLabel>("label")->text(), "Hello");
    EXPECT_EQ(window.findControlAs<QLabel>("missing_label")->text(), "no_such_text");
    ASSERT_TRUE(texts.loadFromData("<Language><Text id=\"hello_text\">Bonjour</Text></Language>"));
    window.reloadTexts();
    EXPECT_EQ(window.findControlAs<QLabel>("label")->text(), "Bonjour");
    EXPECT_FALSE(texts.loadFromData("<NotLanguage/>"));
    EXPECT_FALSE(texts.loadFromData("<Language><Text id=\"x\">unclosed"));
    EXPECT_EQ(texts.size(), 0);
    EXPECT_EQ(texts.text("anything"), "anything");
}

} // namespace
} // namespace v38

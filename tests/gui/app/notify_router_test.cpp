#include "gui/app/main_wnd_fixture.h"

#include "gui/app/desktop_settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <set>

namespace v38 {
namespace {

TEST(NotifyRouter, IndexedNamesSplitAtTheLastUnderscore) {
    struct Case {
        const char* name;
        bool indexed;
        const char* prefix;
        int index;
    };
    for (const Case& c :
         {Case{"key_12", true, "key_", 12}, Case{"DPI_slider_3", true, "DPI_slider_", 3},
          Case{"key_x", true, "key_", 0}, Case{"key_", true, "key_", 0}, Case{"key_12ab", true, "key_", 12},
          Case{"a_b_7", true, "a_b_", 7}, Case{"closebtn", false, "", 0}}) {
        QString prefix;
        int index = -1;
        EXPECT_EQ(splitIndexedName(c.name, prefix, index), c.indexed) << c.name;
        if (c.indexed) {
            EXPECT_EQ(prefix, c.prefix) << c.name;
            EXPECT_EQ(index, c.index) << c.name;
        }
    }
}

TEST(NotifyRouter, TheTableHasOneRowPerNameAndType) {
    NotifyRouter router;
    const std::set<std::string> types{
        "click",    "selectchanged", "valuechanged", "movevaluechanged", "itemselect", "killfocus",
        "setfocus", "itemactivate",  "colorchanged", "click_select_end", "timer",      "dbclick",
        "menu",     "return"};
    std::set<std::string> seen;
    for (const NotifyRoute& route : router.routes()) {
        EXPECT_TRUE(types.count(route.type)) << route.type;
        EXPECT_NE(route.action, nullptr);
        const std::string name = route.name;
        EXPECT_EQ(route.match == RouteMatch::Indexed, !name.empty() && name.back() == '_') << name;
        std::string key =
            std::string(route.type) + "/" + QString::fromLatin1(route.name).toLower().toStdString();
        EXPECT_TRUE(seen.insert(key).second) << key;
    }
    std::set<std::string> items;
    for (const MenuRoute& route : router.menuRoutes())
        EXPECT_TRUE(items.insert(QString::fromLatin1(route.item).toLower().toStdString()).second)
            << route.item;
}

class RouterTest : public MainWndTest {
protected:
    static inline std::vector<std::string>* log = nullptr;
    static void logIndexed(CMainWnd&, const Notification& n, int index) {
        log->push_back("indexed " + n.senderName().toStdString() + " " + std::to_string(index));
    }
    static void logPlain(CMainWnd&, const Notification& n, int) {
        log->push_back("plain " + n.senderName().toStdString());
    }

    void SetUp() override {
        MainWndTest::SetUp();
        log = &calls;
    }
    // Raises a notification from a stand-in control of that name.
    void raise(NotifyRouter& router, const QString& type, const QString& name) {
        QWidget sender;
        sender.setObjectName(name);
        router.dispatch(*window, Notification{type, &sender, 0, 0});
    }
    std::vector<std::string> calls;
};

TEST_F(RouterTest, IndexedRowsRunFirstThenPlainOnesAndExactCaseRowsKeepTheCase) {
    static constexpr NotifyRoute kRows[] = {
        {"click", "Profile_fun_spread_btn", RouteMatch::ExactCase, logPlain},
        {"click", "a_1", RouteMatch::Plain, logPlain},
        {"click", "a_", RouteMatch::Indexed, logIndexed},
        {"click", "key_", RouteMatch::Indexed, logIndexed},
    };
    NotifyRouter router;
    router.addRoutes(kRows);
    raise(router, "click", "A_1");
    raise(router, "click", "key_abc");
    raise(router, "selectchanged", "key_4"); // no row for this type
    raise(router, "click", "profile_fun_spread_btn");
    raise(router, "click", "Profile_fun_spread_btn");
    EXPECT_EQ(calls, (std::vector<std::string>{"indexed A_1 1", "plain A_1", "indexed key_abc 0",
                                               "plain Profile_fun_spread_btn"}));
}

TEST_F(RouterTest, EveryTypeButTimerIsWrittenToTheDebugStream) {
    NotifyRouter router;
    debug.clear();
    raise(router, "timer", "device_option");
    EXPECT_TRUE(debug.empty());
    raise(router, "click", "device_option");
    EXPECT_EQ(debug, std::vector<std::string>{"click device_option"});
}

TEST_F(RouterTest, TheDpiEditIsClampedAndMovesItsSlider) {
    createAndInit();
    auto* edit = window->findControlAs<QLineEdit>("pexal_DPI_edit_2");
    auto* slider = window->findControlAs<QSlider>("pexal_DPI_slider_2");
    ASSERT_TRUE(edit && slider);
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& c :
         {Case{"50", "200"}, Case{"9000", "6500"}, Case{"1200", "1200"}, Case{"abc", "200"}}) {
        edit->setText(c.typed);
        window->sendNotify(edit, notify::kKillFocus);
        EXPECT_EQ(edit->text(), c.shown) << c.typed;
        EXPECT_EQ(slider->value(), QString(c.shown).toInt()) << c.typed;
    }
    slider->setValue(4321);
    window->sendNotify(slider, notify::kMoveValueChanged);
    EXPECT_EQ(edit->text(), "4321");
    EXPECT_EQ(window->findControlAs<QLineEdit>("pexal_DPI_edit_1")->text(), "1600");
}

TEST_F(RouterTest, TheLightSwitchTogglesItsTextAndTellsTheDevices) {
    createAndInit();
    auto* button = window->findControlAs<QPushButton>("control_light_status");
    button->click();
    EXPECT_EQ(window->lightControl(), 0);
    EXPECT_EQ(button->property("textid").toString(), "不控制灯光");
    button->click();
    EXPECT_EQ(window->lightControl(), 1);
    EXPECT_EQ(button->property("textid").toString(), "控制灯光");
    EXPECT_EQ(keyboard.light, (std::vector<int>{0, 1}));
}

TEST_F(RouterTest, WindowButtonsHideCloseAndReachTheDeviceList) {
    createAndInit();
    fireLayoutTimer();
    std::vector<int> scrolls;
    window->deviceList.scrollEntries = [&](int step) { scrolls.push_back(step); };
    window->findControlAs<QPushButton>("device_select_prev")->click();
    window->findControlAs<QPushButton>("device_select_next")->click();
    EXPECT_EQ(scrolls, (std::vector<int>{-1, 1}));

    window->findControlAs<QPushButton>("nodevice_ok_btn")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isClosed());

    window->show();
    window->findControlAs<QPushButton>("closebtn")->click();
    EXPECT_EQ(keyboard.hidden, std::vector<int>{1});
    EXPECT_TRUE(window->isClosed());
}

TEST(DesktopSettings, TheFirstSettingsProgramPresentIsUsed) {
    auto only = [](std::set<QString> present) {
        return
            [present](const QString& name) { return present.count(name) ? "/usr/bin/" + name : QString(); };
    };
    EXPECT_EQ(desktopSettingsCommand(kKeyboardSettings, only({"gnome-control-center"})),
              (QStringList{"/usr/bin/gnome-control-center", "keyboard"}));
    EXPECT_EQ(desktopSettingsCommand(kMouseSettings, only({"systemsettings"})),
              (QStringList{"/usr/bin/systemsettings", "kcm_mouse"}));
    EXPECT_EQ(
        desktopSettingsCommand(kMouseSettings, only({"xfce4-keyboard-settings", "xfce4-mouse-settings"})),
        (QStringList{"/usr/bin/xfce4-mouse-settings"}));
    EXPECT_TRUE(desktopSettingsCommand(kKeyboardSettings, only({})).isEmpty());
    EXPECT_TRUE(desktopSettingsCommand(2, only({"gnome-control-center"})).isEmpty());
}

} // namespace
} // namespace v38

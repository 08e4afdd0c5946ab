#include "gui/ui/test_window.h"

#include "gui/ui/language_texts.h"
#include "gui/ui/menu_file.h"

#include <QAction>
#include <QMenu>

namespace v38 {
namespace {

using MenuFileTest = TestSkinFixture;

TEST_F(MenuFileTest, ItemsReportTheirNamesAndTakeTheirTexts) {
    ASSERT_TRUE(LanguageTexts::current().load(skinDir() + "/lan_test.xml"));
    QVector<MenuItem> items;
    ASSERT_TRUE(readMenuFile(menuFilePath("test.menu.xml"), items));
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[1].name.isEmpty()); // separator
    ASSERT_EQ(items[2].children.size(), 1);

    QStringList chosen;
    std::unique_ptr<QMenu> menu(
        buildMenu(items, nullptr, [&chosen](const QString& name) { chosen << name; }));
    auto* about = menu->findChild<QAction*>("about_menu");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "About V38");
    EXPECT_EQ(menu->findChild<QAction*>("exit")->text(), "exit"); // no text: the id shows
    about->trigger();
    menu->findChild<QAction*>("Inner_Item")->trigger();
    EXPECT_EQ(chosen, (QStringList{"about_menu", "Inner_Item"}));
}

TEST_F(MenuFileTest, MalformedOrMissingMenusAreRefused) {
    QVector<MenuItem> items;
    EXPECT_FALSE(readMenuFile(menuFilePath("none.xml"), items));
    for (const char* bad : {"", "<Other/>", "<Menu><Item/></Menu>", "<Menu><Item name=\"a\">"})
        EXPECT_FALSE(parseMenu(bad, items)) << bad;
    QByteArray deep = "<Menu>";
    for (int i = 0; i < 50; ++i)
        deep += "<Item name=\"x\">";
    for (int i = 0; i < 50; ++i)
        deep += "</Item>";
    deep += "</Menu>";
    EXPECT_TRUE(parseMenu(deep, items)); // nesting beyond the limit is cut, not followed
    QByteArray many = "<Menu>";
    for (int i = 0; i < 600; ++i)
        many += "<Item name=\"x\"/>";
    many += "</Menu>";
    EXPECT_FALSE(parseMenu(many, items));
}

} // namespace
} // namespace v38

#include "gui/ui/test_window.h"

#include "gui/ui/notification_bridge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

namespace v38 {
namespace {

class NotificationBridgeTest : public TestSkinFixture {
protected:
    void SetUp() override {
        TestSkinFixture::SetUp();
        ASSERT_TRUE(window.loadLayout("TestLayout"));
        window.show();
        window.activateWindow();
        QCoreApplication::processEvents();
        window.take();
    }

    template <class T>
    T* control(const char* name) {
        T* found = window.findControlAs<T>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TestWindow window;
};

using Notes = std::vector<Seen>;

// Radio buttons and check boxes react on their indicator.
void clickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

TEST_F(NotificationBridgeTest, ButtonsAndOptionsRaiseClickThenSelectChanged) {
    auto* plain = control<QPushButton>("plain_btn");
    QTest::mouseClick(plain, Qt::LeftButton);
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_Space);
    EXPECT_EQ(window.take(), (Notes{{"click", "plain_btn", 0, 0}, {"click", "plain_btn", 0, 0}}));

    // Grouped: only the newly selected option raises selectchanged.
    auto* a = control<QRadioButton>("radio_a");
    auto* b = control<QRadioButton>("radio_b");
    clickIndicator(a);
    clickIndicator(a);
    clickIndicator(b);
    EXPECT_EQ(window.take(), (Notes{{"click", "radio_a", 0, 0},
                                    {"selectchanged", "radio_a", 0, 0},
                                    {"click", "radio_a", 0, 0},
                                    {"click", "radio_b", 0, 0},
                                    {"selectchanged", "radio_b", 0, 0}}));
    EXPECT_FALSE(a->isChecked());

    // Ungrouped check: both transitions.
    auto* toggle = control<QPushButton>("toggle_btn");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(window.take(), (Notes{{"click", "toggle_btn", 0, 0},
                                    {"selectchanged", "toggle_btn", 0, 0},
                                    {"click", "toggle_btn", 0, 0},
                                    {"selectchanged", "toggle_btn", 0, 0}}));

    // A check box also reports the press.
    clickIndicator(control<QCheckBox>("check_one"));
    EXPECT_EQ(window.take(), (Notes{{"checkclick", "check_one", 0, 0},
                                    {"click", "check_one", 0, 0},
                                    {"selectchanged", "check_one", 0, 0}}));
}

TEST_F(NotificationBridgeTest, ComboRaisesItemSelectWithNewAndOldIndexSkippingHiddenRows) {
    auto* combo = control<QComboBox>("combo");
    NotificationBridge::setComboItemHidden(combo, 2, true);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down); // row 2 is hidden: lands on 3
    QTest::keyClick(combo, Qt::Key_Down); // at the end: no change, nothing raised
    EXPECT_EQ(window.take(), (Notes{{"itemselect", "combo", 1, 0}, {"itemselect", "combo", 3, 1}}));
    EXPECT_EQ(combo->count(), 4);
    // A code change in between does not make the next user change report the wrong old index.
    combo->setCurrentIndex(0);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(window.take(), (Notes{{"itemselect", "combo", 1, 0}}));
}

TEST_F(NotificationBridgeTest, SliderRaisesMoveWhileDraggingAndValueChangedOtherwise) {
    auto* slider = control<QSlider>("slider");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(window.take(), (Notes{{"valuechanged", "slider", 0, 0}}));
    QTest::keyClick(slider, Qt::Key_Home);
    QTest::keyClick(slider, Qt::Key_Home); // already at the minimum
    EXPECT_EQ(window.take(), (Notes{{"valuechanged", "slider", 0, 0}}));
    slider->setSliderDown(true);
    slider->setSliderPosition(40);
    slider->setSliderPosition(60);
    slider->setSliderDown(false);
    EXPECT_EQ(window.take(), (Notes{{"movevaluechanged", "slider", 0, 0},
                                    {"movevaluechanged", "slider", 0, 0},
                                    {"valuechanged", "slider", 0, 0}}));
    EXPECT_EQ(slider->value(), 60);
}

TEST_F(NotificationBridgeTest, EditsRaiseFocusTextAndReturn) {
    auto* edit = control<QLineEdit>("edit");
    auto* rich = control<QTextEdit>("rich");
    edit->setFocus();
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Return);
    rich->setFocus();
    EXPECT_EQ(window.take(), (Notes{{"setfocus", "edit", 0, 0},
                                    {"textchanged", "edit", 0, 0},
                                    {"textchanged", "edit", 0, 0},
                                    {"return", "edit", 0, 0},
                                    {"killfocus", "edit", 0, 0},
                                    {"setfocus", "rich", 0, 0}}));
}

TEST_F(NotificationBridgeTest, ListRaisesItemClickItemSelectAndItemActivate) {
    auto* list = control<QListWidget>("list");
    list->setCurrentRow(0);
    QCoreApplication::processEvents();
    window.take();
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCoreApplication::processEvents();
    Notes notes = window.take();
    EXPECT_NE(std::find(notes.begin(), notes.end(), Seen{"itemselect", "list", 2, 0}), notes.end());
    EXPECT_NE(std::find(notes.begin(), notes.end(), Seen{"itemclick", "list", 0, 0}), notes.end());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(window.take(), (Notes{{"itemactivate", "list", 0, 0}}));
}

TEST_F(NotificationBridgeTest, ProgramControlsRaiseTheirOwnTypes) {
    dynamic_cast<TestPalette*>(window.findControl("palette"))->pick(0xFF112233);
    EXPECT_EQ(window.take(), (Notes{{"colorchanged", "palette", static_cast<qintptr>(0xFF112233u), 0}}));
    window.sendNotify(window.findControl("label"), notify::kClickSelectEnd);
    QWidget* progress = window.findControl("progress");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2), progress->mapToGlobal(QPoint(2, 2)));
    ASSERT_TRUE(progress->property("notifymenu").toBool());
    QCoreApplication::sendEvent(progress, &request);
    EXPECT_EQ(window.take(), (Notes{{"click_select_end", "label", 0, 0}, {"menu", "progress", 0, 0}}));
    window.postNotify(window.findControl("label"), notify::kDbClick);
    EXPECT_TRUE(window.take().empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.take(), (Notes{{"dbclick", "label", 0, 0}}));
}

TEST_F(NotificationBridgeTest, ControlsSetFromCodeRaiseNothing) {
    control<QRadioButton>("radio_b")->setChecked(true);
    control<QPushButton>("toggle_btn")->setChecked(true);
    control<QCheckBox>("check_one")->setChecked(true);
    control<QComboBox>("combo")->setCurrentIndex(2);
    control<QSlider>("slider")->setValue(33);
    control<QLineEdit>("edit")->setText("500");
    control<QListWidget>("list")->setCurrentRow(1);
    control<QTextEdit>("rich")->setPlainText("x");
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.take().empty());
}

} // namespace
} // namespace v38

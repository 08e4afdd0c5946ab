// Drag selection over a device picture and the key button's double click.
#include "gui/devices/device_key_button_ui.h"
#include "gui/devices/select_panel_ui.h"
#include "gui/ui/test_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

namespace v38 {
namespace {

// Derived from the key button: not the exact class, so a selection skips it.
class DerivedKeyButton : public CDeviceKeyButtonUI {
    Q_OBJECT
public:
    using CDeviceKeyButtonUI::CDeviceKeyButtonUI;
};

class SelectPanelTest : public TestSkinFixture {
protected:
    void SetUp() override {
        TestSkinFixture::SetUp();
        ASSERT_TRUE(window.loadLayout("TestLayout"));
        panel = new CSelectPanelUI(window.root());
        panel->setObjectName("device_key_light");
        panel->setGeometry(0, 0, 400, 200);
        // a (10,10)-(50,50), b (100,10)-(140,50), c (200,100)-(240,140); the plain button and the derived one
        // overlap everything a drag over the top row covers.
        a = key("key_0", {10, 10, 40, 40});
        b = key("key_1", {100, 10, 40, 40});
        c = key("key_2", {200, 100, 40, 40});
        other = new QPushButton(panel);
        other->setObjectName("other");
        other->setGeometry(60, 10, 30, 40);
        derived = new DerivedKeyButton(panel);
        derived->setObjectName("derived");
        derived->setGeometry(150, 10, 30, 40);
        window.attachControls(panel);
        window.show();
        window.take();
    }

    CDeviceKeyButtonUI* key(const char* name, QRect geometry) {
        auto* button = new CDeviceKeyButtonUI(panel);
        button->setObjectName(name);
        button->setGeometry(geometry);
        return button;
    }

    // Sends the events as the mouse grab delivers them: every event of the gesture to the widget
    // pressed first, in its own coordinates.
    void send(QWidget* target, QEvent::Type type, QPoint panelPoint, Qt::MouseButtons buttons) {
        const QPointF local = target->mapFrom(panel, panelPoint);
        QMouseEvent event(type, local, target->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void drag(QPoint from, QPoint to, int steps = 4) {
        QWidget* target = panel->childAt(from) ? panel->childAt(from) : panel;
        send(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int i = 1; i <= steps; ++i)
            send(target, QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton);
        send(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    std::vector<int> selection() const { return {a->selected(), b->selected(), c->selected()}; }
    int selectEnds() {
        int count = 0;
        for (const Seen& seen : window.take())
            count += seen.type == "click_select_end" && seen.sender == "device_key_light";
        return count;
    }

    TestWindow window;
    CSelectPanelUI* panel = nullptr;
    CDeviceKeyButtonUI *a = nullptr, *b = nullptr, *c = nullptr;
    QPushButton* other = nullptr;
    DerivedKeyButton* derived = nullptr;
};

TEST_F(SelectPanelTest, AClickOrAWobbleSelectsNothingAndRaisesNoSelectionEnd) {
    const int wobble = std::max(1, QApplication::startDragDistance() - 1);
    for (QPoint start : {QPoint(30, 30), QPoint(300, 20)}) {
        drag(start, start, 1);
        drag(start, start + QPoint(wobble, 0), 2);
        EXPECT_EQ(selection(), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(selectEnds(), 0);
    }
}

TEST_F(SelectPanelTest, ForwardAndReverseDragsSelectWhatTheyTouch) {
    struct Case {
        QPoint from, to;
        std::vector<int> selected;
    };
    const Case cases[] = {
        {{5, 5}, {120, 30}, {1, 1, 0}},    // b only partly covered
        {{120, 30}, {5, 5}, {1, 1, 0}},    // the same area backwards
        {{300, 190}, {45, 45}, {1, 1, 1}}, // bottom right to top left, touching a's corner
        {{185, 55}, {145, 5}, {0, 0, 0}},  // only the derived button, which is skipped
        {{210, 5}, {220, 120}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        drag(c.from, c.to);
        EXPECT_EQ(selection(), c.selected)
            << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y();
        EXPECT_EQ(selectEnds(), 1);
        EXPECT_EQ(derived->selected(), 0);
    }
}

TEST_F(SelectPanelTest, ADragThatStartsOnAKeyDoesNotClickIt) {
    int clicks = 0;
    QObject::connect(a, &QPushButton::clicked, [&] { ++clicks; });
    drag({30, 30}, {35, 80});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(selection(), (std::vector<int>{1, 0, 0}));
    drag({30, 30}, {30, 30}, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SelectPanelTest, DoubleClickRaisesOnlyInsideAnEnabledButton) {
    auto doubleClick = [&](CDeviceKeyButtonUI* button, QPoint local) {
        QMouseEvent event(QEvent::MouseButtonDblClick, local, button->mapToGlobal(QPointF(local)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
        int count = 0;
        for (const Seen& seen : window.take())
            count += seen.type == "dbclick" && seen.sender == button->objectName();
        return count;
    };
    EXPECT_EQ(doubleClick(a, {20, 20}), 1);
    EXPECT_EQ(doubleClick(a, {60, 20}), 0);
    b->setEnabled(false);
    EXPECT_EQ(doubleClick(b, {20, 20}), 0);
}

TEST(DeviceKeyButton, AttributesAndLight) {
    CDeviceKeyButtonUI button;
    EXPECT_EQ(button.lightColour(), 255u);
    EXPECT_EQ(button.lightIntensity(), 200);
    EXPECT_FALSE(button.lightShown());
    EXPECT_TRUE(button.keySetMarkHidden());
    EXPECT_TRUE(button.setProperty("lightimage", "light.png"));
    EXPECT_TRUE(button.setProperty("keysetimage", "mark.png"));
    EXPECT_TRUE(button.setProperty("gmnametextcolor", "#zz"));
    EXPECT_EQ(button.lightImage(), "light.png");
    EXPECT_EQ(button.keySetImage(), "mark.png");
    button.setLight(0x00FF8000, 128, true);
    EXPECT_EQ(button.shownColour(), QColor(0, 64, 128));
}

} // namespace
} // namespace v38

#include "select_panel_test.moc"

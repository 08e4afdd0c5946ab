#include "gui/devices/device_picture.h"

#include "gui/devices/device_key_button_ui.h"
#include "gui/devices/keyboard_picture_table.h"
#include "gui/devices/select_panel_ui.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace v38 {

namespace {

constexpr int kKeyboardPositions = 170;
constexpr int kMouseKeys = 11;
constexpr int kMouseLights = 15;
constexpr int kPadLights = 15;
constexpr int kHeadsetLights = 13;

CDeviceKeyButtonUI* addButton(DevicePicture& picture, const QString& name, const QString& userData,
                              const QRectF& unit, CDeviceKeyButtonUI::Shape shape,
                              const QString& legend = {}) {
    auto* button = new CDeviceKeyButtonUI(picture.panel);
    button->setObjectName(name);
    button->setProperty("userData", userData);
    button->setProperty(CSelectPanelUI::kUnitRect, unit);
    button->setShape(shape);
    button->setText(legend);
    picture.buttons.push_back(button);
    return button;
}

QRectF lightAt(QPointF centre, qreal size = 0.9) {
    return {centre.x() - size / 2, centre.y() - size / 2, size, size};
}

void buildKeyboard(DevicePicture& picture) {
    std::array<const KeyCap*, kKeyboardPositions> caps{};
    for (const KeyCap& cap : kKeyboardPicture)
        caps[static_cast<size_t>(cap.position)] = &cap;
    const double margin = 0.35;
    for (int i = 0; i < kKeyboardPositions; ++i) {
        const KeyCap* cap = caps[static_cast<size_t>(i)];
        const QRectF unit =
            cap ? QRectF(cap->x + margin, cap->y + margin, cap->width, cap->height) : QRectF();
        CDeviceKeyButtonUI* button =
            addButton(picture, QStringLiteral("key_%1").arg(i), QStringLiteral("light_%1").arg(i), unit,
                      CDeviceKeyButtonUI::Shape::KeyCap, cap ? QString::fromUtf8(cap->legend) : QString());
        // Positions without a key in this layout stay hidden.
        button->setVisible(cap != nullptr);
    }
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.05, 0.05, kKeyboardPictureWidth + 2 * margin - 0.1,
                                  kKeyboardPictureHeight + 2 * margin - 0.1),
                           0.35, 0.35);
    picture.panel->setOutline(outline);
    picture.panel->setPictureSize({kKeyboardPictureWidth + 2 * margin, kKeyboardPictureHeight + 2 * margin});
}

void buildMouse(DevicePicture& picture) {
    // Top view, nose up: 10 x 16 units.
    struct Key {
        QRectF unit;
        const char* legend;
    };
    const Key keys[kMouseKeys] = {
        {{1.2, 0.9, 3.5, 5.0}, "L"},  {{5.3, 0.9, 3.5, 5.0}, "R"},   {{4.35, 1.6, 1.3, 2.4}, "M"},
        {{0.15, 6.6, 0.8, 1.7}, "4"}, {{0.15, 8.5, 0.8, 1.7}, "5"},  {{4.35, 4.4, 1.3, 1.0}, "DPI"},
        {{9.05, 6.6, 0.8, 1.7}, "6"}, {{9.05, 8.5, 0.8, 1.7}, "7"},  {{2.0, 6.2, 1.6, 0.8}, "8"},
        {{6.4, 6.2, 1.6, 0.8}, "9"},  {{4.35, 5.7, 1.3, 0.8}, "10"},
    };
    for (int i = 0; i < kMouseKeys; ++i)
        addButton(picture, QStringLiteral("key_%1").arg(i), QString(), keys[i].unit,
                  CDeviceKeyButtonUI::Shape::KeyCap, QLatin1String(keys[i].legend));
    // The light strip runs round the lower half of the body.
    for (int i = 0; i < kMouseLights; ++i) {
        const double angle = std::numbers::pi * (0.05 + 0.9 * i / (kMouseLights - 1));
        const QPointF centre(5 - 4.6 * std::cos(angle), 9.5 + 5.6 * std::sin(angle));
        addButton(picture, QStringLiteral("light_%1").arg(i), QStringLiteral("light_%1").arg(i),
                  lightAt(centre, 0.8), CDeviceKeyButtonUI::Shape::Light);
    }
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.6, 0.3, 8.8, 15.2), 4.4, 4.4);
    picture.panel->setOutline(outline);
    picture.panel->setPictureSize({10, 16});
}

void buildMousePad(DevicePicture& picture) {
    // 20 x 12 units; the lights run round the edge, clockwise from the top left.
    const QRectF edge(1, 1, 18, 10);
    const double perimeter = 2 * (edge.width() + edge.height());
    for (int i = 0; i < kPadLights; ++i) {
        double d = perimeter * i / kPadLights;
        QPointF p;
        if (d < edge.width())
            p = {edge.left() + d, edge.top()};
        else if ((d -= edge.width()) < edge.height())
            p = {edge.right(), edge.top() + d};
        else if ((d -= edge.height()) < edge.width())
            p = {edge.right() - d, edge.bottom()};
        else
            p = {edge.left(), edge.bottom() - (d - edge.width())};
        addButton(picture, QStringLiteral("light_%1").arg(i), QStringLiteral("light_%1").arg(i), lightAt(p),
                  CDeviceKeyButtonUI::Shape::Light);
    }
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.4, 0.4, 19.2, 11.2), 0.8, 0.8);
    picture.panel->setOutline(outline);
    picture.panel->setPictureSize({20, 12});
}

void buildHeadset(DevicePicture& picture) {
    // 18 x 12 units: the band on top, the ear cups below with six lights each; light 12 on the band.
    const QPointF cups[2] = {{4, 8}, {14, 8}};
    int index = 0;
    for (const QPointF& cup : cups)
        for (int i = 0; i < 6; ++i, ++index) {
            const double angle = 2 * std::numbers::pi * i / 6 - std::numbers::pi / 2;
            const QPointF p(cup.x() + 2.2 * std::cos(angle), cup.y() + 2.2 * std::sin(angle));
            addButton(picture, QStringLiteral("light_%1").arg(index), QStringLiteral("light_%1").arg(index),
                      lightAt(p, 0.8), CDeviceKeyButtonUI::Shape::Light);
        }
    addButton(picture, QStringLiteral("light_12"), QStringLiteral("light_12"), lightAt({9, 0.9}, 0.8),
              CDeviceKeyButtonUI::Shape::Light);
    // Built ten times larger: the union flattens curves at the path's own scale.
    QPainterPath band;
    band.moveTo(22, 64);
    band.cubicTo(22, -12, 158, -12, 158, 64);
    QPainterPathStroker stroker;
    stroker.setWidth(7);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath cupsPath;
    cupsPath.addEllipse(cups[0] * 10, 31, 31);
    cupsPath.addEllipse(cups[1] * 10, 31, 31);
    const QPainterPath outline =
        QTransform::fromScale(0.1, 0.1).map(stroker.createStroke(band).united(cupsPath));
    picture.panel->setOutline(outline);
    picture.panel->setPictureSize({18, 12});
}

} // namespace

DevicePicture buildDevicePicture(int kindIndex, QWidget* parent) {
    DevicePicture picture;
    picture.panel = new CSelectPanelUI(parent);
    switch (kindIndex) {
    case 0:
        picture.panel->setObjectName(QStringLiteral("mouse_device_key_light"));
        buildMouse(picture);
        break;
    case 1:
        picture.panel->setObjectName(QStringLiteral("device_key_light"));
        buildKeyboard(picture);
        break;
    case 2:
        picture.panel->setObjectName(QStringLiteral("mousepad_device_key_light"));
        buildMousePad(picture);
        break;
    case 3:
        picture.panel->setObjectName(QStringLiteral("hs6533_device_key_light"));
        buildHeadset(picture);
        break;
    default:
        break;
    }
    return picture;
}

} // namespace v38

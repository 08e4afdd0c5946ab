#include "gui/devices/device_key_button_ui.h"

#include "gui/ui/window_base.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace v38 {

namespace {
const QColor kCap("#272b34");
const QColor kCapBorder("#323743");
const QColor kLegend("#e8eaf0");
const QColor kAccent("#19c3ff");
const QColor kDisabled("#5b616d");
} // namespace

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void CDeviceKeyButtonUI::setShape(Shape shape) {
    m_shape = shape;
    update();
}

void CDeviceKeyButtonUI::setLight(quint32 colour, int intensity, bool shown) {
    if (colour == m_colour && intensity == m_intensity && shown == m_lightShown)
        return;
    m_colour = colour;
    m_intensity = intensity;
    m_lightShown = shown;
    update();
}

QColor CDeviceKeyButtonUI::shownColour() const {
    const int level = std::clamp(m_intensity, 0, 255);
    auto channel = [&](int shift) { return static_cast<int>((m_colour >> shift & 0xFF) * level / 255); };
    return QColor(channel(0), channel(8), channel(16));
}

void CDeviceKeyButtonUI::setSelected(int value) {
    if (value == m_selected)
        return;
    m_selected = value;
    update();
}

void CDeviceKeyButtonUI::setKeySetMarkHidden(bool hidden) {
    m_keySetHidden = hidden;
    update();
}

void CDeviceKeyButtonUI::setLightImage(const QString& image) {
    m_lightImage = image;
    update();
}

void CDeviceKeyButtonUI::setKeySetImage(const QString& image) {
    m_keySetImage = image;
    update();
}

void CDeviceKeyButtonUI::setGmNameTextColor(const QString& colour) {
    m_gmNameTextColor = colour;
    bool ok = false;
    (void)QStringView(colour).mid(colour.startsWith('#') ? 1 : 0).toUInt(&ok, 16);
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool enabled = isEnabled();
    const QColor light = shownColour();
    if (m_shape == Shape::Light) {
        // An LED: a dot with a soft glow in its colour.
        const qreal radius = std::min(area.width(), area.height()) / 2;
        const QPointF centre = area.center();
        if (m_lightShown && enabled) {
            QRadialGradient glow(centre, radius);
            QColor outer = light;
            outer.setAlpha(0);
            glow.setColorAt(0, light);
            glow.setColorAt(0.55, light);
            glow.setColorAt(1, outer);
            painter.setPen(Qt::NoPen);
            painter.setBrush(glow);
            painter.drawEllipse(centre, radius, radius);
        }
        painter.setPen(QPen(m_selected ? kAccent : kCapBorder, m_selected ? 2 : 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius * 0.55, radius * 0.55);
        return;
    }
    // A key cap: rounded, its LED as a glow along the inside, its legend on top.
    QPainterPath cap;
    cap.addRoundedRect(area, 4, 4);
    painter.fillPath(cap, kCap);
    if (m_lightShown && enabled) {
        QColor glow = light;
        glow.setAlpha(25);
        QRadialGradient gradient(area.center(), std::max(area.width(), area.height()) * 0.75);
        QColor edge = light;
        edge.setAlpha(120);
        gradient.setColorAt(0, glow);
        gradient.setColorAt(1, edge);
        painter.fillPath(cap, gradient);
    }
    painter.setPen(QPen(m_selected ? kAccent : kCapBorder, m_selected ? 2 : 1));
    painter.drawPath(cap);
    if (!m_keySetHidden) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawEllipse(QPointF(area.right() - 4, area.top() + 4), 2, 2);
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(7, static_cast<int>(std::min(area.height(), 28.0) * 0.34)));
    painter.setFont(font);
    painter.setPen(enabled ? kLegend : kDisabled);
    painter.drawText(area, Qt::AlignCenter, text());
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (isEnabled() && rect().contains(event->position().toPoint())) {
        setDown(true);
        WindowBase::notifyFrom(this, QStringLiteral("dbclick"));
        update();
        event->accept();
        return;
    }
    QPushButton::mouseDoubleClickEvent(event);
}

} // namespace v38

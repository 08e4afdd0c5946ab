#include "gui/devices/select_panel_ui.h"

#include "gui/devices/device_key_button_ui.h"
#include "gui/ui/window_base.h"

#include <QApplication>
#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>

namespace v38 {

namespace {
// Only this exact class takes part in a selection, not controls derived from it.
bool isKeyButton(const QObject* object) {
    return object &&
           qstrcmp(object->metaObject()->className(), CDeviceKeyButtonUI::staticMetaObject.className()) == 0;
}
} // namespace

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StyledBackground, false);
}

void CSelectPanelUI::setPictureSize(const QSizeF& units) {
    m_units = units;
    placeChildren();
}

void CSelectPanelUI::setOutline(const QPainterPath& units) {
    m_outline = units;
    update();
}

QTransform CSelectPanelUI::unitTransform() const {
    if (m_units.isEmpty())
        return {};
    const qreal scale = std::min(width() / m_units.width(), height() / m_units.height());
    const qreal dx = (width() - m_units.width() * scale) / 2;
    const qreal dy = (height() - m_units.height() * scale) / 2;
    return QTransform(scale, 0, 0, scale, dx, dy);
}

void CSelectPanelUI::placeChildren() {
    if (m_units.isEmpty())
        return;
    const QTransform transform = unitTransform();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant unit = child->property(kUnitRect);
        if (unit.isValid())
            child->setGeometry(transform.mapRect(unit.toRectF()).toAlignedRect());
    }
}

void CSelectPanelUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void CSelectPanelUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_outline.isEmpty()) {
        const QTransform transform = unitTransform();
        painter.setPen(QPen(QColor("#323743"), 2));
        painter.setBrush(QColor("#191b21"));
        painter.drawPath(transform.map(m_outline));
    }
    if (m_dragging) {
        QColor fill("#19c3ff");
        fill.setAlpha(40);
        painter.setPen(QPen(QColor("#19c3ff"), 1));
        painter.setBrush(fill);
        painter.drawRect(m_selection);
    }
}

void CSelectPanelUI::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    // Presses on the buttons belong to the panel's drag as well.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool CSelectPanelUI::eventFilter(QObject* watched, QEvent* event) {
    auto* source = qobject_cast<QWidget*>(watched);
    if (!source || source->parentWidget() != this)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            press(source->mapTo(this, mouse->position().toPoint()));
        return false;
    }
    case QEvent::MouseMove:
        return move(source->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()), source);
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            return release();
        return false;
    default:
        return false;
    }
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        press(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
    if (!move(event->position().toPoint(), this))
        QWidget::mouseMoveEvent(event);
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !release())
        QWidget::mouseReleaseEvent(event);
}

void CSelectPanelUI::press(const QPoint& point) {
    if (!isEnabled())
        return;
    m_pressed = true;
    m_start = point;
    m_end = point;
}

bool CSelectPanelUI::move(const QPoint& point, QWidget* source) {
    if (!m_pressed)
        return false;
    // A hand that wobbles a pixel or two is still clicking.
    if (!m_dragging && (point - m_start).manhattanLength() < QApplication::startDragDistance())
        return false;
    if (!m_dragging) {
        m_dragging = true;
        // The button pressed first does not click at the end of the drag.
        if (auto* button = qobject_cast<QAbstractButton*>(source); button && source != this)
            button->setDown(false);
    }
    m_end = point;
    m_selection = QRect(QPoint(std::min(m_start.x(), m_end.x()), std::min(m_start.y(), m_end.y())),
                        QPoint(std::max(m_start.x(), m_end.x()), std::max(m_start.y(), m_end.y())));
    update();
    return true;
}

bool CSelectPanelUI::release() {
    m_pressed = false;
    if (!m_dragging)
        return false;
    m_dragging = false;
    m_start = m_end;
    applySelection();
    update();
    WindowBase::notifyFrom(this, QStringLiteral("click_select_end"));
    return true;
}

void CSelectPanelUI::applySelection() {
    for (QObject* child : children())
        if (isKeyButton(child)) {
            auto* button = static_cast<CDeviceKeyButtonUI*>(child);
            button->setSelected(button->geometry().intersects(m_selection) ? 1 : 0);
        }
}

} // namespace v38

// CSelectPanelUI ("SelectPanel"): the container of a device picture. Dragging a rectangle over it
// selects the "DeviceKeyButton" children the rectangle touches; children are placed by their unit
// rectangles, scaled to the panel and centred.
#pragma once

#include <QPainterPath>
#include <QRect>
#include <QWidget>

namespace v38 {

class CSelectPanelUI : public QWidget {
    Q_OBJECT
public:
    // Name of the dynamic property holding a child's rectangle in picture units (QRectF).
    static constexpr const char* kUnitRect = "unitRect";

    explicit CSelectPanelUI(QWidget* parent = nullptr);

    // The picture's size in units; the children's unit rectangles are placed in it.
    void setPictureSize(const QSizeF& units);
    // An outline drawn behind the children, in units.
    void setOutline(const QPainterPath& units);
    QRect selectionRect() const { return m_selection; }
    bool dragging() const { return m_dragging; }
    // Places the children now (done on every resize).
    void placeChildren();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The drag steps; each returns true when it took the event.
    void press(const QPoint& point);
    bool move(const QPoint& point, QWidget* source);
    bool release();
    void applySelection();
    QTransform unitTransform() const;

    QSizeF m_units;
    QPainterPath m_outline;
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_start, m_end;
    QRect m_selection;
};

} // namespace v38

// CDeviceKeyButtonUI ("DeviceKeyButton"): one key or light of a device picture. It shows the light in
// its LED's colour and intensity, a mark when the key has an assignment, and the drag selection.
#pragma once

#include <QPushButton>

namespace v38 {

class CDeviceKeyButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString lightimage READ lightImage WRITE setLightImage)
    Q_PROPERTY(QString keysetimage READ keySetImage WRITE setKeySetImage)
    Q_PROPERTY(QString gmnametextcolor READ gmNameTextColor WRITE setGmNameTextColor)
public:
    enum class Shape { KeyCap, Light };

    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    void setShape(Shape shape);
    // colour is 0x00BBGGRR as the LED values hold it; intensity 0..255.
    void setLight(quint32 colour, int intensity, bool shown);
    quint32 lightColour() const { return m_colour; }
    int lightIntensity() const { return m_intensity; }
    bool lightShown() const { return m_lightShown; }
    // The colour the light is drawn in (colour scaled by intensity).
    QColor shownColour() const;

    void setSelected(int value);
    int selected() const { return m_selected; }
    void setKeySetMarkHidden(bool hidden);
    bool keySetMarkHidden() const { return m_keySetHidden; }

    QString lightImage() const { return m_lightImage; }
    void setLightImage(const QString& image);
    QString keySetImage() const { return m_keySetImage; }
    void setKeySetImage(const QString& image);
    // Accepted and read ("#" skipped, hexadecimal), but it changes nothing.
    QString gmNameTextColor() const { return m_gmNameTextColor; }
    void setGmNameTextColor(const QString& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Shape m_shape = Shape::KeyCap;
    quint32 m_colour = 255;
    int m_intensity = 200;
    bool m_lightShown = false;
    bool m_keySetHidden = true;
    int m_selected = 0;
    QString m_lightImage, m_keySetImage, m_gmNameTextColor;
};

} // namespace v38

// CMpDevicePowerUI: the battery panel of one device ("MpDevicePower") in "device_power_switch",
// drawing the core's power panel state.
#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;

namespace v38 {

class PowerPanel;

class CMpDevicePowerUI : public QFrame {
    Q_OBJECT
public:
    explicit CMpDevicePowerUI(QWidget* parent = nullptr);

    void showPanel(const PowerPanel& panel);

    QLabel* valueLabel() const { return m_value; }
    QProgressBar* progress() const { return m_progress; }
    QWidget* batteryGroup() const { return m_group; }
    QLabel* wirelessLogo() const { return m_wireless; }
    QLabel* statusImage() const { return m_status; }
    QLabel* phoneImage() const { return m_phone; }

private:
    void showEmpty();

    QWidget* m_group;
    QLabel* m_value;
    QProgressBar* m_progress;
    QLabel* m_status;
    QLabel* m_wireless;
    QLabel* m_phone;
};

} // namespace v38

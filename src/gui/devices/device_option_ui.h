// CDeviceOptionUI: the list entry of one device kind ("DeviceOption"): the select option with the
// kind's icon, the kind's name and the synchro check. It draws one entry of the core device list.
#pragma once

#include <QFrame>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace v38 {

struct DeviceEntry;

class CDeviceOptionUI : public QFrame {
    Q_OBJECT
public:
    explicit CDeviceOptionUI(int entryIndex, QWidget* parent = nullptr);

    int entryIndex() const { return m_entryIndex; }
    // Icons, name, selection and synchro check of the entry; visibility stays with the caller.
    void showEntry(const DeviceEntry& entry);
    void showSynchroCheck(bool shown);

    QPushButton* selectOption() const { return m_select; }
    QCheckBox* synchroCheck() const { return m_synchro; }
    QLabel* nameLabel() const { return m_name; }
    // The entry that holds a control (the control itself or one of its ancestors); null for none.
    static CDeviceOptionUI* ofControl(QWidget* control);

private:
    void showIcon();

    int m_entryIndex;
    QPushButton* m_select;
    QLabel* m_icon;
    QLabel* m_name;
    QCheckBox* m_synchro;
    std::string m_normal, m_selected, m_synchroNormal, m_synchroSelected;
    bool m_isSelected = false;
    bool m_isSynchro = false;
};

} // namespace v38

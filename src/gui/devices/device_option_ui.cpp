#include "gui/devices/device_option_ui.h"

#include "core/devices/device_entry.h"
#include "gui/devices/skin_image.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace v38 {

namespace {
constexpr int kIconSize = 28;
}

CDeviceOptionUI::CDeviceOptionUI(int entryIndex, QWidget* parent) : QFrame(parent), m_entryIndex(entryIndex) {
    setObjectName(QStringLiteral("DeviceOption_%1").arg(entryIndex));
    setProperty("class", QStringLiteral("DeviceOption"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The whole row is the option; icon, name and check sit inside it.
    m_select = new QPushButton(this);
    m_select->setObjectName(QStringLiteral("device_select"));
    m_select->setCheckable(true);
    m_select->setProperty("group", QStringLiteral("tab_header_device"));
    m_select->setProperty("role", QStringLiteral("device-entry"));
    m_select->setMinimumHeight(48);
    m_select->setCursor(Qt::PointingHandCursor);
    auto* inner = new QHBoxLayout(m_select);
    inner->setContentsMargins(14, 6, 10, 6);
    inner->setSpacing(10);
    m_icon = new QLabel(m_select);
    m_icon->setObjectName(QStringLiteral("device_select_icon"));
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_name = new QLabel(m_select);
    m_name->setObjectName(QStringLiteral("device_select_name"));
    m_name->setProperty("role", QStringLiteral("entry-name"));
    m_name->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_synchro = new QCheckBox(m_select);
    m_synchro->setObjectName(QStringLiteral("synchro_device_select"));
    m_synchro->setVisible(false);
    inner->addWidget(m_icon);
    inner->addWidget(m_name, 1);
    inner->addWidget(m_synchro);
    outer->addWidget(m_select);
}

void CDeviceOptionUI::showEntry(const DeviceEntry& entry) {
    m_normal = entry.icons.normal;
    m_selected = entry.icons.selected;
    m_synchroNormal = entry.icons.synchroNormal;
    m_synchroSelected = entry.icons.synchroSelected;
    m_select->setProperty("tooltipid", QString::fromStdString(entry.icons.toolTip));
    m_name->setProperty("textid", QString::fromStdString(entry.icons.toolTip));
    m_isSelected = entry.selected;
    m_isSynchro = entry.synchroCheck;
    m_select->setChecked(entry.selected);
    m_synchro->setChecked(entry.synchroCheck);
    showIcon();
}

void CDeviceOptionUI::showSynchroCheck(bool shown) {
    m_synchro->setVisible(shown);
}

void CDeviceOptionUI::showIcon() {
    const std::string& name = m_isSynchro ? (m_isSelected ? m_synchroSelected : m_synchroNormal)
                                          : (m_isSelected ? m_selected : m_normal);
    m_icon->setPixmap(skinIcon(name).pixmap(kIconSize, kIconSize));
    m_select->style()->unpolish(m_select);
    m_select->style()->polish(m_select);
}

CDeviceOptionUI* CDeviceOptionUI::ofControl(QWidget* control) {
    for (QWidget* w = control; w; w = w->parentWidget())
        if (auto* option = qobject_cast<CDeviceOptionUI*>(w))
            return option;
    return nullptr;
}

} // namespace v38

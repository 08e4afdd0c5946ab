#include "gui/devices/mp_device_power_ui.h"

#include "core/devices/power_panel.h"
#include "gui/devices/skin_image.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>

namespace v38 {

namespace {
constexpr int kImageSize = 20;

QLabel* imageLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedSize(kImageSize, kImageSize);
    return label;
}

void setImage(QLabel* label, const std::string& image) {
    if (image.empty())
        return;
    label->setPixmap(skinIcon(image).pixmap(kImageSize, kImageSize));
}
} // namespace

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("MpDevicePower"));
    setProperty("role", QStringLiteral("power-panel"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(8);
    m_wireless = imageLabel("device_wuxian_logo", this);
    setImage(m_wireless, "power/wireless.png");
    m_wireless->setVisible(false);
    m_group = new QWidget(this);
    m_group->setObjectName(QStringLiteral("device_power_Layout"));
    auto* group = new QHBoxLayout(m_group);
    group->setContentsMargins(0, 0, 0, 0);
    group->setSpacing(8);
    m_status = imageLabel("device_power_status", m_group);
    setImage(m_status, "power/power.png");
    m_progress = new QProgressBar(m_group);
    m_progress->setObjectName(QStringLiteral("device_Power_progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(6);
    m_value = new QLabel(QStringLiteral("--"), m_group);
    m_value->setObjectName(QStringLiteral("device_power_value"));
    m_value->setMinimumWidth(36);
    group->addWidget(m_status);
    group->addWidget(m_progress, 1);
    group->addWidget(m_value);
    m_phone = imageLabel("device_phone_type", this);
    m_phone->setVisible(false);
    row->addWidget(m_wireless);
    row->addWidget(m_group, 1);
    row->addWidget(m_phone);
    m_group->setVisible(false);
}

void CMpDevicePowerUI::showPanel(const PowerPanel& panel) {
    m_group->setVisible(panel.batteryGroupShown());
    showEmpty();
    const std::optional<PowerBlockView>& view = panel.powerBlock();
    if (!view)
        return;
    // The core counts the empty part of the bar; the bar here fills with the charge.
    m_progress->setValue(100 - view->progressValue);
    if (!view->text.empty())
        m_value->setText(QString::fromStdString(view->text));
    if (view->wirelessLogo != PowerBlockView::Logo::Unchanged)
        m_wireless->setVisible(view->wirelessLogo == PowerBlockView::Logo::Shown);
    setImage(m_status, view->statusImage);
    m_progress->setVisible(view->progressShown);
    if (!view->phoneImage.empty()) {
        setImage(m_phone, view->phoneImage);
        m_phone->setProperty("tooltipid", QString::fromStdString(view->phoneToolTip));
        m_phone->setVisible(true);
    }
    showEmpty();
}

void CMpDevicePowerUI::showEmpty() {
    // A device without battery, link or phone spot leaves the panel's place blank.
    const bool empty = m_group->isHidden() && m_wireless->isHidden() && m_phone->isHidden();
    if (property("empty").toBool() == empty && property("empty").isValid())
        return;
    setProperty("empty", empty);
    style()->unpolish(this);
    style()->polish(this);
}

} // namespace v38

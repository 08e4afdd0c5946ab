#include "gui/devices/device_page.h"

#include "core/devices/supported_interface.h"
#include "core/devices/zelvix_usb_device.h"
#include "gui/devices/device_key_button_ui.h"
#include "gui/devices/device_picture.h"
#include "gui/devices/select_panel_ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

namespace v38 {

namespace {
constexpr int kMouse = 0, kKeyboard = 1, kMousePad = 2, kHeadset = 3;

// Which feature tabs (page types 1..8) each kind shows.
bool featureShown(int kindIndex, int type) {
    switch (kindIndex) {
    case kKeyboard:
        return type >= 1 && type <= 4;
    case kMouse:
        return type >= 1 && type <= 5;
    case kHeadset:
        return type == 1 || type >= 6;
    default:
        return type == 1;
    }
}

// Text ids of the feature tabs.
constexpr const char* kFeatureText[] = {"Op_tab_light",  "Op_tab_key",   "Op_tab_macro", "Op_tab_system",
                                        "Op_tab_cursor", "Op_tab_voice", "Op_tab_magic", "Op_tab_virtual"};
// Captions while a language lacks the text.
constexpr const char* kFeatureCaption[] = {"Lighting", "Keys",  "Macros", "System",
                                           "Cursor",   "Voice", "Magic",  "Virtual 7.1"};
} // namespace

const char* DevicePage::rootClassName(int kindIndex) {
    switch (kindIndex) {
    case kMouse:
        return "ZelvixMouseDevice";
    case kKeyboard:
        return "ZelvixKeyboardDevice";
    case kMousePad:
        return "ZelvixMousePadDevice";
    case kHeadset:
        return "ZelvixHS6533Device";
    default:
        return "ZelvixDevice";
    }
}

const std::vector<const char*>& DevicePage::featureTabNames() {
    static const std::vector<const char*> names = {"deng_Op_tab",   "key_Op_tab",       "macro_Op_tab",
                                                   "system_Op_tab", "cursor_Op_tab",    "6533_voice_Op_tab",
                                                   "magic_Op_tab",  "Virtual7.1_Op_tab"};
    return names;
}

DevicePage::DevicePage(int kindIndex, CZelvixUSBDevice* device, QWidget* parent)
    : QWidget(parent), m_kindIndex(kindIndex), m_device(device) {
    setObjectName(QLatin1String(rootClassName(kindIndex)));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    m_picture = new QFrame(this);
    m_picture->setObjectName(QStringLiteral("device_picture"));
    m_picture->setProperty("role", QStringLiteral("picture"));
    m_picture->setMinimumHeight(210);
    auto* pictureLayout = new QVBoxLayout(m_picture);
    pictureLayout->setContentsMargins(12, 12, 12, 12);
    if (kindIndex == kKeyboard)
        m_picture->setObjectName(QStringLiteral("keyboard_device_key_light"));
    DevicePicture picture = buildDevicePicture(kindIndex, m_picture);
    m_picturePanel = picture.panel;
    m_buttons = std::move(picture.buttons);
    pictureLayout->addWidget(m_picturePanel);
    column->addWidget(m_picture, 4);

    auto* tabs = new QWidget(this);
    tabs->setObjectName(QStringLiteral("feature_tab_row"));
    buildFeatureTabs(tabs);
    column->addWidget(tabs);

    m_functionSwitch = new QStackedWidget(this);
    m_functionSwitch->setObjectName(QStringLiteral("device_function_switch"));
    column->addWidget(m_functionSwitch, 6);
    buildFunctionPages();
    if (m_device) {
        m_device->setPanelView(this);
        m_device->bindPanelControls();
    }
    checkFeatureTab(1);
}

DevicePage::~DevicePage() {
    detachDevice();
}

void DevicePage::detachDevice() {
    if (m_device && m_device->panelView() == this)
        m_device->setPanelView(nullptr);
    m_device = nullptr;
}

void DevicePage::buildFeatureTabs(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    const std::vector<const char*>& names = featureTabNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const int type = static_cast<int>(i) + 1;
        auto* tab = new QPushButton(QLatin1String(kFeatureCaption[i]), row);
        tab->setObjectName(QLatin1String(names[i]));
        tab->setCheckable(true);
        tab->setProperty("group", QStringLiteral("feature_tabs_%1").arg(m_kindIndex));
        tab->setProperty("role", QStringLiteral("feature-tab"));
        tab->setProperty("textid", QLatin1String(kFeatureText[i]));
        tab->setVisible(featureShown(m_kindIndex, type));
        // The device object picks the function tabs of the page type.
        connect(tab, &QPushButton::clicked, this, [this, type] {
            checkFeatureTab(type);
            if (m_device)
                m_device->showFunctionPage(type);
            else
                selectFunctionTabs(0, 0);
        });
        layout->addWidget(tab);
    }
    layout->addStretch(1);
    auto* defaults = new QPushButton(QStringLiteral("Defaults"), row);
    defaults->setObjectName(QStringLiteral("default_btn"));
    defaults->setProperty("role", QStringLiteral("secondary"));
    defaults->setProperty("textid", QStringLiteral("default_btn_text"));
    layout->addWidget(defaults);
}

QWidget* DevicePage::placeholder(const char* name, QWidget* parent) {
    // The panel that fills this place comes with its own subsystem; until then the place is an empty
    // panel (its name is for lookup, not for the user).
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setProperty("role", QStringLiteral("panel"));
    new QVBoxLayout(frame);
    return frame;
}

void DevicePage::buildFunctionPages() {
    // Function tab 0 holds the key function tabs; 1 macros (the headset's virtual surround); 2 the
    // cursor; 3 the system settings.
    auto* first = new QWidget(m_functionSwitch);
    auto* firstLayout = new QHBoxLayout(first);
    firstLayout->setContentsMargins(0, 0, 0, 0);
    firstLayout->setSpacing(12);
    firstLayout->addWidget(placeholder("DeviceProfileItem", first), 1);
    m_keyFunctionSwitch = new QStackedWidget(first);
    m_keyFunctionSwitch->setObjectName(QStringLiteral("device_key_function_switch"));
    firstLayout->addWidget(m_keyFunctionSwitch, 3);
    m_keyFunctionSwitch->addWidget(placeholder("LightControlItem", m_keyFunctionSwitch));
    const bool headset = m_kindIndex == kHeadset;
    const bool keys = m_kindIndex == kKeyboard || m_kindIndex == kMouse;
    m_keyFunctionSwitch->addWidget(headset ? placeholder("Voice6533ControlItem", m_keyFunctionSwitch)
                                   : keys  ? placeholder("KeySetControlItem", m_keyFunctionSwitch)
                                           : new QWidget(m_keyFunctionSwitch));
    m_keyFunctionSwitch->addWidget(headset ? placeholder("MagicControlItem", m_keyFunctionSwitch)
                                   : m_kindIndex == kMouse
                                       ? placeholder("ShootControlItem", m_keyFunctionSwitch)
                                       : new QWidget(m_keyFunctionSwitch));
    m_functionSwitch->addWidget(first);
    m_functionSwitch->addWidget(headset ? placeholder("VirtualSetItem", m_functionSwitch)
                                : keys  ? placeholder("MacroControlItem", m_functionSwitch)
                                        : new QWidget(m_functionSwitch));
    m_functionSwitch->addWidget(m_kindIndex == kMouse
                                    ? placeholder("mouse_device_seting_layout", m_functionSwitch)
                                    : new QWidget(m_functionSwitch));
    m_functionSwitch->addWidget(keys ? placeholder("system_setting_layout", m_functionSwitch)
                                     : new QWidget(m_functionSwitch));
}

void DevicePage::checkFeatureTab(int type) {
    const std::vector<const char*>& names = featureTabNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (auto* tab = findChild<QPushButton*>(QLatin1String(names[i])))
            tab->setChecked(static_cast<int>(i) + 1 == type);
}

std::vector<PanelButton> DevicePage::keyPictureButtons() {
    std::vector<PanelButton> list;
    list.reserve(m_buttons.size());
    for (CDeviceKeyButtonUI* button : m_buttons)
        list.push_back(
            {button->objectName().toStdString(), button->property("userData").toString().toStdString()});
    return list;
}

void DevicePage::paintLightButton(size_t button, uint8_t red, uint8_t green, uint8_t blue,
                                  uint8_t intensity) {
    if (button >= m_buttons.size())
        return;
    CDeviceKeyButtonUI* target = m_buttons[button];
    const quint32 colour = red | green << 8 | blue << 16;
    if (QThread::currentThread() == thread()) {
        // Hidden buttons are skipped.
        if (!target->isHidden())
            target->setLight(colour, intensity, true);
        return;
    }
    QPointer<CDeviceKeyButtonUI> guarded(target);
    QMetaObject::invokeMethod(
        this,
        [guarded, colour, intensity] {
            if (guarded && !guarded->isHidden())
                guarded->setLight(colour, intensity, true);
        },
        Qt::QueuedConnection);
}

void DevicePage::repaintKeyPicture() {
    if (m_picturePanel)
        m_picturePanel->update();
}

void DevicePage::selectFunctionTabs(int functionTab, int keyFunctionTab) {
    if (functionTab >= 0 && functionTab < m_functionSwitch->count())
        m_functionSwitch->setCurrentIndex(functionTab);
    if (keyFunctionTab >= 0 && keyFunctionTab < m_keyFunctionSwitch->count())
        m_keyFunctionSwitch->setCurrentIndex(keyFunctionTab);
}

} // namespace v38

// DevicePage: the page of one device object in "device_switch": the device picture, the feature tabs
// and the function pages ("device_function_switch", "device_key_function_switch") that hold the
// panels of later subsystems. It is the device object's panel view.
#pragma once

#include "core/devices/device_panel_view.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QStackedWidget;

namespace v38 {

class CDeviceKeyButtonUI;
class CSelectPanelUI;
class CZelvixUSBDevice;

class DevicePage : public QWidget, public DevicePanelView {
    Q_OBJECT
public:
    // Root class name of each kind index's page.
    static const char* rootClassName(int kindIndex);
    // The feature tabs in page-type order (type = index + 1).
    static const std::vector<const char*>& featureTabNames();

    DevicePage(int kindIndex, CZelvixUSBDevice* device, QWidget* parent = nullptr);
    ~DevicePage() override;

    int kindIndex() const { return m_kindIndex; }
    CZelvixUSBDevice* device() const { return m_device; }
    // The device object goes before the page: it stops being its view.
    void detachDevice();
    QStackedWidget* functionSwitch() const { return m_functionSwitch; }
    QStackedWidget* keyFunctionSwitch() const { return m_keyFunctionSwitch; }
    // The container of the device picture.
    QWidget* pictureArea() const { return m_picture; }

    CSelectPanelUI* selectPanel() const { return m_picturePanel; }
    const std::vector<CDeviceKeyButtonUI*>& pictureButtons() const { return m_buttons; }

    // DevicePanelView
    std::vector<PanelButton> keyPictureButtons() override;
    // From any thread: the repaint itself runs on the window's thread.
    void paintLightButton(size_t button, uint8_t red, uint8_t green, uint8_t blue,
                          uint8_t intensity) override;
    void repaintKeyPicture() override;
    void selectFunctionTabs(int functionTab, int keyFunctionTab) override;

private:
    QWidget* placeholder(const char* name, QWidget* parent);
    void buildFeatureTabs(QWidget* row);
    void buildFunctionPages();
    // Tab of the feature row that is checked for a page type.
    void checkFeatureTab(int type);

    int m_kindIndex;
    CZelvixUSBDevice* m_device;
    QWidget* m_picture = nullptr;
    QStackedWidget* m_functionSwitch = nullptr;
    QStackedWidget* m_keyFunctionSwitch = nullptr;
    CSelectPanelUI* m_picturePanel = nullptr;
    std::vector<CDeviceKeyButtonUI*> m_buttons;
};

} // namespace v38

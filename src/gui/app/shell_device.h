// What the main window tells every device object: hidden to the tray, lighting control, foreground.
// Device objects implement it; the window broadcasts to those of the kinds each call concerns.
#pragma once

namespace v38 {

// Kind index of the device list: 0 mouse, 1 keyboard, 2 mouse pad, 3 headset.
enum ShellDeviceKind { kShellMouse = 0, kShellKeyboard = 1, kShellMousePad = 2, kShellHeadset = 3 };

class ShellDevice {
public:
    virtual ~ShellDevice() = default;
    virtual int shellDeviceKind() const = 0;
    // Mice and keyboards skip their status polling while the window is hidden.
    virtual void setWindowHidden(int hidden) = 0;
    // Mouse pads, mice and keyboards: whether the program drives the lighting in software.
    virtual void setLightControl(int on) = 0;
    // Mouse pads, mice and keyboards: the window is active, or hovered while inactive.
    virtual void setWindowForeground(int foreground) = 0;
};

} // namespace v38

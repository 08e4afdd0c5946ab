// The main window's layout rule: laid out at 1000 x 640 and scaled for 96 or 144 DPI by the size of
// its monitor.
#pragma once

namespace v38 {

constexpr int kLayoutWidth = 1000;
constexpr int kLayoutHeight = 640;
constexpr int kCreateWidth = 800;
constexpr int kCreateHeight = 572;

// 144 for a monitor wider than 1500 and taller than 960 pixels, 96 otherwise.
int chooseWindowDpi(int monitorWidth, int monitorHeight);
// The DPI values windows accept: 48, 72, 96, 120, 144, 168, 192.
bool isValidDpi(int dpi);
// dpi when valid, else 96 (with the given debug text).
int validatedDpi(int dpi, const char* errorText);

} // namespace v38

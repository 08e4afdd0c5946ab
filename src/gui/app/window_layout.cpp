#include "gui/app/window_layout.h"

#include "core/platform/debug_log.h"

namespace v38 {

int chooseWindowDpi(int monitorWidth, int monitorHeight) {
    return monitorWidth > 1500 && monitorHeight > 960 ? 144 : 96;
}

bool isValidDpi(int dpi) {
    switch (dpi) {
    case 48:
    case 72:
    case 96:
    case 120:
    case 144:
    case 168:
    case 192:
        return true;
    default:
        return false;
    }
}

int validatedDpi(int dpi, const char* errorText) {
    if (isValidDpi(dpi))
        return dpi;
    debugOutput(errorText);
    return 96;
}

} // namespace v38

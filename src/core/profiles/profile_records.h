// The typed records a profile's JSON groups are read into and written from, with the bounds that
// keep values taken from files in range.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace v38 {

// Bounds on what is taken from a file; hand-edited or imported files cannot make the program
// allocate without limit.
constexpr size_t kMaxDeviceIndex = 15;
constexpr size_t kMaxLightListEntries = 512;
constexpr size_t kMaxKeyListEntries = 512;
constexpr size_t kMaxEffectSteps = 4096;
constexpr int kMaxCustomColorGroups = 256; // "CustomGroup" is one byte
constexpr int kMaxCustomColors = 512;
constexpr size_t kMaxDpiStages = 8;
constexpr size_t kMaxCorrections = 64;
constexpr int kMaxCustomEqCurves = 20;
constexpr size_t kEqBandCount = 10;
constexpr int kEqPresetCount = 12;
constexpr int kCustomEqType = 13;

// One lighting state ("LightInfo"), also one element of "LightList".
struct LightSetting {
    uint8_t selectItem = 0; // "SelectItem" / "LEDREGMode"
    uint8_t light = 0;      // "Light" / "LEDBrightness"
    uint8_t speed = 0;      // "Speed" / "LEDSpeed"
    uint8_t fx = 0;         // "Fx" / "LEDDirection"
    uint8_t multiColor = 0; // "MultiColor" / "LEDMultiColor", 0 or 1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t unused8 = 0;
    uint8_t unused9 = 0;
    uint8_t present = 0;     // "LightList" only: 1 when the element was there, 0 when null
    uint8_t zzccLedMode = 0; // "ZZCCLedMode"
    uint8_t customGroup = 0; // "CustomGroup"
    uint8_t oldLedMode = 0;  // "OldLedmode"
    bool operator==(const LightSetting&) const = default;
};
static_assert(sizeof(LightSetting) == 14);

// The music-reactive lighting ("AudioLightInfo").
struct AudioLightSetting {
    uint8_t audioMode = 0;
    uint8_t bkRed = 0, bkGreen = 0, bkBlue = 0;
    uint8_t fgRed = 0, fgGreen = 0, fgBlue = 0;
    uint8_t sevenColorFlags = 0; // 0 or 1
    uint8_t colorTypeFlags = 0;  // 0 or 1
    bool operator==(const AudioLightSetting&) const = default;
};
static_assert(sizeof(AudioLightSetting) == 9);

// One step of a custom lighting effect file.
struct LightEffectStep {
    uint8_t mode = 0; // "LEDREGMode"
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t unused[8] = {};
    int32_t time = 0;  // "Time"
    int32_t cycle = 0; // "Cyle"
    bool operator==(const LightEffectStep&) const = default;
};
static_assert(sizeof(LightEffectStep) == 24);

// One key position of "KeyList": the assigned and the default 3-byte key function.
struct KeyAssignmentRecord {
    uint16_t position = 0;
    uint8_t assigned[3] = {}; // type, parameter 1, parameter 2
    uint8_t unused5 = 0;
    uint16_t defaultPosition = 0;
    uint8_t defaults[3] = {};
    uint8_t unused11 = 0;
    uint32_t assignment() const { return (assigned[0] << 16) | (assigned[1] << 8) | assigned[2]; }
    uint32_t defaultAssignment() const { return (defaults[0] << 16) | (defaults[1] << 8) | defaults[2]; }
    bool operator==(const KeyAssignmentRecord&) const = default;
};
static_assert(sizeof(KeyAssignmentRecord) == 12);

// "SystemStages" of a keyboard.
struct KeyboardSystemSettings {
    uint16_t repeat = 0;
    uint16_t repeatDelay = 0;
    uint16_t key6Flag = 0;
    uint16_t pollingRate = 0;
    uint16_t wFlag = 0;
    uint16_t winFlag = 0;
    bool operator==(const KeyboardSystemSettings&) const = default;
};

// "SystemStages" of a mouse and the report stage of "ReportStages".
struct MouseSystemSettings {
    uint16_t doubleClickTime = 0;
    uint16_t mouseSpeed = 0;
    uint16_t pointerPrecision = 0;
    uint16_t scrollPage = 0;       // "ScorllPage"
    uint16_t wheelScrollLines = 0; // "WheelScorlllinse"
    uint16_t reportStage = 0;      // "ReportStages"."StageActive"
    bool operator==(const MouseSystemSettings&) const = default;
};

// "SystemSetStages" of the headset.
struct HeadsetSystemSettings {
    int32_t magicEnable = 0;
    int32_t magicType = 0;
    int32_t eqType = 0;              // 0 none, 1-12 preset, 13 custom
    int32_t customEqSelectIndex = 0; // "CustomEqSeletIndex"
    int32_t micInSelect = 0;
    int32_t micInValue = 0;
    int32_t micMonitorSelect = 0; // "MicMoniterSelect"
    int32_t micMonitorValue = 0;  // "MicMoniterValue"
    bool operator==(const HeadsetSystemSettings&) const = default;
};

// One sensitivity stage of "DPIStages"."StageDPIs"; X and Y are slider steps.
struct DpiStage {
    uint8_t active = 0; // "StageActive"
    uint8_t xy = 0;     // "StageXY"
    uint16_t dpiX = 0;
    uint16_t dpiY = 0;
    uint8_t red = 0, green = 0, blue = 0;
    // The 9 bytes the mouse record carries, X and Y low byte first.
    std::array<uint8_t, 9> bytes() const {
        return {active,
                xy,
                static_cast<uint8_t>(dpiX),
                static_cast<uint8_t>(dpiX >> 8),
                static_cast<uint8_t>(dpiY),
                static_cast<uint8_t>(dpiY >> 8),
                red,
                green,
                blue};
    }
    bool operator==(const DpiStage&) const = default;
};

// One colour of a keyboard custom colour group.
struct CustomColor {
    uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const CustomColor&) const = default;
};

// One entry of the mouse's "CorrectInfo".
struct CorrectionEntry {
    uint8_t pixThresh = 0; // "CorrectPixThresh"
    uint8_t minSq = 0;     // "CorrectMinSq"
    uint8_t select = 0;    // "CorrectSelect"
    std::string name;      // "CorrectName"
    bool operator==(const CorrectionEntry&) const = default;
};

using EqBands = std::array<int32_t, kEqBandCount>;

} // namespace v38

#include "sim/headset_firmware.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

namespace v38::sim {
namespace {

std::array<uint8_t, 64> request(uint8_t code, uint8_t length, uint16_t offset) {
    std::array<uint8_t, 64> packet{};
    packet[0] = 4;
    packet[3] = code;
    packet[4] = length;
    packet[5] = static_cast<uint8_t>(offset & 0xFF);
    packet[6] = static_cast<uint8_t>(offset >> 8);
    FirmwareModel::seal(packet);
    return packet;
}

// Every key on the board has its own factory function in the key table, and the LED chain covers
// each key exactly once; otherwise the host cannot map key positions to slots.
TEST(KeyboardFirmware, KeyAndLedTablesAreConsistent) {
    KeyboardFirmware keyboard;
    std::vector<uint8_t> info = keyboard.memory(MemoryRegion::Info);
    ASSERT_EQ(info[kInfoKeySlots], KeyboardFirmware::kKeySlots);
    ASSERT_LE(info[kInfoKeySlots] * 3, 512);
    std::vector<uint8_t> keys = keyboard.memory(MemoryRegion::DefaultKeys);
    std::set<std::array<uint8_t, 3>> functions;
    size_t blanks = 0;
    for (size_t slot = 0; slot < KeyboardFirmware::kKeySlots; ++slot) {
        std::array<uint8_t, 3> function = {keys[slot * 3], keys[slot * 3 + 1], keys[slot * 3 + 2]};
        EXPECT_NE(function[0], 0) << slot;
        if (function == std::array<uint8_t, 3>{0x20, 0, 0})
            ++blanks;
        else
            EXPECT_TRUE(functions.insert(function).second) << "slot " << slot;
    }
    EXPECT_EQ(blanks, 4u);
    EXPECT_TRUE(std::all_of(keys.begin() + KeyboardFirmware::kKeySlots * 3, keys.end(),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(keyboard.memory(MemoryRegion::ActiveKeys), keys);

    std::vector<uint8_t> leds = keyboard.memory(MemoryRegion::LedSlots, 0, KeyboardFirmware::kKeySlots);
    std::sort(leds.begin(), leds.end());
    for (size_t i = 0; i < leds.size(); ++i)
        EXPECT_EQ(leds[i], i);
}

TEST(MouseFirmware, ButtonsAndStagesAreConsistent) {
    MouseFirmware mouse;
    std::vector<uint8_t> keys = mouse.memory(MemoryRegion::DefaultKeys);
    std::set<std::array<uint8_t, 3>> functions;
    for (size_t slot = 0; slot < 11; ++slot)
        EXPECT_TRUE(functions.insert({keys[slot * 3], keys[slot * 3 + 1], keys[slot * 3 + 2]}).second);
    EXPECT_EQ(functions.count({0x10, 1, 0}), 1u); // left button
    // Stage steps stay within the slider range the information block announces.
    std::vector<uint8_t> info = mouse.memory(MemoryRegion::Info);
    int maxStep = info[kInfoMaxStep] | info[kInfoMaxStep + 1] << 8;
    std::vector<uint8_t> record = mouse.memory(MemoryRegion::Settings, 0, 71);
    for (int s = 0; s < 5; ++s) {
        int step = record[14 + 9 * s + 2] | record[14 + 9 * s + 3] << 8;
        EXPECT_GT(step, 0);
        EXPECT_LE(step, maxStep);
    }
}

TEST(FirmwareModel, AnswersCarryTheirOwnChecksumAndTheRequestAddress) {
    MouseFirmware mouse;
    auto answer = mouse.handleCommand(request(0x05, 10, 0x80).data(), Route::Cable);
    EXPECT_EQ(answer[3], 0x05);
    EXPECT_EQ(answer[4], 10);
    EXPECT_EQ(answer[5], 0x80);
    EXPECT_EQ(answer[7], kAnswerOk);
    auto copy = answer;
    FirmwareModel::seal(copy);
    EXPECT_EQ(copy, answer);

    struct Case {
        uint8_t code;
        uint8_t length;
        uint16_t offset;
        uint8_t status;
    };
    const Case cases[] = {
        {0x05, 56, 1024 - 56, kAnswerOk}, {0x05, 56, 1024 - 55, kAnswerError},
        {0x06, 57, 0, kAnswerError},      {0x05, 0, 1024, kAnswerOk},
        {0x05, 1, 0xFFFF, kAnswerError},  {0x1B, 4, 0, kAnswerRefused},
        {0x42, 0, 0, kAnswerRefused},     {0x09, 8, 512, kAnswerError},
        {0x17, 56, 8192 - 56, kAnswerOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << " offset " << c.offset);
        EXPECT_EQ(mouse.handleCommand(request(c.code, c.length, c.offset).data(), Route::Cable)[7], c.status);
    }
}

TEST(HeadsetFirmware, LedReportsOutsideTheProtocolAreIgnored) {
    HeadsetFirmware headset;
    const std::vector<std::vector<uint8_t>> ignored = {
        {0xFF, 0x33, 0xAA, 0, 9, 9, 9, 9, 9, 9, 9}, // unknown bank
        {0xFF, 0x22, 0xB0, 0, 9, 9, 9, 9, 9, 9, 9}, // unknown selector
        {0xFE, 0x22, 0xAA, 0, 9, 9, 9, 9, 9, 9, 9}, // another report
        {0xFF, 0x22, 0xAA, 0, 9},                   // too short
    };
    for (const auto& report : ignored)
        EXPECT_FALSE(headset.handleOutputReport(report.data(), report.size()));
    std::vector<uint8_t> leds = headset.memory(MemoryRegion::LedOutput);
    EXPECT_TRUE(std::all_of(leds.begin(), leds.end(), [](uint8_t b) { return b == 0; }));

    std::vector<uint8_t> blue = {0xFF, 0x22, 0xAC, 0, 10, 20, 30, 40, 50, 60, 70, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(headset.handleOutputReport(blue.data(), blue.size()));
    EXPECT_EQ(headset.ledColour(0, 0), (std::array<uint8_t, 3>{0, 0, 10}));
    EXPECT_EQ(headset.ledColour(0, 6), (std::array<uint8_t, 3>{0, 0, 70}));
    EXPECT_EQ(headset.ledColour(0, 7), (std::array<uint8_t, 3>{0, 0, 0}));
}

} // namespace
} // namespace v38::sim

// The virtual backend as a HidBackend: listing, opening, report routing, cancellation and removal.
#include "core/hid/hid_channel.h"
#include "sim/headset_firmware.h"
#include "sim_link_fixture.h"

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace v38::sim {
namespace {

using VirtualBackend = SimLinkTest;
using namespace std::chrono_literals;

bool listed(VirtualHidBackend& backend, const std::string& path) {
    std::vector<std::string> paths;
    backend.listPaths(paths);
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

TEST_F(VirtualBackend, PlugAndUnplugShowInTheList) {
    auto fresh = std::make_shared<VirtualHidBackend>();
    std::vector<std::string> paths;
    ASSERT_TRUE(fresh->listPaths(paths));
    EXPECT_TRUE(paths.empty());

    ASSERT_TRUE(fresh->plug(Identity::KeyboardReceiver));
    EXPECT_FALSE(fresh->plug(Identity::KeyboardReceiver));
    ASSERT_TRUE(fresh->listPaths(paths));
    EXPECT_EQ(paths, identityPaths(Identity::KeyboardReceiver));
    EXPECT_EQ(paths.size(), 5u); // boot keyboard + four collections

    HidChannel channel(fresh);
    ASSERT_TRUE(channel.open(commandPath(Identity::KeyboardReceiver), true, true, true, false));
    EXPECT_EQ(channel.vendorId(), 0x320F);
    EXPECT_EQ(channel.productId(), 0x5088);
    EXPECT_EQ(channel.usagePage(), 0xFF1C);
    EXPECT_EQ(channel.inputReportLength(), 64);
    EXPECT_EQ(channel.outputReportLength(), 64);
    EXPECT_EQ(channel.collectionNumber(), 4u);

    ASSERT_TRUE(fresh->unplug(Identity::KeyboardReceiver));
    EXPECT_FALSE(fresh->unplug(Identity::KeyboardReceiver));
    EXPECT_FALSE(listed(*fresh, commandPath(Identity::KeyboardReceiver)));
    uint8_t report[64] = {4};
    size_t moved = 0;
    EXPECT_EQ(channel.write(report, sizeof report, moved, 100), 0);
    HidChannel again(fresh);
    EXPECT_FALSE(again.open(commandPath(Identity::KeyboardReceiver), true, true, true, false));
    EXPECT_EQ(again.lastOpenError(), HidOpenError::NotFound);

    EXPECT_EQ(makeSimulation(defaultSimulationIdentities())->pluggedIdentities(),
              (std::vector<Identity>{Identity::Keyboard, Identity::MouseReceiver, Identity::MousePad,
                                     Identity::Headset}));
}

TEST_F(VirtualBackend, OpenRefusesUnknownPathsAndSharingAnExclusiveHandle) {
    HidOpenError error = HidOpenError::None;
    EXPECT_EQ(backend->open("sim:keyboard/1#vid_320f&pid_5055&mi_01&col09", {}, error), nullptr);
    EXPECT_EQ(error, HidOpenError::NotFound);
    EXPECT_EQ(backend->open("", {}, error), nullptr);
    EXPECT_EQ(error, HidOpenError::InvalidPath);
    EXPECT_EQ(backend->open(commandPath(Identity::KeyboardReceiver), {}, error), nullptr); // not plugged
    EXPECT_EQ(error, HidOpenError::NotFound);

    HidOpenMode exclusive;
    exclusive.exclusive = true;
    auto first = backend->open(commandPath(Identity::Keyboard), exclusive, error);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(backend->open(commandPath(Identity::Keyboard), {}, error), nullptr);
    EXPECT_EQ(error, HidOpenError::AccessDenied);
    EXPECT_NE(backend->open(consumerPath(Identity::Keyboard), {}, error), nullptr); // another collection
    first->cancel(); // closed handles no longer count
    EXPECT_NE(backend->open(commandPath(Identity::Keyboard), {}, error), nullptr);
}

// Each handle sees only its own collection's reports: the consumer reader never eats an answer and
// the command channel never sees consumer input.
TEST_F(VirtualBackend, HandlesSeeOnlyTheirCollectionsReports) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Mouse));
    HidChannel consumer(backend);
    ASSERT_TRUE(consumer.open(consumerPath(Identity::Mouse), true, false, true, false));
    HidChannel command(backend);
    ASSERT_TRUE(command.open(commandPath(Identity::Mouse), true, false, true, false));

    uint8_t info[kDeviceInfoSize] = {};
    ASSERT_EQ(link.readDeviceInfo(info), kLinkOk);
    uint8_t buffer[64] = {};
    size_t got = 0;
    EXPECT_EQ(consumer.read(buffer, sizeof buffer, got, 0), 0);
    // A second reader of the command collection got the answer as well.
    ASSERT_EQ(command.read(buffer, sizeof buffer, got, 0), 1);
    EXPECT_EQ(buffer[3], kCmdReadDeviceInfo);

    ASSERT_TRUE(backend->inputReport(Identity::Mouse, {3, 0x01, 0x04}));
    ASSERT_EQ(consumer.read(buffer, sizeof buffer, got, 0), 1);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[1] | buffer[2] << 8, 1025);
    EXPECT_EQ(command.read(buffer, sizeof buffer, got, 0), 0);

    EXPECT_FALSE(backend->inputReport(Identity::Mouse, {4, 1, 2}));         // not a consumer report
    EXPECT_FALSE(backend->inputReport(Identity::Mouse, {3, 1, 2, 3}));      // longer than declared
    EXPECT_FALSE(backend->inputReport(Identity::KeyboardReceiver, {3, 1})); // not plugged
}

// The synchronisation requests ride in the consumer report as a usage the channel decodes.
TEST_F(VirtualBackend, ConsumerInputDecodesToItsUsage) {
    for (Identity identity : {Identity::Mouse, Identity::Headset}) {
        SCOPED_TRACE(identityName(identity));
        HidChannel consumer(backend);
        ASSERT_TRUE(consumer.open(consumerPath(identity), true, false, true, false));
        uint8_t id = identity == Identity::Headset ? 1 : 3;
        ASSERT_TRUE(backend->inputReport(identity, {id, 0x12, 0x10}));
        uint8_t buffer[64] = {};
        size_t got = 0;
        ASSERT_EQ(consumer.read(buffer, sizeof buffer, got, 0), 1);
        ASSERT_TRUE(consumer.decodeInput(buffer, got));
        const HidDataItem& item = consumer.inputDataItems().at(0);
        EXPECT_TRUE(item.isButtonData);
        EXPECT_EQ(item.usagePage, 0x000C);
        ASSERT_FALSE(item.usages.empty());
        EXPECT_EQ(item.usages[0], 0x1012);
    }
}

TEST_F(VirtualBackend, BlockedInfiniteReadIsReleasedByCloseAndByUnplug) {
    for (bool byUnplug : {false, true}) {
        SCOPED_TRACE(byUnplug ? "unplug" : "close");
        HidChannel consumer(backend);
        ASSERT_TRUE(consumer.open(consumerPath(Identity::MousePad), true, false, true, false));
        auto reader = std::async(std::launch::async, [&consumer] {
            uint8_t buffer[8];
            size_t got = 0;
            return consumer.read(buffer, sizeof buffer, got, kHidInfinite);
        });
        while (!consumer.reading())
            std::this_thread::yield();
        EXPECT_EQ(reader.wait_for(50ms), std::future_status::timeout);
        if (byUnplug)
            backend->unplug(Identity::MousePad);
        else
            consumer.close();
        ASSERT_EQ(reader.wait_for(5s), std::future_status::ready);
        EXPECT_EQ(reader.get(), 0);
    }
}

TEST_F(VirtualBackend, CancelledHandlesRefuseLaterTransfers) {
    HidOpenError error;
    auto handle = backend->open(commandPath(Identity::Keyboard), {}, error);
    ASSERT_NE(handle, nullptr);
    handle->cancel();
    handle->cancel();
    uint8_t buffer[64] = {4};
    size_t moved = 0;
    EXPECT_EQ(handle->read(buffer, sizeof buffer, moved, kHidInfinite), HidIoResult::Cancelled);
    EXPECT_EQ(handle->write(buffer, sizeof buffer, moved, 100), HidIoResult::Cancelled);
    EXPECT_TRUE(backend->wireLog().snapshot().empty());
}

// With bus latency the answer arrives a frame later; a write waiting out the latency is cancellable.
TEST_F(VirtualBackend, LatencyDelaysButDoesNotBreakTransactions) {
    backend->setLatency(1ms);
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    std::vector<uint8_t> written = pattern(100, 77);
    ASSERT_EQ(link.writeSettings(written.data(), written.size(), 0x20), kLinkOk);
    std::vector<uint8_t> read(100);
    ASSERT_EQ(link.readSettings(read.data(), read.size(), 0x20), kLinkOk);
    EXPECT_EQ(read, written);

    backend->setLatency(10s);
    HidOpenError error;
    auto handle = backend->open(commandPath(Identity::Keyboard), {}, error);
    ASSERT_NE(handle, nullptr);
    auto writer = std::async(std::launch::async, [&handle] {
        uint8_t report[64] = {4};
        size_t moved = 0;
        return handle->write(report, sizeof report, moved, kHidInfinite);
    });
    EXPECT_EQ(writer.wait_for(20ms), std::future_status::timeout);
    handle->cancel();
    ASSERT_EQ(writer.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(writer.get(), HidIoResult::Cancelled);

    // A latency beyond the caller's time-out is a write time-out.
    auto slow = backend->open(commandPath(Identity::Keyboard), {}, error);
    uint8_t report[64] = {4};
    size_t moved = 0;
    EXPECT_EQ(slow->write(report, sizeof report, moved, 0), HidIoResult::TimedOut);
}

TEST_F(VirtualBackend, HeadsetTakesLedReportsAndCommandsOnOneCollection) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Headset));
    EXPECT_EQ(link.chunkSize(), kReceiverChunkSize); // no mode: chunk 24
    uint8_t power[kPowerSize] = {};
    ASSERT_EQ(link.readShortBlock(power, sizeof power, 0), kLinkOk);
    EXPECT_EQ(power[kPowerBattery], 100);

    HidChannel& channel = link.wiredChannel();
    EXPECT_EQ(channel.collectionNumber(), 0u);
    uint8_t led[HeadsetFirmware::kLedReportSize] = {0xFF, 0x44, 0xAE, 0, 1, 2, 3, 4, 5, 6};
    size_t moved = 0;
    ASSERT_EQ(channel.write(led, sizeof led, moved, 1000), 1);
    auto headset = std::static_pointer_cast<HeadsetFirmware>(backend->firmware(Identity::Headset));
    EXPECT_EQ(headset->ledColour(1, 7), (std::array<uint8_t, 3>{0, 1, 0}));
    EXPECT_EQ(headset->ledColour(1, 12), (std::array<uint8_t, 3>{0, 6, 0}));
    EXPECT_EQ(headset->ledColour(0, 7), (std::array<uint8_t, 3>{0, 0, 0}));

    uint8_t unknown[4] = {0x07, 1, 2, 3};
    EXPECT_EQ(channel.write(unknown, sizeof unknown, moved, 1000), 0);
    uint8_t longLed[18] = {0xFF, 0x22, 0xAA};
    EXPECT_EQ(channel.write(longLed, sizeof longLed, moved, 1000), 0);

    // Consumer input arrives on the same collection.
    ASSERT_TRUE(backend->inputReport(Identity::Headset, {1, 0x04, 0x04}));
    uint8_t buffer[64] = {};
    ASSERT_EQ(channel.read(buffer, sizeof buffer, moved, 0), 1);
    EXPECT_EQ(buffer[1] | buffer[2] << 8, 1028);
}

// Cable and receiver reach one mouse from two threads while its receiver also sends consumer input.
TEST_F(VirtualBackend, CableAndReceiverTrafficInParallel) {
    DeviceLink cable(backend);
    DeviceLink receiver(backend);
    ASSERT_TRUE(openLink(cable, Identity::Mouse));
    ASSERT_TRUE(openLink(receiver, Identity::MouseReceiver));
    HidChannel consumer(backend);
    ASSERT_TRUE(consumer.open(consumerPath(Identity::MouseReceiver), true, false, true, false));
    constexpr int kRounds = 200;
    std::atomic<int> cableOk{0}, receiverOk{0}, consumed{0};
    {
        std::jthread writer([&] {
            for (int i = 0; i < kRounds; ++i) {
                std::vector<uint8_t> bytes = pattern(60, static_cast<uint8_t>(i));
                std::vector<uint8_t> back(60);
                if (cable.writeSettings(bytes.data(), bytes.size(), 0x300) == kLinkOk &&
                    cable.readSettings(back.data(), back.size(), 0x300) == kLinkOk && back == bytes)
                    ++cableOk;
            }
        });
        std::jthread reader([&] {
            uint8_t info[kDeviceInfoSize];
            for (int i = 0; i < kRounds; ++i)
                if (receiver.readDeviceInfo(info) == kLinkOk && info[kInfoDeviceKind] == 2)
                    ++receiverOk;
        });
        std::jthread input([&](std::stop_token stop) {
            uint8_t buffer[8];
            size_t got = 0;
            while (!stop.stop_requested())
                if (consumer.read(buffer, sizeof buffer, got, kHidInfinite) == 1)
                    ++consumed;
        });
        for (int i = 0; i < kRounds; ++i)
            backend->inputReport(Identity::MouseReceiver, {3, 0x01, 0x10});
        writer.join();
        reader.join();
        input.request_stop();
        consumer.close();
    }
    EXPECT_EQ(cableOk, kRounds);
    EXPECT_EQ(receiverOk, kRounds);
    EXPECT_GT(consumed, 0);
    EXPECT_LE(consumed, kRounds);
}

TEST(WireLog, KeepsTheNewestRecordsWithinItsCapacity) {
    WireLog log(3);
    for (uint8_t i = 0; i < 5; ++i)
        log.record(Identity::Mouse, WireDirection::HostToDevice, 1, &i, 1);
    auto records = log.snapshot();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records.front().bytes, std::vector<uint8_t>{2});
    EXPECT_EQ(records.back().bytes, std::vector<uint8_t>{4});
    EXPECT_EQ(log.dropped(), 2u);
    log.clear();
    EXPECT_EQ(log.size(), 0u);
}

} // namespace
} // namespace v38::sim

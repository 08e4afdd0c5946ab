#include "core/protocol/device_link.h"

#include "core/platform/debug_log.h"
#include "fakes/scripted_hid_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace v38 {
namespace {

using test::makeAnswer;
using test::Report;
using test::ScriptedHidBackend;

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousSink = setDebugSink([this](std::string_view line) {
            std::lock_guard lock(traceMutex);
            trace.emplace_back(line);
        });
    }
    void TearDown() override { setDebugSink(std::move(previousSink)); }

    // Opens the route of the mode as the device list does: channel, open flag, mode.
    void openRoute(int mode) {
        HidChannel& channel = mode == 2 ? link.receiverChannel() : link.wiredChannel();
        ASSERT_TRUE(channel.open(ScriptedHidBackend::kPath, true, true, true, false));
        link.setOpen(true);
        link.setMode(mode);
    }

    std::vector<std::string> traceLines() {
        std::lock_guard lock(traceMutex);
        return trace;
    }

    static std::vector<uint8_t> sequence(size_t count) {
        std::vector<uint8_t> bytes(count);
        std::iota(bytes.begin(), bytes.end(), uint8_t{1});
        return bytes;
    }

    std::shared_ptr<ScriptedHidBackend> backend = std::make_shared<ScriptedHidBackend>();
    DeviceLink link{backend};
    DebugSink previousSink;
    std::mutex traceMutex;
    std::vector<std::string> trace;
};

TEST_F(DeviceLinkTest, StartsClosedWithReceiverChunkAndFullBlock) {
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.receiverMode());
    EXPECT_EQ(link.chunkSize(), 24);
    EXPECT_EQ(link.dataBlockSize(), 512);
    EXPECT_FALSE(link.setDataBlockSize(513));
    EXPECT_EQ(link.dataBlockSize(), 512);
    EXPECT_TRUE(link.setDataBlockSize(512));
    EXPECT_TRUE(link.setDataBlockSize(300));
    EXPECT_EQ(link.dataBlockSize(), 300);
}

TEST_F(DeviceLinkTest, ClosedLinkSendsNothingAndTracesNothing) {
    uint8_t request[64] = {4, 0, 0, 1};
    uint8_t answer[64];
    size_t got = 99;
    EXPECT_EQ(link.transact(request, sizeof request, answer, sizeof answer, got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(link.beginSequence(), 0);
    EXPECT_EQ(backend->writeCount(), 0u);
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(DeviceLinkTest, RequestIsZeroFilledOrCutToSixtyFourBytes) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    uint8_t answer[64];
    size_t got = 0;
    const uint8_t shortRequest[5] = {4, 1, 0, 1, 7};
    EXPECT_EQ(link.transact(shortRequest, sizeof shortRequest, answer, sizeof answer, got), 1);
    std::vector<uint8_t> longRequest(80, 0x11);
    longRequest[3] = 2;
    EXPECT_EQ(link.transact(longRequest.data(), longRequest.size(), answer, sizeof answer, got), 1);

    std::vector<Report> sent = backend->written();
    ASSERT_EQ(sent.size(), 2u);
    Report expectedShort(64, 0);
    std::copy(std::begin(shortRequest), std::end(shortRequest), expectedShort.begin());
    EXPECT_EQ(sent[0], expectedShort);
    EXPECT_EQ(sent[1], Report(longRequest.begin(), longRequest.begin() + 64));
}

TEST_F(DeviceLinkTest, TraceShowsRequestAndAnswerInGroupsOfFour) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    EXPECT_EQ(link.beginSequence(), 1);
    std::vector<std::string> lines = traceLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1], "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
                        "00 00 00 00  00 00 00 00");
    EXPECT_EQ(lines[2].size(), lines[1].size());
    EXPECT_EQ(lines[3], "返回");
    EXPECT_EQ(lines[4].substr(0, 11), "04 00 00 01");
}

TEST_F(DeviceLinkTest, WriteFailureIsMinusOneWithoutARead) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    backend->setWriteFails(true);
    backend->pushInput(makeAnswer(1)); // would match, must not be read
    EXPECT_EQ(link.beginSequence(), -1);
    backend->setWriteFails(false);
    EXPECT_EQ(link.beginSequence(), 1); // the queued answer was left for this one
}

TEST_F(DeviceLinkTest, SilentDeviceTimesOutAfterTwoReadsAndTheLinkStaysUsable) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    backend->setResponder([](const Report&) { return std::vector<Report>{}; });
    EXPECT_EQ(link.beginSequence(), 0);
    EXPECT_EQ(backend->lastWriteTimeoutMs(), 1000u);
    EXPECT_FALSE(link.busy());
    backend->setResponder(&ScriptedHidBackend::echo);
    EXPECT_EQ(link.beginSequence(), 1);
}

TEST_F(DeviceLinkTest, StaleAnswerIsAbsorbedBySecondRead) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    backend->setResponder([](const Report& written) {
        return std::vector<Report>{makeAnswer(0x12), makeAnswer(written[3], 0, {0xAB})};
    });
    uint8_t dest[1] = {};
    EXPECT_EQ(link.readSettings(dest, 1, 0), 1);
    EXPECT_EQ(dest[0], 0xAB);
}

TEST_F(DeviceLinkTest, AnswersThatNeverMatchAreJudgedByTheSecondOne) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    // Wired: 0xAA is just another non-matching answer.
    backend->setResponder([](const Report&) {
        return std::vector<Report>{makeAnswer(0xAA), makeAnswer(0xAA, 0xFE)};
    });
    EXPECT_EQ(link.beginSequence(), -103);
}

TEST_F(DeviceLinkTest, ReceiverAnsweringAaMeansUnreachable) {
    ASSERT_NO_FATAL_FAILURE(openRoute(2));
    backend->setResponder([](const Report&) { return std::vector<Report>{makeAnswer(0xAA)}; });
    EXPECT_EQ(link.beginSequence(), -101);
    uint8_t dest[10] = {};
    EXPECT_EQ(link.readSettings(dest, 10, 0), -101);
    EXPECT_EQ(backend->writeCount(), 2u);
}

TEST_F(DeviceLinkTest, StatusBytesMapToRefusalCodes) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    for (auto [status, expected] : {std::pair{0xFF, -102}, {0xFE, -103}, {0x00, 1}, {0x01, 1}}) {
        backend->setResponder([status = status](const Report& written) {
            return std::vector<Report>{makeAnswer(written[3], static_cast<uint8_t>(status))};
        });
        EXPECT_EQ(link.handLightingToHost(), expected) << "status " << status;
    }
}

TEST_F(DeviceLinkTest, ModeSelectsChunkSizeRouteAndTimeout) {
    link.setMode(1);
    EXPECT_EQ(link.chunkSize(), 56);
    EXPECT_FALSE(link.receiverMode());
    ASSERT_NO_FATAL_FAILURE(openRoute(2)); // only the receiver channel is open
    EXPECT_EQ(link.chunkSize(), 24);
    EXPECT_TRUE(link.receiverMode());
    EXPECT_EQ(link.beginSequence(), 1);
    EXPECT_EQ(backend->lastWriteTimeoutMs(), 5000u);
}

// 100 bytes at 0x80: the last packet carries the previous packet's bytes after its own.
TEST_F(DeviceLinkTest, ChunkedWriteKeepsStaleTailAndChecksumsIt) {
    struct Route {
        int mode;
        std::vector<size_t> lengths;
    };
    for (const Route& route : {Route{1, {56, 44}}, Route{2, {24, 24, 24, 24, 4}}}) {
        backend->clearWritten();
        ASSERT_NO_FATAL_FAILURE(openRoute(route.mode));
        std::vector<uint8_t> source = sequence(100);
        ASSERT_EQ(link.writeSettings(source.data(), source.size(), 0x80), 1);

        std::vector<Report> sent = backend->written();
        ASSERT_EQ(sent.size(), route.lengths.size()) << "mode " << route.mode;
        Report expected(64, 0);
        expected[0] = 4;
        expected[3] = 6;
        size_t position = 0;
        for (size_t i = 0; i < sent.size(); ++i) {
            size_t length = route.lengths[i];
            expected[4] = static_cast<uint8_t>(length);
            expected[5] = static_cast<uint8_t>((0x80 + position) & 0xFF);
            expected[6] = static_cast<uint8_t>((0x80 + position) >> 8);
            std::copy_n(source.begin() + static_cast<long>(position), length, expected.begin() + 8);
            uint32_t sum = 0;
            for (size_t b = 3; b < 64; ++b)
                sum += expected[b];
            expected[1] = static_cast<uint8_t>(sum);
            expected[2] = static_cast<uint8_t>(sum >> 8);
            EXPECT_EQ(sent[i], expected) << "mode " << route.mode << " packet " << i;
            position += length;
        }
    }
}

TEST_F(DeviceLinkTest, WiredSecondPacketMatchesTheWorkedExample) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    std::vector<uint8_t> source = sequence(100);
    ASSERT_EQ(link.writeSettings(source.data(), source.size(), 0x80), 1);
    Report second = backend->written().at(1);
    EXPECT_EQ(second[4], 44);
    EXPECT_EQ(second[5], 0xB8);
    EXPECT_EQ(second[6], 0x00);
    EXPECT_EQ(second[8], source[56]);
    EXPECT_EQ(second[8 + 43], source[99]);
    for (size_t i = 44; i < 56; ++i)
        EXPECT_EQ(second[8 + i], source[i]) << "stale byte " << i;
}

// Answers a read command with the requested bytes of a memory image addressed by offset.
std::vector<Report> answerFromMemory(const Report& written, const std::vector<uint8_t>& memory) {
    size_t length = written[4];
    size_t offset = written[5] | written[6] << 8;
    std::vector<uint8_t> data;
    for (size_t i = 0; i < length; ++i)
        data.push_back(offset + i < memory.size() ? memory[offset + i] : 0);
    return {makeAnswer(written[3], 0, data)};
}

TEST_F(DeviceLinkTest, ChunkedReadsGatherInDeviceOrder) {
    const std::vector<uint8_t> memory = sequence(512);
    backend->setResponder([&memory](const Report& written) { return answerFromMemory(written, memory); });
    struct Case {
        const char* name;
        int mode;
        std::function<int(DeviceLink&, uint8_t*)> run;
        std::vector<size_t> lengths;
    };
    const std::vector<Case> cases = {
        {"info wired", 1, [](DeviceLink& l, uint8_t* d) { return l.readDeviceInfo(d); }, {34}},
        {"info receiver", 2, [](DeviceLink& l, uint8_t* d) { return l.readDeviceInfo(d); }, {24, 10}},
        {"key table 300 wired",
         1,
         [](DeviceLink& l, uint8_t* d) { return l.readKeyTable(d); },
         {56, 56, 56, 56, 56, 20}},
        {"led slots 300 wired", 1, [](DeviceLink& l, uint8_t* d) { return l.readLedSlotTable(d); }, {56, 44}},
    };
    link.setDataBlockSize(300);
    for (const Case& c : cases) {
        backend->clearWritten();
        ASSERT_NO_FATAL_FAILURE(openRoute(c.mode));
        std::vector<uint8_t> dest(512, 0xEE);
        ASSERT_EQ(c.run(link, dest.data()), 1) << c.name;
        std::vector<Report> sent = backend->written();
        ASSERT_EQ(sent.size(), c.lengths.size()) << c.name;
        size_t position = 0;
        for (size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i][4], c.lengths[i]) << c.name;
            EXPECT_EQ(sent[i][5] | sent[i][6] << 8, static_cast<int>(position)) << c.name;
            position += c.lengths[i];
        }
        EXPECT_TRUE(std::equal(dest.begin(), dest.begin() + static_cast<long>(position), memory.begin()))
            << c.name;
        EXPECT_EQ(dest[position], 0xEE) << c.name << ": wrote past the transfer";
    }
}

TEST_F(DeviceLinkTest, InfoBlockIsCopiedOnlyWhenEveryPacketSucceeded) {
    ASSERT_NO_FATAL_FAILURE(openRoute(2));
    int packets = 0;
    backend->setResponder([&packets](const Report& written) {
        return std::vector<Report>{makeAnswer(written[3], ++packets == 2 ? 0xFF : 0, {1, 2, 3})};
    });
    uint8_t dest[34];
    std::fill(std::begin(dest), std::end(dest), 0x5A);
    EXPECT_EQ(link.readDeviceInfo(dest), -102);
    for (uint8_t b : dest)
        EXPECT_EQ(b, 0x5A);
}

TEST_F(DeviceLinkTest, KeyTableHasOnlyPageZero) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    std::vector<uint8_t> table(512, 7);
    EXPECT_EQ(link.writeKeyTable(table.data(), 1), -201);
    EXPECT_EQ(backend->writeCount(), 0u);
    EXPECT_EQ(link.writeKeyTable(table.data(), 0), 1);
    EXPECT_EQ(backend->writeCount(), 10u); // 512 bytes in 56-byte packets
}

TEST_F(DeviceLinkTest, ShortReadIsOnePacketWithLengthAndOffset) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    const std::vector<uint8_t> memory = {0x55, 0x01, 0x00, 0x00, 0x02, 0x03, 0x77};
    backend->setResponder([&memory](const Report& written) { return answerFromMemory(written, memory); });
    uint8_t dest[8] = {};
    ASSERT_EQ(link.readShortBlock(dest, 6, 0), 1);
    std::vector<Report> sent = backend->written();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 0x1A);
    EXPECT_EQ(sent[0][4], 6);
    EXPECT_EQ(sent[0][5], 0);
    EXPECT_EQ(sent[0][6], 0);
    EXPECT_TRUE(std::equal(dest, dest + 6, memory.begin()));
    EXPECT_EQ(dest[6], 0);
}

TEST_F(DeviceLinkTest, ReceiverQueryAsksOnlyThroughTheReceiver) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    EXPECT_TRUE(link.ReceiverQuery());
    EXPECT_EQ(backend->writeCount(), 0u);

    ASSERT_NO_FATAL_FAILURE(openRoute(2));
    struct Case {
        uint8_t byte8;
        uint8_t status;
        bool reachable;
    };
    for (Case c :
         {Case{0xFF, 0, true}, Case{0x00, 0, false}, Case{0xFF, 0xFE, false}, Case{0xFF, 0xFF, false}}) {
        backend->setResponder([c](const Report& written) {
            Report answer = makeAnswer(written[3], c.status);
            answer[8] = c.byte8;
            return std::vector<Report>{answer};
        });
        EXPECT_EQ(link.ReceiverQuery(), c.reachable) << int(c.byte8) << "/" << int(c.status);
    }
}

TEST_F(DeviceLinkTest, RefusalInThirdPacketStopsTheWriteThere) {
    ASSERT_NO_FATAL_FAILURE(openRoute(2));
    int packets = 0;
    backend->setResponder([&packets](const Report& written) {
        return std::vector<Report>{makeAnswer(written[3], ++packets == 3 ? 0xFE : 0)};
    });
    std::vector<uint8_t> source = sequence(100);
    EXPECT_EQ(link.writeSettings(source.data(), source.size(), 0), -103);
    EXPECT_EQ(backend->writeCount(), 3u);
}

TEST_F(DeviceLinkTest, EmptyTransferSendsNothingAndSucceeds) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    EXPECT_EQ(link.writeMacroImage(nullptr, 0), 1);
    EXPECT_EQ(backend->writeCount(), 0u);
}

TEST_F(DeviceLinkTest, TransfersThatWouldWrapTheSixteenBitOffsetSendNothing) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    std::vector<uint8_t> image(0x10001, 1);
    EXPECT_EQ(link.writeRecoilImage(image.data(), image.size()), 0);
    EXPECT_EQ(link.writeSettings(image.data(), 2, 0xFFFF), 0);
    EXPECT_EQ(link.writeKeyColours(image.data(), 10, 200, 512), 0);
    EXPECT_EQ(backend->writeCount(), 0u);
    EXPECT_EQ(link.writeSettings(image.data(), 1, 0xFFFF), 1); // the last byte is addressable
}

TEST_F(DeviceLinkTest, RecoilImageUsesFiftySixBytePacketsWithoutTheCommandLock) {
    ASSERT_NO_FATAL_FAILURE(openRoute(2));
    std::vector<uint8_t> image = sequence(120);
    std::lock_guard held(link.commandLock()); // would deadlock if command 23 took it
    EXPECT_EQ(link.writeRecoilImage(image.data(), image.size()), 1);
    std::vector<Report> sent = backend->written();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0][4], 56);
    EXPECT_EQ(sent[2][4], 8);
    EXPECT_EQ(sent[0][3], 0x17);
}

TEST_F(DeviceLinkTest, LightingFrameIsDroppedWhileAnotherTransactionRunsAndHasNoTrace) {
    ASSERT_NO_FATAL_FAILURE(openRoute(1));
    std::mutex gate;
    std::condition_variable changed;
    bool inside = false;
    bool release = false;
    backend->setResponder([&](const Report& written) {
        if (written[3] == kCmdReadSettings) {
            std::unique_lock lock(gate);
            inside = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
        }
        return ScriptedHidBackend::echo(written);
    });
    std::thread other([&] {
        uint8_t dest[4];
        EXPECT_EQ(link.readSettings(dest, 4, 0), 1);
    });
    {
        std::unique_lock lock(gate);
        changed.wait(lock, [&] { return inside; });
    }
    size_t before = backend->writeCount();
    std::vector<uint8_t> frame = sequence(90);
    EXPECT_EQ(link.sendLightingFrame(frame.data(), frame.size()), 1);
    EXPECT_EQ(backend->writeCount(), before);
    {
        std::lock_guard lock(gate);
        release = true;
        changed.notify_all();
    }
    other.join();

    std::vector<std::string> lines = traceLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "放弃灯光数据"), 2); // two packets of 56 + 34

    trace.clear();
    EXPECT_EQ(link.sendLightingFrame(frame.data(), frame.size()), 1);
    EXPECT_EQ(backend->writeCount(), before + 2);
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(DeviceLinkTest, CloseFromAnotherThreadReleasesABlockedTransaction) {
    ASSERT_NO_FATAL_FAILURE(openRoute(2)); // 5000 ms time-out: the close must end it long before
    backend->setResponder([](const Report&) { return std::vector<Report>{}; });
    std::atomic<int> result{99};
    std::thread waiting([&] { result = link.beginSequence(); });
    while (backend->writeCount() == 0)
        std::this_thread::yield();
    auto started = std::chrono::steady_clock::now();
    link.receiverChannel().close();
    waiting.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
}

} // namespace
} // namespace v38

// The hidraw backend against a fake sysfs tree, with socket pairs standing in for the device nodes:
// the test plays the device on the far end of each.
#include "core/hid/hid_channel.h"
#include "core/hid/hid_path.h"
#include "core/hid/hidraw_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace v38 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// One vendor-page application collection with an input and an output report of count bytes.
Bytes vendorCollection(uint8_t usage, int reportId, uint8_t count) {
    Bytes d = {0x06, 0x00, 0xFF, 0x09, usage, 0xA1, 0x01};
    if (reportId >= 0)
        d.insert(d.end(), {0x85, static_cast<uint8_t>(reportId)});
    d.insert(d.end(), {0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, count, 0x09, 0x01, 0x81, 0x02, 0x09,
                       0x01, 0x91, 0x02, 0xC0});
    return d;
}

// Four collections with report ids 1..4; collection i has usage i and 4 * i + 3 data bytes.
Bytes compositeDescriptor() {
    Bytes d;
    for (uint8_t i = 1; i <= 4; ++i) {
        Bytes c = vendorCollection(i, i, static_cast<uint8_t>(4 * i + 3));
        d.insert(d.end(), c.begin(), c.end());
    }
    return d;
}

struct FakeNode {
    unsigned number = 0;
    uint16_t bus = 3;
    uint16_t vendorId = 0x320F;
    uint16_t productId = 0x5055;
    int interfaceNumber = 0; // -1: the HID device has no USB parent
    uint16_t bcdDevice = 0;
    Bytes descriptor;
};

class HidrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN); // a peer gone mid-write must show as a failed write
        std::string pattern = (fs::temp_directory_path() / "hidraw_test_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        roots_.sysClassHidraw = (root_ / "sys/class/hidraw").string();
        roots_.dev = (root_ / "dev").string();
        fs::create_directories(roots_.sysClassHidraw);
        roots_.openNode = [this](const std::string& node, int flags) { return openNode(node, flags); };
    }

    void TearDown() override {
        for (auto& [node, ends] : deviceEnds_)
            for (int fd : ends)
                ::close(fd);
        fs::remove_all(root_);
    }

    static void writeFile(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // Lays the node out as the kernel does: class entry -> HID device -> USB interface -> USB device.
    void addNode(const FakeNode& node) {
        char hid[64];
        std::snprintf(hid, sizeof hid, "%04X:%04X:%04X.%04X", node.bus, node.vendorId, node.productId,
                      ++seq_);
        fs::path parent;
        if (node.interfaceNumber >= 0) {
            std::string usb = "1-" + std::to_string(seq_);
            fs::path usbDevice = "devices/pci0000:00/0000:00:14.0/usb1/" + usb;
            parent = usbDevice / (usb + ":1." + std::to_string(node.interfaceNumber));
            fs::create_directories(root_ / "sys" / parent);
            char text[16];
            std::snprintf(text, sizeof text, "%04x\n", node.bcdDevice);
            writeFile(root_ / "sys" / usbDevice / "bcdDevice", text);
            std::snprintf(text, sizeof text, "%02x\n", node.interfaceNumber);
            writeFile(root_ / "sys" / parent / "bInterfaceNumber", text);
        } else {
            parent = "devices/virtual/misc/uhid";
        }
        fs::path hidDir = root_ / "sys" / parent / hid;
        fs::create_directories(hidDir);
        char id[64];
        std::snprintf(id, sizeof id, "HID_ID=%04X:%08X:%08X\n", node.bus, node.vendorId, node.productId);
        writeFile(hidDir / "uevent", "DRIVER=hid-generic\nnonsense\nHID_ID=zz:1\n" + std::string(id) +
                                         "HID_NAME=Fake device\nHID_UNIQ=\n");
        writeFile(hidDir / "report_descriptor", std::string(node.descriptor.begin(), node.descriptor.end()));
        fs::path entry = classEntry(node.number);
        fs::create_directories(entry);
        fs::remove(entry / "device");
        fs::create_directory_symlink(fs::path("../../..") / parent / hid, entry / "device");
    }

    fs::path classEntry(unsigned number) const {
        return fs::path(roots_.sysClassHidraw) / ("hidraw" + std::to_string(number));
    }

    // hidraw0: a composite interface; hidraw1: one unnumbered collection; hidraw2: not on USB;
    // hidraw3: a descriptor that does not parse.
    void addStandardNodes() {
        addNode({0, 3, 0x320F, 0x5055, 1, 0x0102, compositeDescriptor()});
        addNode({1, 3, 0x320F, 0x5056, 0, 0x0200, vendorCollection(0x10, -1, 8)});
        addNode({2, 5, 0x046D, 0xC52B, -1, 0, vendorCollection(0x20, -1, 8)});
        addNode({3, 3, 0x320F, 0x5057, 2, 0x0100, {0x06, 0x00}});
    }

    std::string node(unsigned number) const { return roots_.dev + "/hidraw" + std::to_string(number); }

    int openNode(const std::string& nodePath, int flags) {
        std::lock_guard lock(mutex_);
        lastFlags_ = flags;
        if (denied_.count(nodePath)) {
            errno = EACCES;
            return -1;
        }
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0)
            return -1;
        ::fcntl(fds[0], F_SETFL, flags & O_NONBLOCK);
        deviceEnds_[nodePath].push_back(fds[1]);
        return fds[0];
    }

    // The device sends one report; every opener of the node gets it, as with hidraw.
    void send(const std::string& nodePath, const Bytes& report) {
        std::lock_guard lock(mutex_);
        for (int fd : deviceEnds_[nodePath])
            ASSERT_EQ(::send(fd, report.data(), report.size(), 0), static_cast<ssize_t>(report.size()));
    }

    // What the device got from one of its openers; empty when nothing came within a second.
    Bytes received(const std::string& nodePath, size_t opener = 0) {
        std::lock_guard lock(mutex_);
        pollfd p{deviceEnds_[nodePath].at(opener), POLLIN, 0};
        if (::poll(&p, 1, 1000) != 1)
            return {};
        Bytes report(256);
        ssize_t n = ::recv(p.fd, report.data(), report.size(), MSG_DONTWAIT);
        report.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return report;
    }

    void unplug(const std::string& nodePath) {
        std::lock_guard lock(mutex_);
        for (int fd : deviceEnds_[nodePath])
            ::close(fd);
        deviceEnds_[nodePath].clear();
    }

    std::shared_ptr<HidDeviceHandle> openHandle(const std::string& path) {
        HidOpenError error = HidOpenError::None;
        auto handle = backend_->open(path, HidOpenMode{}, error);
        EXPECT_EQ(error, HidOpenError::None) << path;
        return handle;
    }

    fs::path root_;
    HidrawRoots roots_;
    std::shared_ptr<HidrawBackend> backend_;
    unsigned seq_ = 0;
    std::mutex mutex_;
    std::map<std::string, std::vector<int>> deviceEnds_;
    std::set<std::string> denied_;
    int lastFlags_ = 0;
};

// Tests that open build the backend after SetUp has filled the roots.
class HidrawIoTest : public HidrawTest {
protected:
    void SetUp() override {
        HidrawTest::SetUp();
        addStandardNodes();
        backend_ = std::make_shared<HidrawBackend>(roots_);
    }
    std::string colPath(unsigned col) const {
        return node(0) + "#vid_320f&pid_5055&mi_01&col0" + std::to_string(col);
    }
    std::string unnumberedPath() const { return node(1) + "#vid_320f&pid_5056&mi_00"; }
};

TEST_F(HidrawTest, ListsOnePathPerCollectionAndSkipsUnreadableNodes) {
    addStandardNodes();
    addNode({10, 3, 0x320F, 0x5058, 3, 0, vendorCollection(1, -1, 8)});
    addNode({4, 3, 0x320F, 0x5059, 0, 0, vendorCollection(1, -1, 8)});
    writeFile(classEntry(4) / "device/uevent", "HID_NAME=no identity\n");
    fs::create_directories(classEntry(5)); // no device link
    fs::create_directories(classEntry(0).parent_path() / "hidrawx");

    HidChannel channel(std::make_shared<HidrawBackend>(roots_));
    ASSERT_TRUE(channel.enumerate());
    std::vector<std::string> paths;
    while (const std::string* path = channel.nextPath())
        paths.push_back(*path);
    std::vector<std::string> expected = {
        node(0) + "#vid_320f&pid_5055&mi_01&col01", node(0) + "#vid_320f&pid_5055&mi_01&col02",
        node(0) + "#vid_320f&pid_5055&mi_01&col03", node(0) + "#vid_320f&pid_5055&mi_01&col04",
        node(1) + "#vid_320f&pid_5056&mi_00",       node(2) + "#vid_046d&pid_c52b",
        node(3) + "#vid_320f&pid_5057&mi_02",       node(10) + "#vid_320f&pid_5058&mi_03",
    };
    EXPECT_EQ(paths, expected);
}

TEST_F(HidrawTest, ListsEveryInterfacePastTheFirstEight) {
    for (unsigned n = 0; n < 12; ++n)
        addNode({n, 3, 0x320F, static_cast<uint16_t>(0x5000 + n), static_cast<int>(n % 3), 0,
                 vendorCollection(1, -1, 8)});
    HidChannel channel(std::make_shared<HidrawBackend>(roots_));
    ASSERT_TRUE(channel.enumerate());
    ASSERT_EQ(channel.pathCount(), 12u);
    for (unsigned n = 0; n < 12; ++n) {
        const std::string* path = channel.nextPath();
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(*path, makeHidPath(node(n), 0x320F, static_cast<uint16_t>(0x5000 + n),
                                     static_cast<int>(n % 3), 0));
    }
    EXPECT_EQ(channel.nextPath(), nullptr);
}

TEST_F(HidrawTest, MissingClassFolderListsNothing) {
    roots_.sysClassHidraw = (root_ / "nowhere").string();
    std::vector<std::string> paths{"stale"};
    EXPECT_TRUE(HidrawBackend(roots_).listPaths(paths));
    EXPECT_TRUE(paths.empty());
}

TEST_F(HidrawIoTest, ChannelLearnsIdentityAndLayoutOfThePathsCollection) {
    struct Case {
        std::string path;
        uint16_t vendorId, productId, version, usage, inputLength;
        uint32_t interfaceNumber, collectionNumber;
    };
    const Case cases[] = {
        {colPath(1), 0x320F, 0x5055, 0x0102, 1, 8, 1, 1},
        {colPath(4), 0x320F, 0x5055, 0x0102, 4, 20, 1, 4},
        {node(0) + "#VID_320F&PID_5055&MI_01&COL02", 0x320F, 0x5055, 0x0102, 2, 12, 1, 2},
        {unnumberedPath(), 0x320F, 0x5056, 0x0200, 0x10, 9, 0, 0},
        {node(2) + "#vid_046d&pid_c52b", 0x046D, 0xC52B, 0, 0x20, 9, 0, 0},
    };
    HidChannel channel(backend_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(channel.open(c.path, true, true, true, false));
        EXPECT_EQ(channel.vendorId(), c.vendorId);
        EXPECT_EQ(channel.productId(), c.productId);
        EXPECT_EQ(channel.versionNumber(), c.version);
        EXPECT_EQ(channel.usagePage(), 0xFF00);
        EXPECT_EQ(channel.usage(), c.usage);
        EXPECT_EQ(channel.inputReportLength(), c.inputLength);
        EXPECT_EQ(channel.interfaceNumber(), c.interfaceNumber);
        EXPECT_EQ(channel.collectionNumber(), c.collectionNumber);
        EXPECT_EQ(lastFlags_, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    // Exclusive cannot be had on hidraw; the open goes ahead shared.
    ASSERT_TRUE(channel.open(unnumberedPath(), true, false, true, true));
    EXPECT_EQ(lastFlags_, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

TEST_F(HidrawIoTest, OpenRefusesPathsThatDoNotNameAPresentCollection) {
    denied_.insert(node(1));
    const std::string composite = "#vid_320f&pid_5055&mi_01&col01";
    const std::pair<std::string, HidOpenError> cases[] = {
        {(root_ / "elsewhere/hidraw0").string() + composite, HidOpenError::InvalidPath},
        {roots_.dev + "/../dev/hidraw0" + composite, HidOpenError::InvalidPath},
        {roots_.dev + "/hidraw00" + composite, HidOpenError::InvalidPath},
        {roots_.dev + "/hidrawx" + composite, HidOpenError::InvalidPath},
        {node(0), HidOpenError::InvalidPath},
        {node(7) + "#vid_320f&pid_5055", HidOpenError::NotFound},
        {node(0) + "#vid_320f&pid_5056&mi_01&col01", HidOpenError::NotFound},
        {node(0) + "#vid_320f&pid_5055&mi_01&col05", HidOpenError::NotFound},
        {node(0) + "#vid_320f&pid_5055&mi_01", HidOpenError::NotFound},
        {node(0) + "#vid_320f&pid_5055&col01", HidOpenError::NotFound},
        {node(2) + "#vid_046d&pid_c52b&mi_00", HidOpenError::NotFound},
        {node(3) + "#vid_320f&pid_5057&mi_02", HidOpenError::DescriptorUnreadable},
        {unnumberedPath(), HidOpenError::AccessDenied},
    };
    HidChannel channel(backend_);
    for (const auto& [path, error] : cases) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(channel.open(path, true, true, true, false));
        EXPECT_STREQ(hidOpenErrorText(channel.lastOpenError()), hidOpenErrorText(error));
        EXPECT_FALSE(channel.isOpen());
    }
}

TEST_F(HidrawIoTest, PathListedBeforeTheNodeChangedHandsIsNotFound) {
    std::vector<std::string> before;
    ASSERT_TRUE(backend_->listPaths(before));
    ASSERT_EQ(before.size(), 7u);
    EXPECT_EQ(before[4], unnumberedPath());
    addNode({1, 3, 0x320F, 0x6000, 0, 0, vendorCollection(0x10, -1, 8)}); // replugged: another device

    HidChannel channel(backend_);
    EXPECT_FALSE(channel.open(unnumberedPath(), true, true, true, false));
    EXPECT_EQ(channel.lastOpenError(), HidOpenError::NotFound);
    std::vector<std::string> after;
    ASSERT_TRUE(backend_->listPaths(after));
    ASSERT_EQ(after.size(), 7u);
    EXPECT_EQ(after[4], node(1) + "#vid_320f&pid_6000&mi_00");
    EXPECT_TRUE(channel.open(after[4], true, true, true, false));
}

TEST_F(HidrawIoTest, EachCollectionSeesOnlyItsOwnReports) {
    auto col3 = openHandle(colPath(3));
    auto col4 = openHandle(colPath(4));
    ASSERT_TRUE(col3 && col4);
    send(node(0), {3, 0x33});
    send(node(0), {4, 0x44});
    uint8_t buffer[64] = {};
    size_t n = 0;
    ASSERT_EQ(col4->read(buffer, sizeof buffer, n, 1000), HidIoResult::Ok);
    EXPECT_EQ(Bytes(buffer, buffer + n), (Bytes{4, 0x44}));
    ASSERT_EQ(col3->read(buffer, sizeof buffer, n, 1000), HidIoResult::Ok);
    EXPECT_EQ(Bytes(buffer, buffer + n), (Bytes{3, 0x33}));
    EXPECT_EQ(col3->read(buffer, sizeof buffer, n, 100), HidIoResult::TimedOut); // report 4 was dropped
    EXPECT_EQ(n, 0u);

    // Numbered reports go down as they are.
    ASSERT_EQ(col4->write(Bytes{4, 1, 2}.data(), 3, n, 1000), HidIoResult::Ok);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(received(node(0), 1), (Bytes{4, 1, 2}));
}

TEST_F(HidrawIoTest, ForeignReportsDoNotStretchTheTimeOut) {
    auto col4 = openHandle(colPath(4));
    ASSERT_TRUE(col4);
    std::atomic<bool> streamEnded{false};
    std::jthread device([&](std::stop_token stop) {
        for (int i = 0; i < 150 && !stop.stop_requested(); ++i) {
            send(node(0), {3, static_cast<uint8_t>(i)});
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        streamEnded = true;
    });
    uint8_t buffer[64];
    size_t n = 0;
    EXPECT_EQ(col4->read(buffer, sizeof buffer, n, 200), HidIoResult::TimedOut);
    EXPECT_FALSE(streamEnded.load()); // the read ended on its own deadline, not when the reports stopped
}

TEST_F(HidrawIoTest, UnnumberedReportsCarryAZeroIdByteForTheCaller) {
    auto handle = openHandle(unnumberedPath());
    ASSERT_TRUE(handle);
    send(node(1), {1, 2, 3, 4, 5, 6, 7, 8});
    uint8_t buffer[9] = {};
    size_t n = 0;
    ASSERT_EQ(handle->read(buffer, sizeof buffer, n, 1000), HidIoResult::Ok);
    EXPECT_EQ(Bytes(buffer, buffer + n), (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8}));

    // hidraw wants byte 0 as the report number and drops a 0 itself; dropping it here as well would
    // cost the first data byte whenever that is 0.
    const Bytes report = {0, 0, 0xAA, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(handle->write(report.data(), report.size(), n, 1000), HidIoResult::Ok);
    EXPECT_EQ(n, report.size());
    EXPECT_EQ(received(node(1)), report);
    // A non-zero id would be taken for a report number the device does not have.
    EXPECT_EQ(handle->write(Bytes{5, 1}.data(), 2, n, 1000), HidIoResult::Failed);
    EXPECT_EQ(n, 0u);
}

TEST_F(HidrawIoTest, TimedOutReadLeavesTheChannelUsable) {
    HidChannel channel(backend_);
    ASSERT_TRUE(channel.open(unnumberedPath(), true, true, true, false));
    uint8_t buffer[9];
    size_t n = 1;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.read(buffer, sizeof buffer, n, 1000), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(990));
    EXPECT_EQ(n, 0u);
    send(node(1), {9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(channel.read(buffer, sizeof buffer, n, 1000), 1);
    EXPECT_EQ(n, 9u);
}

TEST_F(HidrawIoTest, CloseFromAnotherThreadReleasesAnEndlessRead) {
    HidChannel channel(backend_);
    ASSERT_TRUE(channel.open(unnumberedPath(), true, true, true, false));
    std::atomic<int> result{-1};
    std::jthread reader([&] {
        uint8_t buffer[9];
        size_t n = 0;
        result = channel.read(buffer, sizeof buffer, n, kHidInfinite);
    });
    while (!channel.reading())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    channel.close();
    reader.join();
    EXPECT_EQ(result.load(), 0);
}

TEST_F(HidrawIoTest, CancelIsStickyEvenWithReportsWaiting) {
    auto handle = openHandle(unnumberedPath());
    ASSERT_TRUE(handle);
    handle->cancel();
    handle->cancel();
    send(node(1), {1, 2, 3, 4, 5, 6, 7, 8});
    uint8_t buffer[9] = {};
    size_t n = 0;
    EXPECT_EQ(handle->read(buffer, sizeof buffer, n, kHidInfinite), HidIoResult::Cancelled);
    EXPECT_EQ(handle->write(buffer, sizeof buffer, n, kHidInfinite), HidIoResult::Cancelled);
}

TEST_F(HidrawIoTest, UnpluggedDeviceFailsTransfersWithoutWaiting) {
    auto handle = openHandle(unnumberedPath());
    ASSERT_TRUE(handle);
    unplug(node(1));
    uint8_t buffer[9] = {};
    size_t n = 0;
    EXPECT_EQ(handle->read(buffer, sizeof buffer, n, 5000), HidIoResult::Failed);
    EXPECT_EQ(handle->write(buffer, sizeof buffer, n, 5000), HidIoResult::Failed);
}

} // namespace
} // namespace v38

#include "core/hid/hidraw_backend.h"

#include "core/hid/hid_path.h"
#include "core/hid/hidraw_handle.h"
#include "core/hid/hidraw_sysfs.h"
#include "core/hid/report_descriptor.h"
#include "core/platform/text_utils.h"

#include <cctype>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace v38 {

namespace {

int openDeviceNode(const std::string& nodePath, int flags) {
    return ::open(nodePath.c_str(), flags);
}

// A descriptor counts only when it parses into at least one collection.
bool parseNodeDescriptor(const HidrawNodeInfo& info, ReportDescriptor& descriptor) {
    return info.descriptorRead &&
           parseReportDescriptor(info.descriptor.data(), info.descriptor.size(), descriptor) &&
           !descriptor.collections.empty();
}

// Checks the markers of a path against what the node is now; a path listed for an earlier device
// on the same node no longer matches. On success index is the collection the path names.
HidOpenError matchPath(const std::string& path, const std::string& node, const HidrawNodeInfo& info,
                       ReportDescriptor& descriptor, size_t& index) {
    bool parsed = parseNodeDescriptor(info, descriptor);
    size_t count = parsed ? descriptor.collections.size() : 1;
    unsigned collection = parseHidPathFields(path).collectionNumber;
    if (count > 1 && (collection < 1 || collection > count))
        return HidOpenError::NotFound;
    unsigned marker = count > 1 ? collection : 0;
    if (!equalsIgnoringCase(path,
                            makeHidPath(node, info.vendorId, info.productId, info.interfaceNumber, marker)))
        return HidOpenError::NotFound;
    if (!parsed)
        return HidOpenError::DescriptorUnreadable;
    index = marker > 0 ? marker - 1 : 0;
    return HidOpenError::None;
}

HidOpenError openErrorOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return HidOpenError::AccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return HidOpenError::NotFound;
    default:
        return HidOpenError::Failed;
    }
}

} // namespace

HidrawBackend::HidrawBackend() : HidrawBackend(HidrawRoots{}) {}

HidrawBackend::HidrawBackend(HidrawRoots roots) : roots_(std::move(roots)) {
    if (!roots_.openNode)
        roots_.openNode = openDeviceNode;
}

std::string HidrawBackend::nodePath(const std::string& nodeName) const {
    std::string root = roots_.dev;
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    return root + "/" + nodeName;
}

std::string HidrawBackend::nodeNameOf(const std::string& path) const {
    std::string_view node = hidPathNode(path);
    size_t slash = node.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    std::string name(node.substr(slash + 1));
    if (!isHidrawNodeName(name) || nodePath(name) != node)
        return {};
    return name;
}

bool HidrawBackend::listPaths(std::vector<std::string>& paths) {
    paths.clear();
    std::vector<std::string> names;
    if (!listHidrawNodeNames(roots_.sysClassHidraw, names))
        return false;
    for (const std::string& name : names) {
        HidrawNodeInfo info;
        if (!readHidrawNode(roots_.sysClassHidraw, name, info))
            continue;
        // A node whose descriptor does not parse still gets one path, so it shows up; opening it
        // then says why it is of no use.
        ReportDescriptor descriptor;
        size_t count = parseNodeDescriptor(info, descriptor) ? descriptor.collections.size() : 1;
        for (size_t i = 0; i < count; ++i)
            paths.push_back(makeHidPath(nodePath(name), info.vendorId, info.productId, info.interfaceNumber,
                                        count > 1 ? static_cast<unsigned>(i + 1) : 0));
    }
    return true;
}

std::shared_ptr<HidDeviceHandle> HidrawBackend::open(const std::string& path, const HidOpenMode& mode,
                                                     HidOpenError& error) {
    std::string name = path.size() <= kMaxHidPathLength ? nodeNameOf(path) : std::string();
    if (name.empty() || path.find('#') == std::string::npos) {
        error = HidOpenError::InvalidPath;
        return nullptr;
    }
    HidrawNodeInfo info;
    if (!readHidrawNode(roots_.sysClassHidraw, name, info)) {
        error = HidOpenError::NotFound;
        return nullptr;
    }
    ReportDescriptor descriptor;
    size_t index = 0;
    error = matchPath(path, nodePath(name), info, descriptor, index);
    if (error != HidOpenError::None)
        return nullptr;

    HidrawHandle::Setup setup;
    setup.canRead = mode.read;
    setup.canWrite = mode.write;
    // Without any access asked for, only identity and layout are wanted: the node stays closed.
    if (mode.read || mode.write) {
        int access = mode.read && mode.write ? O_RDWR : mode.read ? O_RDONLY : O_WRONLY;
        setup.fd = roots_.openNode(nodePath(name), access | O_NONBLOCK | O_CLOEXEC);
        if (setup.fd < 0) {
            error = openErrorOf(errno);
            return nullptr;
        }
    }
    // The node may have changed hands between the check and the open.
    HidrawNodeInfo now;
    if (!readHidrawNode(roots_.sysClassHidraw, name, now) || !now.sameIdentity(info)) {
        if (setup.fd >= 0)
            ::close(setup.fd);
        error = HidOpenError::NotFound;
        return nullptr;
    }

    setup.attributes.vendorId = info.vendorId;
    setup.attributes.productId = info.productId;
    setup.attributes.versionNumber = info.versionNumber;
    setup.descriptor = std::move(info.descriptor);
    setup.collectionIndex = index;
    setup.numberedReports = descriptor.usesReportIds;
    setup.reportIds = descriptor.collections[index].reportIds;
    std::shared_ptr<HidDeviceHandle> handle = HidrawHandle::create(std::move(setup));
    error = handle ? HidOpenError::None : HidOpenError::Failed;
    return handle;
}

} // namespace v38

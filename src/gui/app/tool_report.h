// The block the "WorkTool" peer asks for: the tool version and the device kinds the program
// supports, as 256 little-endian 32-bit words sent as copy-data 5.
#pragma once

#include <QByteArray>

namespace v38 {

constexpr unsigned kToolReportDataKind = 5;
constexpr int kToolReportBytes = 1024;

QByteArray buildToolReport();

} // namespace v38

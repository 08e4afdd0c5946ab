// Image names of the core ("common/x.png", "file='power/x.png'") resolved to files of the skin; the
// program's own artwork is SVG, so a missing PNG is looked for as SVG.
#pragma once

#include <QIcon>
#include <QString>

#include <string>

namespace v38 {

// Empty when neither file exists.
QString skinImagePath(const std::string& name);
QIcon skinIcon(const std::string& name);

} // namespace v38

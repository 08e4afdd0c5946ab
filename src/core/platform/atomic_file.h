// Whole-file writes that never leave a truncated file: write a temporary file in the same folder,
// flush it to disk, then rename it over the old one.
#pragma once

#include <string>
#include <string_view>

namespace v38 {

// False with a reason when any step fails; the old file is then left as it was.
bool writeFileAtomically(const std::string& path, std::string_view contents, std::string& error);

} // namespace v38

// "v38ctl profile KIND ...": the profile list of one device kind from the command line, on the same
// per-user data folder as the window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace v38::ctl {

// args are the words after "profile": KIND list|add|copy|rename NAME|delete|select INDEX|import FILE|
// export FILE|reset, with KIND one of keyboard, mouse, MousePad, HD. Prints the list after each
// change ("INDEX NAME UUID", '*' before the selected line). Returns 0 on success, 1 when the
// operation was refused or failed (one line on err), 2 for a usage error.
int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on the given data home (in place of V38_DATA_HOME and the XDG folders) and resource folder.
int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const std::string& dataHome, const std::string& resourceFolder);

} // namespace v38::ctl

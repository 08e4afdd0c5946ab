#include "tools/v38ctl/ctl_options.h"

// Placeholder until the virtual devices land.
namespace v38::ctl {

bool installSimulation(const CtlOptions&, std::string& error) {
    error = "virtual devices are not available in this build";
    return false;
}

} // namespace v38::ctl

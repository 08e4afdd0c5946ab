#include "tools/v38ctl/ctl_options.h"

#include "sim/fault_rule.h"
#include "sim/simulation.h"

#include <chrono>

namespace v38::ctl {

bool installSimulation(const CtlOptions& options, std::string& error) {
    std::vector<sim::Identity> identities = sim::defaultSimulationIdentities();
    if (!options.simulateList.empty()) {
        identities.clear();
        if (!sim::parseIdentityList(options.simulateList, identities, error)) {
            error = "--simulate: " + error;
            return false;
        }
    }
    std::shared_ptr<sim::VirtualHidBackend> backend = sim::makeSimulation(identities);
    for (const std::string& ruleText : options.faults) {
        sim::FaultRule rule;
        if (!sim::parseFaultSpec(ruleText, rule, error)) {
            error = "--fault " + ruleText + ": " + error;
            return false;
        }
        backend->addFault(rule);
    }
    backend->setLatency(std::chrono::microseconds(options.latencyMicroseconds));
    setProcessHidBackend(backend);
    return true;
}

} // namespace v38::ctl

#include "sim/simulation.h"

namespace v38::sim {

std::vector<Identity> defaultSimulationIdentities() {
    return {Identity::Keyboard, Identity::MouseReceiver, Identity::MousePad, Identity::Headset};
}

std::shared_ptr<VirtualHidBackend> makeSimulation(const std::vector<Identity>& identities) {
    auto backend = std::make_shared<VirtualHidBackend>();
    for (Identity identity : identities) {
        backend->plug(identity);
        if (isReceiver(identity))
            backend->setWirelessOn(identity, true);
    }
    return backend;
}

} // namespace v38::sim

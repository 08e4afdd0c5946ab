// Ready-made simulations for --simulate and tests: a virtual backend with a set of identities plugged.
#pragma once

#include "sim/identity.h"
#include "sim/virtual_hid_backend.h"

#include <memory>
#include <vector>

namespace v38::sim {

// Keyboard on cable, mouse through its receiver (wireless device on), mouse pad, headset.
std::vector<Identity> defaultSimulationIdentities();

// A backend with the identities plugged, receivers' wireless devices switched on.
std::shared_ptr<VirtualHidBackend> makeSimulation(const std::vector<Identity>& identities);

} // namespace v38::sim

// The routing table is the rows of these registrars, in this order. A subsystem that adds routes
// puts its rows in its own file and its registrar here.
#include "gui/app/notify_router.h"

namespace v38 {

NotifyRouter::NotifyRouter() {
    addShellRoutes(*this);
}

} // namespace v38

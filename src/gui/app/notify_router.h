// Routes notifications and menu commands to their operations by type and sender name. Each subsystem
// contributes rows from its own file (see route_sources.cpp); the router reads them as one table.
#pragma once

#include "gui/ui/notification.h"

#include <QString>

#include <span>
#include <vector>

namespace v38 {

class CMainWnd;

enum class RouteMatch {
    Plain,     // the name, without regard to case
    ExactCase, // the name, letter case included
    Indexed,   // a prefix ending in "_" followed by the index
    TitleBar,  // the title-bar control of that name found at InitWindow
};

// index is the index of an indexed name, else 0.
using RouteAction = void (*)(CMainWnd& window, const Notification& notification, int index);
using MenuAction = void (*)(CMainWnd& window);

struct NotifyRoute {
    const char* type;
    const char* name;
    RouteMatch match;
    RouteAction action;
};

struct MenuRoute {
    const char* item;
    MenuAction action;
};

// Splits "key_12" into "key_" and 12 at the last "_"; a tail that is not a number gives 0. False for
// a name without "_".
bool splitIndexedName(const QString& name, QString& prefix, int& index);

class NotifyRouter {
public:
    // The rows of every subsystem (route_sources.cpp).
    NotifyRouter();

    void addRoutes(std::span<const NotifyRoute> routes);
    void addMenuRoutes(std::span<const MenuRoute> routes);

    // The type dispatch: a debug line (never for "timer"), the window's own steps for "windowinit" and
    // "windowsize", then the indexed rows of the type, then the plain ones. False when the notification
    // ends here and the window base must not see it.
    bool dispatch(CMainWnd& window, const Notification& notification) const;
    // Menu item names compare without regard to case; false when no row has the item.
    bool dispatchMenu(CMainWnd& window, const QString& item) const;

    const std::vector<NotifyRoute>& routes() const { return m_routes; }
    const std::vector<MenuRoute>& menuRoutes() const { return m_menuRoutes; }

private:
    std::vector<NotifyRoute> m_routes;
    std::vector<MenuRoute> m_menuRoutes;
};

// Registrars of the subsystems' rows, called by the router in this order.
void addShellRoutes(NotifyRouter& router);

} // namespace v38

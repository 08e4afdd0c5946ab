#include "gui/app/notify_router.h"

#include "core/platform/debug_log.h"
#include "gui/app/main_wnd.h"

namespace v38 {

bool splitIndexedName(const QString& name, QString& prefix, int& index) {
    const int underscore = name.lastIndexOf('_');
    if (underscore < 0)
        return false;
    prefix = name.left(underscore + 1);
    // As the platform's text-to-integer conversion: leading digits count, anything else gives 0.
    const QString tail = name.mid(underscore + 1);
    int digits = 0;
    while (digits < tail.size() && digits < 9 && tail[digits].isDigit() && tail[digits].unicode() < 128)
        ++digits;
    index = digits > 0 ? tail.left(digits).toInt() : 0;
    return true;
}

void NotifyRouter::addRoutes(std::span<const NotifyRoute> routes) {
    m_routes.insert(m_routes.end(), routes.begin(), routes.end());
}

void NotifyRouter::addMenuRoutes(std::span<const MenuRoute> routes) {
    m_menuRoutes.insert(m_menuRoutes.end(), routes.begin(), routes.end());
}

bool NotifyRouter::dispatch(CMainWnd& window, const Notification& n) const {
    const QString name = n.senderName();
    if (n.type != notify::kTimer)
        debugOutput((n.type + " " + name).toStdString());

    if (n.type == notify::kWindowInit) {
        window.windowInitSequence();
        return true;
    }
    if (n.type == notify::kWindowSize) {
        if (name.compare("root", Qt::CaseInsensitive) == 0)
            window.onRootSized();
        return true;
    }
    if (n.type == "click_wpremove" || n.type == "click_wpedit")
        return false;

    QString prefix;
    int index = 0;
    const bool indexed = splitIndexedName(name, prefix, index);
    // Indexed rows first, then plain ones: a click may run both.
    for (const NotifyRoute& route : m_routes) {
        if (route.match == RouteMatch::Indexed && indexed && n.type == QLatin1String(route.type) &&
            prefix.compare(QLatin1String(route.name), Qt::CaseInsensitive) == 0)
            route.action(window, n, index);
    }
    for (const NotifyRoute& route : m_routes) {
        if (route.match == RouteMatch::Indexed || n.type != QLatin1String(route.type))
            continue;
        bool matches = false;
        switch (route.match) {
        case RouteMatch::Plain:
            matches = name.compare(QLatin1String(route.name), Qt::CaseInsensitive) == 0;
            break;
        case RouteMatch::ExactCase:
            matches = name == QLatin1String(route.name);
            break;
        case RouteMatch::TitleBar:
            matches = n.sender && n.sender == window.titleBarControl(QLatin1String(route.name));
            break;
        case RouteMatch::Indexed:
            break;
        }
        if (matches)
            route.action(window, n, 0);
    }
    return true;
}

bool NotifyRouter::dispatchMenu(CMainWnd& window, const QString& item) const {
    for (const MenuRoute& route : m_menuRoutes) {
        if (item.compare(QLatin1String(route.item), Qt::CaseInsensitive) == 0) {
            route.action(window);
            return true;
        }
    }
    return false;
}

} // namespace v38

// Popup menus from the skin's menu files. A menu file lists items by name:
//   <Menu><Item name="about_menu" textid="about_menu_text" icon="icons/info.svg"/><Separator/></Menu>
// Choosing an item reports its name; the window turns that into message 1145.
#pragma once

#include <QString>
#include <QVector>

#include <functional>

class QMenu;
class QWidget;

namespace v38 {

struct MenuItem {
    QString name; // empty for a separator
    QString textId;
    QString icon; // relative to the skin folder
    QVector<MenuItem> children;
};

// False when the file is missing or malformed. Bounded in items and depth.
bool readMenuFile(const QString& path, QVector<MenuItem>& items);
bool parseMenu(const QByteArray& data, QVector<MenuItem>& items);

// A QMenu whose actions carry the item names as object names; onChosen gets the name of the chosen
// item. Texts come from the current language.
QMenu* buildMenu(const QVector<MenuItem>& items, QWidget* parent,
                 std::function<void(const QString&)> onChosen);

} // namespace v38

#include "gui/ui/menu_file.h"

#include "gui/ui/language_texts.h"
#include "gui/ui/resource_paths.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QXmlStreamReader>

namespace v38 {

namespace {
constexpr qint64 kMaxMenuFileBytes = 256 * 1024;
constexpr int kMaxItems = 500;
constexpr int kMaxDepth = 4;

bool readItems(QXmlStreamReader& xml, QVector<MenuItem>& items, int depth, int& count) {
    while (xml.readNextStartElement()) {
        if (++count > kMaxItems)
            return false;
        MenuItem item;
        if (xml.name() == QLatin1String("Separator")) {
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("Item")) {
            item.name = xml.attributes().value("name").toString();
            item.textId = xml.attributes().value("textid").toString();
            item.icon = xml.attributes().value("icon").toString();
            if (item.name.isEmpty())
                return false;
            if (depth + 1 >= kMaxDepth) {
                xml.skipCurrentElement();
            } else if (!readItems(xml, item.children, depth + 1, count)) {
                return false;
            }
        } else {
            xml.skipCurrentElement();
            continue;
        }
        items.append(item);
    }
    return !xml.hasError();
}

void addItems(QMenu* menu, const QVector<MenuItem>& items,
              const std::function<void(const QString&)>& onChosen) {
    for (const MenuItem& item : items) {
        if (item.name.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        const QString textId = item.textId.isEmpty() ? item.name : item.textId;
        if (!item.children.isEmpty()) {
            QMenu* sub = menu->addMenu(LanguageTexts::current().text(textId));
            sub->setObjectName(item.name);
            sub->menuAction()->setProperty("textid", textId);
            addItems(sub, item.children, onChosen);
            continue;
        }
        QAction* action = menu->addAction(LanguageTexts::current().text(textId));
        action->setObjectName(item.name);
        action->setProperty("textid", textId);
        if (!item.icon.isEmpty())
            action->setIcon(QIcon(skinDir() + "/" + item.icon));
        const QString name = item.name;
        QObject::connect(action, &QAction::triggered, menu, [onChosen, name] {
            if (onChosen)
                onChosen(name);
        });
    }
}
} // namespace

bool parseMenu(const QByteArray& data, QVector<MenuItem>& items) {
    items.clear();
    if (data.size() > kMaxMenuFileBytes)
        return false;
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Menu"))
        return false;
    int count = 0;
    QVector<MenuItem> parsed;
    if (!readItems(xml, parsed, 0, count))
        return false;
    items = std::move(parsed);
    return true;
}

bool readMenuFile(const QString& path, QVector<MenuItem>& items) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxMenuFileBytes) {
        items.clear();
        return false;
    }
    return parseMenu(file.readAll(), items);
}

QMenu* buildMenu(const QVector<MenuItem>& items, QWidget* parent,
                 std::function<void(const QString&)> onChosen) {
    auto* menu = new QMenu(parent);
    // The skin draws rounded menus; the corners outside them stay transparent.
    menu->setWindowFlags(menu->windowFlags() | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    addItems(menu, items, onChosen);
    return menu;
}

} // namespace v38

#include "gui/ui/language_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <QXmlStreamReader>

namespace v38 {

namespace {
constexpr qint64 kMaxLanguageFileBytes = 4 * 1024 * 1024;
constexpr int kMaxTexts = 20000;
constexpr int kMaxTextChars = 4096;

void setText(QObject* object, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(object))
        edit->setPlaceholderText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(object))
        group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
}

void setToolTip(QObject* object, const QString& text) {
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setToolTip(text);
}
} // namespace

LanguageTexts& LanguageTexts::current() {
    static LanguageTexts texts;
    return texts;
}

bool LanguageTexts::load(const QString& path) {
    m_texts.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxLanguageFileBytes)
        return false;
    return loadFromData(file.read(kMaxLanguageFileBytes));
}

// <Language name="English"><Text id="message_text_22">Reset to the defaults?</Text>...</Language>
bool LanguageTexts::loadFromData(const QByteArray& data) {
    m_texts.clear();
    if (data.size() > kMaxLanguageFileBytes)
        return false;
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Language"))
        return false;
    QHash<QString, QString> texts;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Text")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString id = xml.attributes().value("id").toString();
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (id.isEmpty() || id.size() > 200 || text.size() > kMaxTextChars)
            continue;
        if (texts.size() >= kMaxTexts)
            break;
        texts.insert(id, text);
    }
    if (xml.hasError())
        return false;
    m_texts = std::move(texts);
    return true;
}

QString LanguageTexts::text(const QString& id) const {
    auto it = m_texts.constFind(id);
    return it != m_texts.constEnd() ? *it : id;
}

void LanguageTexts::apply(QObject* root) const {
    if (!root)
        return;
    QList<QObject*> objects = root->findChildren<QObject*>();
    objects.prepend(root);
    for (QObject* object : objects) {
        const QVariant textId = object->property("textid");
        if (textId.isValid() && !textId.toString().isEmpty())
            setText(object, text(textId.toString()));
        const QVariant tipId = object->property("tooltipid");
        if (tipId.isValid() && !tipId.toString().isEmpty())
            setToolTip(object, text(tipId.toString()));
    }
}

void setControlTextId(QObject* control, const QString& id) {
    if (!control)
        return;
    control->setProperty("textid", id);
    setText(control, LanguageTexts::current().text(id));
}

} // namespace v38

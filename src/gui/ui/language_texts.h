// The texts of the current language: a language file maps text ids to texts, and every control
// whose dynamic property "textid" (or "tooltipid") names an id shows that text. A missing text shows
// its id.
#pragma once

#include <QHash>
#include <QString>

class QWidget;
class QObject;

namespace v38 {

class LanguageTexts {
public:
    // The texts the whole program uses.
    static LanguageTexts& current();

    // Reads a language file; false (and no texts) when it is missing or not a language file.
    bool load(const QString& path);
    // Parses the contents of a language file. Bounded: oversized input is refused.
    bool loadFromData(const QByteArray& data);
    void clear() { m_texts.clear(); }

    const QString& languageName() const { return m_name; }
    void setLanguageName(const QString& name) { m_name = name; }

    bool contains(const QString& id) const { return m_texts.contains(id); }
    // The text of an id, or the id itself when the language has no such text.
    QString text(const QString& id) const;
    int size() const { return m_texts.size(); }

    // Sets the text of every control under root (and root) that names a text id, and of the actions
    // that do. Controls set this way keep their id, so a later call refills them in another language.
    void apply(QObject* root) const;

private:
    QHash<QString, QString> m_texts;
    QString m_name;
};

// Gives one control a text id and its text in the current language.
void setControlTextId(QObject* control, const QString& id);

} // namespace v38

// "Language.config" of DefaultData: the languages the program offers, by index, with their
// language file and the id the saved choice holds.
#pragma once

#include <QString>
#include <QVector>

namespace v38 {

struct LanguageEntry {
    QString name;
    QString file;
    int id = 0;
};

class LanguageList {
public:
    // Reads the file; a missing, unreadable or malformed file gives an empty list (false).
    bool load(const QString& path);
    bool parse(const std::string& text);

    const QVector<LanguageEntry>& entries() const { return m_entries; }
    int size() const { return m_entries.size(); }
    bool contains(int index) const { return index >= 0 && index < m_entries.size(); }
    const LanguageEntry& at(int index) const { return m_entries.at(index); }
    // Position of the first entry with that id, or 0 when none has it.
    int indexOfId(int id) const;

    static QString defaultPath();

private:
    QVector<LanguageEntry> m_entries;
};

} // namespace v38

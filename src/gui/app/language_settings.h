// The saved language choice: "LANGUAGE" in the per-user settings file, holding a language id.
#pragma once

#include <QString>

namespace v38 {

class LanguageSettings {
public:
    // The per-user file (organisation and application "V38 Device"); tests give their own path.
    LanguageSettings();
    explicit LanguageSettings(const QString& path);

    const QString& path() const { return m_path; }
    // Creates the file when it is missing (without a language).
    bool ensureExists() const;
    // False when there is no saved id.
    bool readLanguageId(int& id) const;
    // False when the file cannot be written.
    bool writeLanguageId(int id) const;
    // The index of the saved language in the list at configPath; 0 when anything is missing.
    int readLanguageIndex(const QString& configPath) const;

private:
    QString m_path;
};

} // namespace v38

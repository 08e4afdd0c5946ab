#include "gui/app/language_settings.h"

#include "core/platform/debug_log.h"
#include "gui/app/language_list.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace v38 {

namespace {
const char kLanguageKey[] = "LANGUAGE";
// The saved id when none is stored: no language has it, so index 0 follows.
constexpr int kNoLanguageId = 520;
} // namespace

LanguageSettings::LanguageSettings()
    : m_path(QSettings(QSettings::IniFormat, QSettings::UserScope, "V38 Device", "V38 Device").fileName()) {}

LanguageSettings::LanguageSettings(const QString& path) : m_path(path) {}

bool LanguageSettings::ensureExists() const {
    if (QFileInfo::exists(m_path))
        return true;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue("Version", QStringLiteral(V38_VERSION));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool LanguageSettings::readLanguageId(int& id) const {
    if (!QFileInfo::exists(m_path))
        return false;
    QSettings settings(m_path, QSettings::IniFormat);
    bool ok = false;
    const int value = settings.value(kLanguageKey).toInt(&ok);
    if (!ok)
        return false;
    id = value;
    return true;
}

bool LanguageSettings::writeLanguageId(int id) const {
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(kLanguageKey, id);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    debugOutput("写成功！");
    return true;
}

int LanguageSettings::readLanguageIndex(const QString& configPath) const {
    int id = kNoLanguageId;
    if (!readLanguageId(id))
        return 0;
    LanguageList list;
    if (!list.load(configPath))
        return 0;
    return list.indexOfId(id);
}

} // namespace v38

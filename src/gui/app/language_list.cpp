#include "gui/app/language_list.h"

#include "gui/ui/resource_paths.h"

#include <QFile>

#include <json/json.h>

#include <memory>

namespace v38 {

namespace {
constexpr qint64 kMaxConfigBytes = 256 * 1024;
constexpr int kMaxLanguages = 64;

QString stringMember(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    return value.isString() ? QString::fromStdString(value.asString()).left(128) : QString();
}
} // namespace

QString LanguageList::defaultPath() {
    return defaultDataDir() + "/Language.config";
}

bool LanguageList::load(const QString& path) {
    m_entries.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxConfigBytes)
        return false;
    return parse(file.readAll().toStdString());
}

bool LanguageList::parse(const std::string& text) {
    m_entries.clear();
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["stackLimit"] = 64;
    Json::Value root;
    std::string errors;
    try {
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
            return false;
        const Json::Value& list = root.isObject() ? root["Language"] : Json::Value::nullSingleton();
        if (!list.isArray())
            return false;
        for (Json::ArrayIndex i = 0; i < list.size() && m_entries.size() < kMaxLanguages; ++i) {
            const Json::Value& item = list[i];
            LanguageEntry entry;
            if (item.isObject()) {
                entry.name = stringMember(item, "Language_name");
                entry.file = stringMember(item, "Language_file");
                const Json::Value& id = item["Language_ID"];
                entry.id = id.isInt() ? id.asInt() : -1;
            }
            // Positions are the language indexes, so a broken entry keeps its place.
            m_entries.append(entry);
        }
    } catch (const std::exception&) {
        m_entries.clear();
        return false;
    }
    return true;
}

int LanguageList::indexOfId(int id) const {
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id)
            return i;
    return 0;
}

} // namespace v38

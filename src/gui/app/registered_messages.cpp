#include "gui/app/registered_messages.h"

#include <QHash>
#include <QMutex>

#include <cstring>

namespace v38 {

namespace {
constexpr unsigned kFirstRegistered = 0xC000;
constexpr unsigned kLastRegistered = 0xFFFF;

struct Registry {
    QMutex mutex;
    QHash<QString, unsigned> byName;
    QHash<unsigned, QString> byNumber;
};

Registry& registry() {
    static Registry instance;
    return instance;
}
} // namespace

unsigned registerWindowMessage(const QString& name) {
    if (name.isEmpty())
        return 0;
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    auto it = r.byName.constFind(name);
    if (it != r.byName.constEnd())
        return *it;
    const unsigned number = kFirstRegistered + static_cast<unsigned>(r.byName.size());
    if (number > kLastRegistered)
        return 0;
    r.byName.insert(name, number);
    r.byNumber.insert(number, name);
    return number;
}

unsigned lookupWindowMessage(const QString& name) {
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    return r.byName.value(name, 0);
}

QString registeredMessageName(unsigned number) {
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    return r.byNumber.value(number);
}

unsigned AppMessages::hookMessage(const char* name) const {
    for (size_t i = 0; i < kHookMessageNames.size(); ++i)
        if (std::strcmp(kHookMessageNames[i], name) == 0)
            return hook[i];
    return 0;
}

const AppMessages& registerAppMessages() {
    static const AppMessages messages = [] {
        AppMessages m;
        m.appInstance = registerWindowMessage(kAppInstanceMessage);
        for (size_t i = 0; i < kHookMessageNames.size(); ++i)
            m.hook[i] = registerWindowMessage(QString::fromLatin1(kHookMessageNames[i]));
        for (size_t i = 0; i < kGameMessageNames.size(); ++i)
            m.game[i] = registerWindowMessage(QString::fromLatin1(kGameMessageNames[i]));
        m.updateRelay = registerWindowMessage(kUpdateRelayMessage);
        m.lightState = registerWindowMessage(kLightStateMessage);
        m.lightControl = registerWindowMessage(kLightControlMessage);
        m.deviceReport = registerWindowMessage(kDeviceReportMessage);
        m.audioRecord = registerWindowMessage(kAudioRecordMessage);
        return m;
    }();
    return messages;
}

} // namespace v38

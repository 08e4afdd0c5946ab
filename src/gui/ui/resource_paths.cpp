#include "gui/ui/resource_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace v38 {

namespace {
QString& overrideDir() {
    static QString dir;
    return dir;
}
} // namespace

QString resourceDir() {
    if (!overrideDir().isEmpty())
        return overrideDir();
    const QString appDir = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(appDir + "/skin"))
        return appDir;
    const QString installed = QDir::cleanPath(appDir + "/../share/v38-device");
    return QFileInfo::exists(installed + "/skin") ? installed : appDir;
}

void setResourceDir(const QString& path) {
    overrideDir() = path;
}

QString skinDir() {
    return resourceDir() + "/skin";
}

QString defaultDataDir() {
    return resourceDir() + "/DefaultData";
}

QString fontDir() {
    return resourceDir() + "/Font";
}

namespace {
QString skinRelative(const QString& name) {
    QString relative = name;
    relative.replace('\\', '/');
    while (relative.startsWith('/'))
        relative.remove(0, 1);
    return relative;
}
} // namespace

QString layoutFilePath(const QString& layoutName) {
    QString relative = skinRelative(layoutName);
    if (relative.endsWith(".xml", Qt::CaseInsensitive))
        relative.chop(4);
    if (!relative.endsWith(".ui", Qt::CaseInsensitive))
        relative += ".ui";
    return skinDir() + "/" + relative;
}

QString menuFilePath(const QString& menuName) {
    return skinDir() + "/" + skinRelative(menuName);
}

} // namespace v38

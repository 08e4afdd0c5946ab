#include "gui/devices/skin_image.h"

#include "gui/ui/resource_paths.h"

#include <QFileInfo>

namespace v38 {

QString skinImagePath(const std::string& name) {
    QString file = QString::fromStdString(name).trimmed();
    if (file.startsWith("file='")) {
        const qsizetype end = file.indexOf('\'', 6);
        file = end > 6 ? file.mid(6, end - 6) : QString();
    }
    file.replace('\\', '/');
    if (file.isEmpty() || file.contains(".."))
        return {};
    const QString base = skinDir() + "/" + file;
    if (QFileInfo::exists(base))
        return base;
    const qsizetype dot = base.lastIndexOf('.');
    const QString svg = (dot > 0 ? base.left(dot) : base) + ".svg";
    return QFileInfo::exists(svg) ? svg : QString();
}

QIcon skinIcon(const std::string& name) {
    const QString path = skinImagePath(name);
    return path.isEmpty() ? QIcon() : QIcon(path);
}

} // namespace v38

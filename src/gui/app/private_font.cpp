#include "gui/app/private_font.h"

#include "gui/ui/resource_paths.h"

#include <QFile>
#include <QFontDatabase>

namespace v38 {

namespace {
// CJK fonts are large; anything beyond this is not a font we ship.
constexpr qint64 kMaxFontBytes = 64 * 1024 * 1024;
} // namespace

bool PrivateFont::load(const QString& relativePath) {
    unload();
    m_path = resourceDir() + "/" + relativePath;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFontBytes)
        return false;
    const QByteArray data = file.readAll();
    m_id = QFontDatabase::addApplicationFontFromData(data);
    return m_id >= 0;
}

void PrivateFont::unload() {
    if (m_id >= 0)
        QFontDatabase::removeApplicationFont(m_id);
    m_id = -1;
}

} // namespace v38

#include "gui/app/font_table.h"

#include <QApplication>
#include <QWidget>

namespace v38 {

namespace {
struct FontEntry {
    int id;
    int pixelSize;
    bool bold;
    bool underline;
};

constexpr FontEntry kFontEntries[] = {
    {kDefaultFontId, 14, false, false},
    {0, 15, false, false},
    {1, 14, false, true},
    {2, 18, false, false},
    {3, 30, false, false},
    {4, 16, false, false},
    {5, 20, false, false},
    {6, 22, false, false},
    {7, 14, false, false},
    {8, 12, false, false},
    {9, 11, false, false},
    {10, 10, false, false},
    {11, 28, false, false},
    {50, 18, true, false},
};

const QString kThaiFace = QStringLiteral("Noto Sans Thai");
const QString kSimplifiedChineseFace = QStringLiteral("汉仪菱心体简");
const QString kTraditionalChineseFace = QStringLiteral("Noto Sans CJK TC Regular");
const QString kCommonFace = QStringLiteral("Verdana Unicode MS");

// The named faces are often not installed: the platform's Noto faces stand in, CJK and Thai included.
const QStringList kFallbackFaces{"Noto Sans", "Noto Sans CJK SC", "Noto Sans CJK TC", "Noto Sans Thai"};

bool hasOwnFace(int index) {
    return index == 15 || index == 0 || index == 2;
}
} // namespace

QString FontTable::faceForLanguage(int index, int currentIndex) {
    switch (index) {
    case 15:
        return kThaiFace;
    case 0:
        return kSimplifiedChineseFace;
    case 2:
        return kTraditionalChineseFace;
    default:
        return hasOwnFace(currentIndex) || currentIndex == -1 ? kCommonFace : QString();
    }
}

void FontTable::rebuild(const QString& face) {
    m_fonts.clear();
    m_face = face;
    QStringList families{face};
    families += kFallbackFaces;
    for (const FontEntry& entry : kFontEntries) {
        QFont font;
        font.setFamilies(families);
        font.setPixelSize(entry.pixelSize);
        font.setBold(entry.bold);
        font.setUnderline(entry.underline);
        font.setItalic(false);
        m_fonts.insert(entry.id, font);
    }
    ++m_rebuilds;
}

QFont FontTable::font(int id) const {
    auto it = m_fonts.constFind(id);
    if (it != m_fonts.constEnd())
        return *it;
    return m_fonts.value(kDefaultFontId, QApplication::font());
}

void FontTable::apply(QWidget* root) const {
    if (m_fonts.isEmpty())
        return;
    QApplication::setFont(font(kDefaultFontId));
    if (!root)
        return;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        bool ok = false;
        const int id = widget->property("fontid").toInt(&ok);
        if (ok)
            widget->setFont(font(id));
    }
}

} // namespace v38

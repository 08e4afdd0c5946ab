// The font set that goes with a language: one face, a default font and thirteen fonts by id, shared by
// every window.
// A control names its font with the dynamic property "fontid"; others take the default font.
#pragma once

#include <QFont>
#include <QMap>
#include <QString>

class QWidget;

namespace v38 {

constexpr int kDefaultFontId = -1;

class FontTable {
public:
    // The face a language index asks for: for 15, 0 and 2 their own, otherwise the common face, but
    // only when the current index had one of those three faces (or none yet); empty: keep the fonts.
    static QString faceForLanguage(int index, int currentIndex);

    // Replaces every font with the table's sizes in that face.
    void rebuild(const QString& face);
    const QString& face() const { return m_face; }
    int rebuildCount() const { return m_rebuilds; }
    bool isEmpty() const { return m_fonts.isEmpty(); }
    // The font with that id (the default font for ids outside the table).
    QFont font(int id) const;
    int size() const { return m_fonts.size(); }

    // Gives every control under root that names a font id its font, and the application its default.
    void apply(QWidget* root) const;

private:
    QString m_face;
    QMap<int, QFont> m_fonts;
    int m_rebuilds = 0;
};

} // namespace v38

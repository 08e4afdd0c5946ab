// One font file made available to this process only, from the resource folder's "Font" folder.
#pragma once

#include <QString>

namespace v38 {

class PrivateFont {
public:
    PrivateFont() = default;
    PrivateFont(const PrivateFont&) = delete;
    PrivateFont& operator=(const PrivateFont&) = delete;
    ~PrivateFont() { unload(); }

    // Path relative to the resource folder ("Font/NotoSansThai-Regular.ttf"); false when the file
    // is missing, too large or not a font.
    bool load(const QString& relativePath);
    void unload();
    bool isLoaded() const { return m_id >= 0; }
    const QString& path() const { return m_path; }

private:
    QString m_path;
    int m_id = -1;
};

// The four fonts start-up loads, in order.
inline const char* const kPrivateFontFiles[] = {"Font/Simplified_Chinese.ttf", "Font/V38Display.otf",
                                                "Font/NotoSansThai-Regular.ttf",
                                                "Font/NotoSansCJKtc-Regular.otf"};

} // namespace v38

#include "core/platform/text_utils.h"

#include <climits>

namespace v38 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i]; advances i. Returns kReplacement (and advances one byte) for
// an invalid or overlong sequence, a surrogate or a value beyond U+10FFFF.
char32_t decodeOne(std::string_view text, size_t& i, bool& valid) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b0 = byte(i);
    valid = true;
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, minimum = 0x10000;
    }
    if (length == 0 || i + length > text.size()) {
        ++i;
        valid = false;
        return kReplacement;
    }
    for (size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            ++i;
            valid = false;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        valid = false;
        return kReplacement;
    }
    i += length;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isSpace(char32_t cp) {
    switch (cp) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return true;
    default:
        return cp >= 0x2000 && cp <= 0x200A;
    }
}

char32_t foldCase(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z')
        return cp + 32;
    if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
        return cp + 32;
    if (cp >= 0x100 && cp <= 0x17F) {
        // Latin Extended-A pairs upper/lower as even/odd, except between U+0139 and U+0148 and
        // from U+0179 where the upper letter is odd; U+0130, U+0131, U+0138 and U+0149 stand alone.
        if (cp == 0x130 || cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F)
            return cp;
        if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
            return (cp & 1) ? cp + 1 : cp;
        if (cp == 0x178)
            return 0xFF;
        return (cp & 1) ? cp : cp + 1;
    }
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2)
        return cp + 32;
    if (cp >= 0x410 && cp <= 0x42F)
        return cp + 32;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 80;
    return cp;
}

} // namespace

std::string toUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        appendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::wstring fromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    bool valid = true;
    for (size_t i = 0; i < bytes.size();)
        out.push_back(static_cast<wchar_t>(decodeOne(bytes, i, valid)));
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    bool valid = true;
    for (size_t i = 0; i < bytes.size();) {
        decodeOne(bytes, i, valid);
        if (!valid)
            return false;
    }
    return true;
}

std::string sanitizeUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    bool valid = true;
    for (size_t i = 0; i < bytes.size();)
        appendUtf8(out, decodeOne(bytes, i, valid));
    return out;
}

std::string toAnsi(std::wstring_view text) {
    return toUtf8(text);
}

std::string toOem(std::wstring_view text) {
    return toUtf8(text);
}

std::string removeChar(std::string_view text, char c) {
    std::string out;
    out.reserve(text.size());
    for (char k : text)
        if (k != c)
            out.push_back(k);
    return out;
}

std::string toHex8(uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

bool isBlank(std::string_view text) {
    bool valid = true;
    for (size_t i = 0; i < text.size();)
        if (!isSpace(decodeOne(text, i, valid)))
            return false;
    return true;
}

std::string fileTitle(std::string_view path) {
    size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

bool splitIndexedName(std::string_view name, std::string& prefix, int& number) {
    size_t underscore = name.rfind('_');
    if (underscore == std::string_view::npos)
        return false;
    prefix = std::string(name.substr(0, underscore + 1));
    // Read like atoi: leading blanks, a sign, then digits up to the first other character.
    std::string_view rest = name.substr(underscore + 1);
    size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-'))
        negative = rest[i++] == '-';
    long long value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        value = value * 10 + (rest[i] - '0');
        if (value > INT_MAX)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    number = static_cast<int>(value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : value));
    return true;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    bool valid = true;
    bool validB = true;
    while (i < a.size() && j < b.size()) {
        size_t i0 = i, j0 = j;
        char32_t ca = foldCase(decodeOne(a, i, valid));
        char32_t cb = foldCase(decodeOne(b, j, validB));
        // Bytes that are not UTF-8 only match themselves.
        if (!valid || !validB) {
            if (valid != validB || a[i0] != b[j0])
                return false;
        } else if (ca != cb) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

} // namespace v38

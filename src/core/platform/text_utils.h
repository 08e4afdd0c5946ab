// Small text routines the file formats and panels rely on. Text is UTF-8 in std::string everywhere;
// wide text (std::wstring) only appears where a caller asks for code points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace v38 {

std::string toUtf8(std::wstring_view text);
// Invalid sequences become U+FFFD.
std::wstring fromUtf8(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);
// The same text with every invalid sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

// The system code pages of the original platform; on Linux the system encoding is UTF-8.
std::string toAnsi(std::wstring_view text);
std::string toOem(std::wstring_view text);

std::string removeChar(std::string_view text, char c);
// The value of one hexadecimal digit of either case, or -1.
int hexDigitValue(char c);
// Exactly 8 upper-case hexadecimal digits, most significant first.
std::string toHex8(uint32_t value);
// True when nothing but white space (ASCII and Unicode spaces) is left after trimming both ends.
bool isBlank(std::string_view text);
// The file name without folder and extension ("/a/game.json" -> "game").
std::string fileTitle(std::string_view path);
// "key_12" -> prefix "key_", number 12; "key_x" -> "key_", 0; false when there is no '_'.
bool splitIndexedName(std::string_view name, std::string& prefix, int& number);
// Compares names the way the user sees them: without regard to letter case (ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic letters).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace v38

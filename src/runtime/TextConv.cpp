// Text conversions for the debug log and the game's texts. Number parsing is
// locale-independent and stops quietly at the first character that does not
// belong to the number, so "12abc" reads as 12 and "abc" as 0.
#include "TextConv.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qm {

std::string str(int v) { return std::to_string(v); }
std::string str(long long v) { return std::to_string(v); }

std::string floatText(float v) {
    // to_chars ignores the locale, so the log never shows "0,500000".
    char buffer[64];
#ifdef __EMSCRIPTEN__
    // The page's C library has no floating-point to_chars; its locale is always "C".
    int n = std::snprintf(buffer, sizeof buffer, "%.6f", double(v));
    if (n <= 0 || size_t(n) >= sizeof buffer) return "0.000000";
    return std::string(buffer, size_t(n));
#else
    auto result = std::to_chars(buffer, buffer + sizeof buffer, double(v), std::chars_format::fixed, 6);
    if (result.ec != std::errc()) return "0.000000";
    return std::string(buffer, result.ptr);
#endif
}

namespace {

// Skips leading blanks and returns the index of the first other character.
size_t skipBlanks(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

}  // namespace

int toInt(const std::string& text) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // Accumulate in 64 bits and wrap like a 32-bit register would.
    uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10u + uint32_t(text[i++] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

float toFloat(const std::string& text) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    float value = 0.0f;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
#ifdef __EMSCRIPTEN__
    // No floating-point from_chars here: strtof on the part that from_chars
    // would read (no second '+', no hexadecimal), in the page's "C" locale.
    if (first == last || *first == '+') return 0.0f;
    std::string number;
    for (const char* c = first; c != last && std::strchr("0123456789.eE+-infatyINFATY", *c); ++c) number.push_back(*c);
    char* end = nullptr;
    value = std::strtof(number.c_str(), &end);
    if (end == number.c_str()) value = 0.0f;
#else
    // from_chars rejects inf/nan spellings only when we ask for fixed/scientific.
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc()) value = 0.0f;
#endif
    return negative ? -value : value;
}

std::string chr(int code) { return std::string(1, static_cast<char>(code & 0xFF)); }

std::string lowerCase(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string mid(const std::string& text, int start1, int length) {
    if (start1 < 1) start1 = 1;
    size_t start = size_t(start1 - 1);
    if (start >= text.size()) return "";
    if (length < 0) return text.substr(start);
    return text.substr(start, size_t(length));
}

int instr(const std::string& text, const std::string& what) {
    size_t at = text.find(what);
    return at == std::string::npos ? 0 : int(at) + 1;
}

}  // namespace qm

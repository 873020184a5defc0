#include "shared/TextEncoding.h"

#include <cstdint>

namespace tarvisol {
namespace {

// Characters of bytes 0x80..0x9F; the other bytes are their own code point.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte of a character, or -1 when the code page has none.
int ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

// Length of the well-formed UTF-8 sequence starting at i (shortest form, no
// surrogates, at most U+10FFFF), or 0 when the bytes there do not form one.
std::size_t Utf8Sequence(std::string_view t, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const unsigned char c = at(i);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    if (at(i + 1) < lo || at(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
    return n;
}

// The code point of the well-formed sequence of n bytes at the start of t.
char32_t CodePoint(std::string_view t, std::size_t n) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(t[k])); };
    if (n == 1) return b(0);
    char32_t c = b(0) & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (b(k) & 0x3F);
    return c;
}

std::string Hex(char32_t c) {
    static const char* digits = "0123456789ABCDEF";
    std::string h;
    for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) h += digits[(c >> shift) & 0xF];
    return h;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) {
    bool wide = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = Utf8Sequence(bytes, i);
        if (n == 0) return false;
        wide = true;
        i += n;
    }
    return wide;
}

std::string MixedTextToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
        } else if (const std::size_t n = Utf8Sequence(bytes, i)) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            out += Windows1252ToUtf8(bytes.substr(i, 1));
            ++i;
        }
    }
    return out;
}

std::string TypedToWindows1252(std::string_view typed, const std::string& what, std::string& bytes) {
    bytes.clear();
    std::string why;
    for (std::size_t i = 0; i < typed.size();) {
        const auto b = static_cast<unsigned char>(typed[i]);
        const std::size_t n = b < 0x80 ? 1 : Utf8Sequence(typed, i);
        if (n == 0) {
            if (why.empty())
                why = what + " is not UTF-8 text: the byte 0x" + Hex(b).substr(2) + " at position " +
                      std::to_string(i + 1) + " is no character";
            ++i;
            continue;
        }
        const char32_t c = CodePoint(typed.substr(i, n), n);
        const std::string shown(typed.substr(i, n));
        i += n;
        if (c < 0x20 || c == 0x7F) {
            if (why.empty())
                why = what + " holds " +
                      (c == '\t' ? std::string("a TAB") : c == '\r' || c == '\n' ? std::string("a line break")
                                                                                 : "the control character U+" + Hex(c)) +
                      ", which the location's files cannot carry";
            continue;
        }
        const int byte = ByteOf(c);
        if (byte < 0 || (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] < 0xA0)) {
            // The five bytes the code page leaves undefined are no characters to type.
            if (why.empty())
                why = what + " holds \"" + shown + "\" (U+" + Hex(c) +
                      "), which the location's files (Windows-1252) have no character for";
            continue;
        }
        bytes += static_cast<char>(byte);
    }
    return why;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char32_t>(b));
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view utf8, bool* lossless) {
    std::string out;
    out.reserve(utf8.size());
    bool exact = true;
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t c = 0;
        int more = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            more = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            more = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            more = 3;
        } else {
            more = -1;
        }
        bool ok = more >= 0 && i + static_cast<std::size_t>(more) < n;
        for (int k = 1; ok && k <= more; ++k) {
            const auto t = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80) ok = false;
            else c = (c << 6) | (t & 0x3F);
        }
        if (!ok) {
            out += '?';
            exact = false;
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(more) + 1;
        const int byte = ByteOf(c);
        if (byte < 0) {
            out += '?';
            exact = false;
        } else {
            out += static_cast<char>(byte);
        }
    }
    if (lossless) *lossless = exact;
    return out;
}

}  // namespace tarvisol

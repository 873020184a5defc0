#include "cli/JsonText.h"

#include "shared/TextEncoding.h"

namespace tarvisol::cli {
namespace {

// Length of the well-formed UTF-8 sequence starting at i (shortest form, no
// surrogates, at most U+10FFFF), or 0 when the bytes there do not form one.
std::size_t Utf8Sequence(std::string_view t, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const unsigned char c = at(i);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
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

}  // namespace

std::string NameText(std::string_view bytes) { return Windows1252ToUtf8(bytes); }

std::string MixedText(std::string_view bytes) {
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

std::vector<std::string> MixedTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (const std::string& t : texts) out.push_back(MixedText(t));
    return out;
}

}  // namespace tarvisol::cli

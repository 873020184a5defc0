#include "shared/Numbers.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <limits>

#include "shared/RuntimeError.h"

namespace tarvisol {

std::string FixDecimalComma(std::string_view text) {
    std::string out(text);
    if (auto p = out.find(','); p != std::string::npos) out[p] = '.';
    return out;
}

double Val(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    const std::size_t start = i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t body = i;
    bool digits = false;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
    }
    if (!digits) return 0.0;
    std::size_t end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expDigits = j;
        while (j < n && text[j] >= '0' && text[j] <= '9') ++j;
        if (j > expDigits) end = j;
    }
    (void)start;
    // Most cells hold a plain decimal of a few digits: as a whole number of at
    // most 15 digits over an exact power of ten it is one correctly rounded
    // division, the very double from_chars gives (Clinger 1990, "How to read
    // floating point numbers accurately", the fast path).
    if (end == i) {
        static constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        uint64_t whole = 0;
        int count = 0, decimals = 0;
        bool afterPoint = false;
        for (std::size_t k = body; k < end; ++k) {
            if (text[k] == '.') {
                afterPoint = true;
                continue;
            }
            whole = whole * 10 + static_cast<uint64_t>(text[k] - '0');
            ++count;
            if (afterPoint) ++decimals;
        }
        if (count <= 15) {
            const double v = static_cast<double>(whole) / kExactPow10[decimals];
            return negative ? -v : v;
        }
    }
    // from_chars reads "e" exponents only; a "d" exponent is rewritten.
    char buf[64];
    std::size_t len = end - body;
    const char* first = text.data() + body;
    if (len < sizeof buf && end > i) {
        std::memcpy(buf, first, len);
        buf[i - body] = 'e';
        first = buf;
    }
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, first + len, v);
    (void)ptr;
    if (ec != std::errc() || !std::isfinite(v)) return 0.0;
    return negative ? -v : v;
}

double NumVal(std::string& text) {
    text = FixDecimalComma(text);
    return Val(text);
}

double NumVal(std::string_view text) {
    // A decimal comma is rare: read the text where it lies unless there is one.
    return text.find(',') == std::string_view::npos ? Val(text) : Val(FixDecimalComma(text));
}

bool ReadWholeNumber(std::string_view text, double& value) {
    std::string t = FixDecimalComma(text);
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    t = t.substr(first, t.find_last_not_of(" \t") - first + 1);
    if (t.front() == '+') t.erase(t.begin());
    double v = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || p != t.data() + t.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

double RoundHalfEven(double x) { return std::nearbyint(x); }  // default rounding mode: to nearest, ties to even

int16_t IntVal(std::string_view text) {
    double v = RoundHalfEven(Val(text));
    if (v < -32768.0 || v > 32767.0) RaiseOverflow();
    return static_cast<int16_t>(v);
}

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

// mag rounded to `decimals` places, half away from zero, as the integer
// mag * 10^decimals. The product's exact residual (fma) settles values that
// sit on, or within a rounding error of, a half.
bool RoundScaled(double mag, int decimals, uint64_t& out) {
    if (decimals > 12 || !(mag < 1e15 / kPow10[decimals])) return false;
    const double p = kPow10[decimals];
    const double scaled = mag * p;
    const double residual = std::fma(mag, p, -scaled);
    const double whole = std::floor(scaled);
    const double frac = scaled - whole;
    bool up = frac > 0.5 || (frac == 0.5 && residual >= 0);
    if (frac == 0.5 && residual < 0) up = false;
    out = static_cast<uint64_t>(whole) + (up ? 1 : 0);
    return true;
}

}  // namespace

std::string FormatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    std::string_view intPart = pattern, decPart;
    if (auto p = pattern.find('.'); p != std::string_view::npos) {
        intPart = pattern.substr(0, p);
        decPart = pattern.substr(p + 1);
    }
    int maxDec = 0, minDec = 0;
    for (std::size_t i = 0; i < decPart.size(); ++i) {
        if (decPart[i] == '0' || decPart[i] == '#') ++maxDec;
        if (decPart[i] == '0') minDec = static_cast<int>(i) + 1;
    }
    int minInt = 0;
    for (char c : intPart)
        if (c == '0') ++minInt;

    // Digits of the magnitude rounded half away from zero: the integer part
    // and maxDec decimals. Written in place: the grids format thousands of
    // figures a run.
    const double mag = std::fabs(value);
    std::string_view ip, dp;
    char digits[48];
    std::string wide;  // a magnitude beyond the exact scaled integers
    uint64_t scaled = 0;
    if (RoundScaled(mag, maxDec, scaled)) {
        char buf[24];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, scaled);
        (void)ec;
        const std::size_t len = static_cast<std::size_t>(end - buf);
        const std::size_t width = std::max(len, static_cast<std::size_t>(maxDec) + 1);
        std::memset(digits, '0', width - len);
        std::memcpy(digits + (width - len), buf, len);
        ip = std::string_view(digits, width - static_cast<std::size_t>(maxDec));
        dp = std::string_view(digits + ip.size(), static_cast<std::size_t>(maxDec));
    } else {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", maxDec, mag);
        wide = buf;
        ip = wide;
        if (auto p = ip.find('.'); p != std::string_view::npos) {
            dp = ip.substr(p + 1);
            ip = ip.substr(0, p);
        }
    }
    while (static_cast<int>(dp.size()) > minDec && dp.back() == '0') dp.remove_suffix(1);
    // Integer part: all its digits (a value below 1 keeps its leading 0, which
    // reads better and pastes cleanly), padded to the '0' placeholders.
    const std::size_t pad =
        static_cast<int>(ip.size()) < minInt ? static_cast<std::size_t>(minInt) - ip.size() : 0;

    const bool allZero = ip.find_first_not_of('0') == std::string_view::npos &&
                         dp.find_first_not_of('0') == std::string_view::npos;
    std::string out;
    out.reserve(pad + ip.size() + dp.size() + 2);
    if (value < 0 && !allZero) out.push_back('-');
    out.append(pad, '0');
    out += ip;
    if (!dp.empty()) {
        out.push_back('.');
        out += dp;
    }
    if (out.empty() || out == "-") out = "0";
    return out;
}

std::string_view PatternAuto(double value) {
    double a = std::fabs(value);
    std::string_view p = "0.##0";
    if (a > 9.999) p = "##.#0";
    if (a > 99.99) p = "###.0";
    if (a > 999.9) p = "####";
    return p;
}

std::string_view PatternPrecise(double value) {
    double a = std::fabs(value);
    std::string_view p = "0.###0";
    if (a < 0.1) p = "0.######";
    if (a > 9.999) p = "##.##0";
    if (a > 99.99) p = "###.#0";
    if (a > 999.9) p = "####.0";
    if (a > 9999) p = "#####.0";
    return p;
}

std::string_view PatternShort(double value) {
    double a = std::fabs(value);
    std::string_view p = "0.#0";
    if (a > 9.999) p = "##.0";
    if (a > 99.99) p = "###";
    if (a > 999.9) p = "####";
    return p;
}

namespace {
std::string WithoutNul(std::string s) {
    std::erase(s, '\0');
    return s;
}
}  // namespace

std::string FormatAuto(double value) {
    if (value == 0) return "0";
    return WithoutNul(FormatPattern(value, PatternAuto(value)));
}

std::string FormatPrecise(double value) {
    if (value == 0) return "0";
    return WithoutNul(FormatPattern(value, PatternPrecise(value)));
}

std::string FormatShort(double value) {
    if (value == 0) return "0";
    return FormatPattern(value, PatternShort(value));
}

std::string FormatSignificant(double value, int digits) {
    if (!std::isfinite(value)) return FormatExact(value);
    if (value == 0) return "0";
    digits = std::clamp(digits, 1, 17);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(digits - 1 - magnitude, 0, 20);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    // Rounding can carry into a new digit (9.99996 -> 10.0000): one decimal
    // fewer keeps the number of significant digits.
    if (decimals > 0 && std::fabs(Val(buf)) >= std::pow(10.0, magnitude + 1)) std::snprintf(buf, sizeof buf, "%.*f", decimals - 1, value);
    std::string text(buf);
    if (text.find_first_not_of("-0.") == std::string::npos) text = "0";
    return text;
}

std::string FormatExact(double value) {
    std::string text = FormatAuto(value);
    if (Val(text) == value || !std::isfinite(value)) return text;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string PrintNumber(double value) {
    if (!std::isfinite(value)) return " 0";
    char buf[64];
    // 15 significant digits, like the printed form of a double; trailing zeros dropped.
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s(buf);
    if (s.find('e') == std::string::npos && s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return value >= 0 || s == "0" ? " " + s : s;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tarvisol

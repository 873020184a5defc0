#include "shared/Numbers.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
    std::string buf;
    buf.reserve(32);
    if (i < n && (text[i] == '+' || text[i] == '-')) buf.push_back(text[i++]);
    bool digits = false;
    while (i < n && text[i] >= '0' && text[i] <= '9') { buf.push_back(text[i++]); digits = true; }
    if (i < n && text[i] == '.') {
        buf.push_back(text[i++]);
        while (i < n && text[i] >= '0' && text[i] <= '9') { buf.push_back(text[i++]); digits = true; }
    }
    if (!digits) return 0.0;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < n && (text[j] == '+' || text[j] == '-')) exp.push_back(text[j++]);
        bool expDigits = false;
        while (j < n && text[j] >= '0' && text[j] <= '9') { exp.push_back(text[j++]); expDigits = true; }
        if (expDigits) buf += exp;
    }
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(buf.c_str(), &end);
    if (!std::isfinite(v)) return 0.0;
    return v;
}

double NumVal(std::string& text) {
    text = FixDecimalComma(text);
    return Val(text);
}

double NumVal(std::string_view text) { return Val(FixDecimalComma(text)); }

double RoundHalfEven(double x) { return std::nearbyint(x); }  // default rounding mode: to nearest, ties to even

int16_t IntVal(std::string_view text) {
    double v = RoundHalfEven(Val(text));
    if (v < -32768.0 || v > 32767.0) RaiseOverflow();
    return static_cast<int16_t>(v);
}

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

    // Round half away from zero, as a reader of the printed figure expects: an
    // exact tie in binary (0.8125 to three decimals) goes up, not to even.
    double mag = std::fabs(value);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.60f", mag);
    if (const char* point = std::strchr(buf, '.')) {
        const char* rest = point + 1 + maxDec;
        if (*rest == '5' && std::strspn(rest + 1, "0") == std::strlen(rest + 1))
            mag = std::nextafter(mag, std::numeric_limits<double>::infinity());
    }
    std::snprintf(buf, sizeof buf, "%.*f", maxDec, mag);
    std::string digits(buf);
    std::string ip = digits, dp;
    if (auto p = digits.find('.'); p != std::string::npos) {
        ip = digits.substr(0, p);
        dp = digits.substr(p + 1);
    }
    while (static_cast<int>(dp.size()) > minDec && dp.back() == '0') dp.pop_back();
    // Integer part: all its digits (a value below 1 keeps its leading 0, which
    // reads better and pastes cleanly), padded to the '0' placeholders.
    while (static_cast<int>(ip.size()) < minInt) ip.insert(ip.begin(), '0');

    bool allZero = true;
    for (char c : ip + dp)
        if (c != '0') allZero = false;
    std::string out;
    if (value < 0 && !allZero) out.push_back('-');
    out += ip;
    if (!dp.empty()) out += "." + dp;
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

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "shared/Numbers.h"
#include "shared/RuntimeError.h"

using namespace tarvisol;

TEST(FixDecimalComma, ReplacesOnlyTheFirstComma) {
    EXPECT_EQ(FixDecimalComma("1,234,5"), "1.234,5");
    EXPECT_EQ(FixDecimalComma("12,5"), "12.5");
    EXPECT_EQ(FixDecimalComma("12.5"), "12.5");
    EXPECT_EQ(FixDecimalComma(""), "");
}

TEST(NumVal, ReadsCommaAsPointAndWritesTheTextBack) {
    std::string t = "12,5";
    EXPECT_DOUBLE_EQ(NumVal(t), 12.5);
    EXPECT_EQ(t, "12.5");
    std::string empty;
    EXPECT_EQ(NumVal(empty), 0.0);
    std::string words = "abc";
    EXPECT_EQ(NumVal(words), 0.0);
    std::string twoCommas = "1,234,5";
    EXPECT_DOUBLE_EQ(NumVal(twoCommas), 1.234);
}

TEST(Val, TakesTheLeadingNumberOnly) {
    EXPECT_DOUBLE_EQ(Val("  \t42abc"), 42);
    EXPECT_DOUBLE_EQ(Val("-3.5e2x"), -350);
    EXPECT_DOUBLE_EQ(Val("1e"), 1);        // an exponent without digits is not read
    EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
    EXPECT_DOUBLE_EQ(Val("2.5.6"), 2.5);   // one decimal point
    EXPECT_DOUBLE_EQ(Val("1 2"), 1);       // reading stops at the blank
    EXPECT_EQ(Val("-"), 0.0);
    EXPECT_EQ(Val("."), 0.0);
    EXPECT_EQ(Val("nan"), 0.0);            // no special values
    EXPECT_EQ(Val("inf"), 0.0);
    EXPECT_EQ(Val("1e999"), 0.0);          // too large for a double
    EXPECT_DOUBLE_EQ(Val("12\t5"), 12);
}

// Every plain decimal a cell can hold reads as the very double the standard
// library's correctly rounded reader gives: the short cut for few digits may
// never differ from it in the last bit, and long ones take the full road.
TEST(Val, ReadsEveryDecimalAsTheCorrectlyRoundedDouble) {
    std::mt19937_64 random(20261210);
    for (int n = 0; n < 20000; ++n) {
        const int digits = 1 + static_cast<int>(random() % 19);
        std::string text = random() % 2 ? "-" : "";
        const int point = static_cast<int>(random() % static_cast<uint64_t>(digits + 1));
        for (int k = 0; k < digits; ++k) {
            if (k == point && k > 0) text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        const std::string_view body = text[0] == '-' ? std::string_view(text).substr(1) : std::string_view(text);
        double expected = 0;
        std::from_chars(body.data(), body.data() + body.size(), expected);
        if (text[0] == '-') expected = -expected;
        const double read = Val(text);
        ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
    }
}

TEST(IntVal, RoundsHalfToEvenWithoutCommaCorrection) {
    EXPECT_EQ(IntVal("12.5"), 12);
    EXPECT_EQ(IntVal("13.5"), 14);
    EXPECT_EQ(IntVal("12,5"), 12);
    EXPECT_EQ(IntVal("-2.5"), -2);
    EXPECT_EQ(IntVal("2.51"), 3);
    EXPECT_EQ(IntVal("32767"), 32767);
    try {
        IntVal("40000");
        FAIL() << "expected overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number, 6);
        EXPECT_EQ(e.Description, "Overflow");
    }
}

TEST(Formatters, ChooseThePatternByMagnitude) {
    EXPECT_EQ(PatternAuto(9.999), "0.##0");
    EXPECT_EQ(PatternAuto(10), "##.#0");
    EXPECT_EQ(PatternAuto(99.99), "##.#0");
    EXPECT_EQ(PatternAuto(100), "###.0");
    EXPECT_EQ(PatternAuto(999.9), "###.0");
    EXPECT_EQ(PatternAuto(1000), "####");
    EXPECT_EQ(PatternAuto(123456), "####");
    EXPECT_EQ(PatternAuto(-50), "##.#0");
    EXPECT_EQ(FormatAuto(0), "0");

    EXPECT_EQ(PatternPrecise(0.05), "0.######");
    EXPECT_EQ(PatternPrecise(0.1), "0.###0");
    EXPECT_EQ(PatternPrecise(0.5), "0.###0");
    EXPECT_EQ(PatternPrecise(12345), "#####.0");
    EXPECT_EQ(PatternPrecise(5000), "####.0");
    EXPECT_EQ(FormatPrecise(0), "0");

    EXPECT_EQ(PatternShort(5), "0.#0");
    EXPECT_EQ(PatternShort(50), "##.0");
    EXPECT_EQ(PatternShort(500), "###");
    EXPECT_EQ(PatternShort(5000), "####");
    EXPECT_EQ(FormatShort(0), "0");
}

TEST(Formatters, RenderDecimalsUpToTheLastZeroPlaceholder) {
    EXPECT_EQ(FormatAuto(5), "5.000");
    EXPECT_EQ(FormatAuto(0.1234), "0.123");
    EXPECT_EQ(FormatAuto(50), "50.00");
    EXPECT_EQ(FormatAuto(12.345), "12.35");  // '#' decimal shown when significant
    EXPECT_EQ(FormatAuto(-50), "-50.00");
    EXPECT_EQ(FormatAuto(500), "500.0");
    EXPECT_EQ(FormatAuto(123456), "123456");
    EXPECT_EQ(FormatAuto(1234.6), "1235");
    EXPECT_EQ(FormatPrecise(0.05), "0.05");
    EXPECT_EQ(FormatPrecise(0.0123456789), "0.012346");
    EXPECT_EQ(FormatPrecise(0.5), "0.5000");
    EXPECT_EQ(FormatPrecise(12345), "12345.0");
    EXPECT_EQ(FormatShort(5), "5.00");
    EXPECT_EQ(FormatShort(50), "50.0");
    EXPECT_EQ(FormatShort(500), "500");
}

TEST(FormatPattern, FixedPatternsOfTheResultGrids) {
    EXPECT_EQ(FormatPattern(25.0, "###.#"), "25");
    EXPECT_EQ(FormatPattern(25.34, "###.#"), "25.3");
    EXPECT_EQ(FormatPattern(2.5, "##.0"), "2.5");
    EXPECT_EQ(FormatPattern(0.5, "##.0"), "0.5");
    EXPECT_EQ(FormatPattern(2.1234, "###.00#"), "2.123");
    EXPECT_EQ(FormatPattern(2.1, "###.00#"), "2.10");
    EXPECT_EQ(FormatPattern(0.8, "#0.0##"), "0.8");
    EXPECT_EQ(FormatPattern(0.8125, "#0.0##"), "0.813");
    EXPECT_EQ(FormatPattern(-0.0001, "###.0"), "0.0");  // no "-0.0"
    EXPECT_EQ(FormatPattern(7, "000"), "007");
}

TEST(FormatExact, ReadsBackAsTheSameValue) {
    EXPECT_EQ(FormatExact(6.154), "6.154");
    EXPECT_EQ(FormatExact(0.0020532), "0.0020532");
    EXPECT_EQ(FormatExact(1.0), "1.000");
    EXPECT_EQ(Val(FormatExact(1.0 / 3.0)), 1.0 / 3.0);
}

TEST(PrintNumber, PlainPrintedForm) {
    EXPECT_EQ(PrintNumber(12), " 12");
    EXPECT_EQ(PrintNumber(-3), "-3");
    EXPECT_EQ(PrintNumber(12.5), " 12.5");
    EXPECT_EQ(PrintNumber(0), " 0");
    EXPECT_EQ(PrintNumber(0.1 + 0.2), " 0.3");
}

TEST(FileExists, TellsFilesFromMissingPathsAndFolders) {
    auto dir = std::filesystem::temp_directory_path();
    auto path = dir / "tarvisol_file_exists_test.txt";
    std::ofstream(path) << "x";
    EXPECT_TRUE(FileExists(path.string()));
    std::filesystem::remove(path);
    EXPECT_FALSE(FileExists(path.string()));
    EXPECT_FALSE(FileExists(dir.string()));
    EXPECT_FALSE(FileExists(""));
}

namespace {
// Reference rounding on the exact decimal expansion of the double: half away from zero.
std::string ReferenceRound(double mag, int decimals) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.80f", mag);
    std::string s(buf);
    const auto point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1, static_cast<std::size_t>(decimals));
    const char next = s[point + 1 + static_cast<std::size_t>(decimals)];
    if (next >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[static_cast<std::size_t>(i)];
    }
    std::string ip = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string dp = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    ip.erase(0, std::min(ip.find_first_not_of('0'), ip.size() - 1));
    return dp.empty() ? ip : ip + "." + dp;
}
}  // namespace

TEST(FormatPattern, RoundsHalfAwayFromZeroOnTheExactValue) {
    uint64_t state = 88172645463325252ull;
    auto next = [&] { state ^= state << 13; state ^= state >> 7; state ^= state << 17; return state; };
    const char* patterns[] = {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000"};
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(next() % 7);
        double v = static_cast<double>(next() % 2000000) / std::pow(10.0, static_cast<double>(next() % 8));
        if (i % 3 == 0) v += 0.5 / std::pow(10.0, decimals);  // near ties
        ASSERT_EQ(FormatPattern(v, patterns[decimals]), ReferenceRound(v, decimals)) << v << " " << decimals;
    }
    EXPECT_EQ(FormatPattern(2.5, "0"), "3");
    EXPECT_EQ(FormatPattern(1e20, "0.0"), "100000000000000000000.0");
}

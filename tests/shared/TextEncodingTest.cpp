#include <gtest/gtest.h>

#include "shared/TextEncoding.h"

using namespace tarvisol;

TEST(TextEncoding, EveryByteGoesToUtf8AndBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    bool lossless = false;
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all), &lossless), all);
    EXPECT_TRUE(lossless);
    // The code page's own characters, not Latin-1's control codes.
    EXPECT_EQ(Windows1252ToUtf8("Ma\xEFs \x80 \x96"), "Ma\xC3\xAFs \xE2\x82\xAC \xE2\x80\x93");
}

TEST(TextEncoding, CharactersOutsideTheCodePageAreMarked) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToWindows1252("Soja \xE2\x82\xAC \xCE\xA9", &lossless), "Soja \x80 ?");
    EXPECT_FALSE(lossless);
    lossless = true;
    EXPECT_EQ(Utf8ToWindows1252("a\xC3", &lossless), "a?");  // cut sequence
    EXPECT_FALSE(lossless);
}

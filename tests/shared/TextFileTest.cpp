#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shared/TextFile.h"

using namespace tarvisol;
namespace fs = std::filesystem;

TEST(TextFile, SplitsAnyLineEnds) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitTabs("1\t\t3"), (std::vector<std::string>{"1", "", "3"}));
    EXPECT_EQ(JoinCrlf({"x", "y"}), "x\r\ny\r\n");
}

class AtomicSave : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tarvisol_atomic_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(AtomicSave, ReplacesTheFileWholeAndLeavesNoTemporary) {
    const auto path = (dir / "Demo.stg").string();
    std::string err;
    ASSERT_TRUE(SaveAtomic(path, "old\r\n", err)) << err;
    ASSERT_TRUE(SaveAtomic(path, JoinCrlf({"1\t2", "3\t4"}), err)) << err;
    std::string content;
    ASSERT_TRUE(ReadTextFile(path, content, err));
    EXPECT_EQ(content, "1\t2\r\n3\t4\r\n");
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) (void)e, ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(AtomicSave, FailureIsReportedAndTheOldFileStays) {
    const auto path = (dir / "missing_folder" / "x.txt").string();
    std::string err;
    EXPECT_FALSE(SaveAtomic(path, "data", err));
    EXPECT_NE(err.find("Cannot save"), std::string::npos);

    std::vector<std::string> lines;
    EXPECT_FALSE(ReadLines((dir / "nope.txt").string(), lines, err));
    EXPECT_NE(err.find("Cannot open"), std::string::npos);
}

TEST(TextFile, AByteOrderMarkAtTheStartIsNotText) {
    EXPECT_EQ(SplitLines("\xEF\xBB\xBF" "7.45400\r\n1.5\r\n"), (std::vector<std::string>{"7.45400", "1.5"}));
    // Only at the start: elsewhere the bytes are the line's own.
    EXPECT_EQ(SplitLines("a\r\n\xEF\xBB\xBF" "b"), (std::vector<std::string>{"a", "\xEF\xBB\xBF" "b"}));
}

TEST(TextFile, CarriageReturnsBeforeALineFeedEndOneLine) {
    EXPECT_EQ(SplitLines("a\r\r\nb\r\r\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\rb"), (std::vector<std::string>{"a", "", "b"}));  // two CR line ends
}

TEST_F(AtomicSave, ASymbolicLinkStaysALinkAndItsTargetTakesTheText) {
    fs::create_directories(dir / "store");
    const fs::path target = dir / "store" / "Herd.pig", link = dir / "Herd.pig";
    std::ofstream(target, std::ios::binary) << "old\r\n";
    fs::create_symlink(fs::path("store") / "Herd.pig", link);
    std::string err;
    ASSERT_TRUE(SaveAtomic(link.string(), "new\r\n", err)) << err;
    EXPECT_TRUE(fs::is_symlink(link));
    std::string content;
    ASSERT_TRUE(ReadTextFile(target.string(), content, err));
    EXPECT_EQ(content, "new\r\n");
}

TEST_F(AtomicSave, ThePermissionsOfTheFileStay) {
    const fs::path path = dir / "Herd.cal";
    std::ofstream(path, std::ios::binary) << "old\r\n";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    std::string err;
    ASSERT_TRUE(SaveAtomic(path.string(), "new\r\n", err)) << err;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(AtomicSave, ALeftoverOfAnInterruptedSaveGoesWithTheNextSaveAndNothingElse) {
    const fs::path path = dir / "Herd.stg";
    const fs::path leftover = dir / ".Herd.stg.tarvisol-save";
    const fs::path others[] = {dir / "Herd.stg.tmp-AbC123", dir / ".Other.stg.tarvisol-save", dir / "Herd.stg~"};
    std::ofstream(leftover, std::ios::binary) << "half";
    for (const auto& o : others) std::ofstream(o, std::ios::binary) << "theirs";
    std::string err;
    ASSERT_TRUE(SaveAtomic(path.string(), "1\t2\r\n", err)) << err;
    EXPECT_FALSE(fs::exists(leftover));
    for (const auto& o : others) EXPECT_TRUE(fs::exists(o)) << o;
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) (void)e, ++files;
    EXPECT_EQ(files, 4);
}

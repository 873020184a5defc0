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

// Numbers and counts as every command takes them: a number is a finite
// number before any range sees it, a count a whole number in decimal digits;
// a refused option is exit 2 with nothing read, run or saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"
#include "support/ProgramRun.h"

namespace tarvisol::cli {
namespace {

// The request the words give, or none; code gets the exit status.
std::optional<CliRequest> Parse(std::vector<std::string> words, int& code) {
    words.insert(words.begin(), "tarvisol-cli");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    code = -1;
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), code);
}

TEST(CommandLineNumbers, NotANumberAndInfinitiesAreRefusedWhereverANumberIsTaken) {
    const std::vector<std::vector<std::string>> refused = {
        {"requirements", "loc/Demo", "--set-minimums", "--margin", "nan", "--save"},
        {"requirements", "loc/Demo", "--set-minimums", "--margin", "NaN"},
        {"market", "loc/Demo", "--carcass-price", "nan"},
        {"market", "loc/Demo", "--from", "inf"},
        {"herd", "loc/Demo", "--cv-growth", "nan"},
        {"herd", "loc/Demo", "--yield", "-inf"},
        {"growth", "loc/Demo", "--final-weight", "nan"},
        {"growth", "loc/Demo", "--start-weight", "1e999"},
        {"optimise", "loc/Demo", "--target-weight", "nan"},
        {"mix", "loc/Demo", "--diet", "1", "--batch", "inf"},
        {"grow", "--start-weight", "25", "--start-age", "60", "--final-weight", "nan", "--diet",
         "2475,16,0.4,0.3,0.95,0.17,0.9,0.51,0.55,0.28,0.6,0.96,0.52,0.65,90"},
        {"grow", "--start-weight", "25", "--start-age", "60", "--final-weight", "110", "--curve", "6", "nan", "3", "0.002",
         "1", "--diet", "2475,16,0.4,0.3,0.95,0.17,0.9,0.51,0.55,0.28,0.6,0.96,0.52,0.65,90"}};
    for (const auto& words : refused) {
        int code = 0;
        EXPECT_FALSE(Parse(words, code).has_value()) << words[0] << " " << words[words.size() - 1];
        EXPECT_EQ(code, 2) << words[0];
    }
    int code = 0;
    const auto margin = Parse({"requirements", "loc/Demo", "--set-minimums", "--margin", "110"}, code);
    ASSERT_TRUE(margin.has_value());
    EXPECT_EQ(margin->requirements.margin, 110);

    // End to end: the restriction file is not touched.
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    const auto files = testing::FolderContents(folder.Str());
    const auto r = testing::RunCli("requirements '" + folder.File("Demo") + "' --set-minimums --margin nan --save");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
    EXPECT_EQ(testing::FolderContents(folder.Str()), files);
}

TEST(CommandLineNumbers, ACountIsAWholeNumberNeverRounded) {
    for (const auto& words : std::vector<std::vector<std::string>>{{"growth", "loc/Demo", "--pigs", "2.5"},
                                                                   {"report", "loc/Demo", "--pdf", "r.pdf", "--pigs", "2.5"},
                                                                   {"herd", "loc/Demo", "--pigs", "2.5"},
                                                                   {"herd", "loc/Demo", "--seed", "-1"},
                                                                   {"new", "loc/North", "--ingredients", "Corn", "--diets", "2.5"},
                                                                   {"mix", "loc/Demo", "--diet", "1.5"}}) {
        int code = 0;
        EXPECT_FALSE(Parse(words, code).has_value()) << words[0] << " " << words.back();
        EXPECT_EQ(code, 2) << words[0] << " " << words.back();
    }
    int code = 0;
    const auto growth = Parse({"growth", "loc/Demo", "--pigs", "3"}, code);
    ASSERT_TRUE(growth.has_value());
    EXPECT_EQ(growth->growth.pigs, 3);
    // Leading zeros are decimal, not octal.
    const auto herd = Parse({"herd", "loc/Demo", "--pigs", "010", "--seed", "0099"}, code);
    ASSERT_TRUE(herd.has_value());
    EXPECT_EQ(herd->herd.pigs, 10);
    EXPECT_EQ(herd->herd.seed, 99u);
}

}  // namespace
}  // namespace tarvisol::cli

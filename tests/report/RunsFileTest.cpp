// The kept-runs file: what is written reads back bit for bit, single-byte
// names included, and anything the program cannot use is refused whole.
#include <gtest/gtest.h>

#include <cstring>

#include "report/RunsFile.h"
#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(RunsFile, RoundTripKeepsSingleByteNamesAndEveryFigure) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    RunSnapshot run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    // Bytes of the code page a UTF-8 detour could lose: é, €, the undefined
    // 0x81 and 0x9D, a quote and a backslash.
    const std::string odd = "Fin\xE9 \x80 \x81\x9D \"q\" \\ end";
    run.Diets[0].Name = odd;
    run.IngredientNames[0] = "Ma\xEFs";
    run.FinalAge = 165.01716723839761;  // every digit of a double
    run.CostPerPig = 0.1 + 0.2;
    std::vector<KeptRun> runs{{odd, "2025-03-14 09:30", run}, {"Second", "2025-03-14 09:31", demo.s->LastRun}};

    const std::string text = RunsFileText(runs);
    std::vector<KeptRun> back;
    std::string error;
    ASSERT_TRUE(ParseRunsText(text, back, error)) << error;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Name, odd);
    EXPECT_EQ(back[0].Kept, "2025-03-14 09:30");
    EXPECT_EQ(back[0].Run.Diets[0].Name, odd);
    EXPECT_EQ(back[0].Run.IngredientNames[0], "Ma\xEFs");
    EXPECT_TRUE(SameBits(back[0].Run.FinalAge, run.FinalAge));
    EXPECT_TRUE(SameBits(back[0].Run.CostPerPig, run.CostPerPig));
    EXPECT_TRUE(SameBits(back[0].Run.Sexes[2].Lean, run.Sexes[2].Lean));
    EXPECT_TRUE(SameBits(back[0].Run.Diets[1].Formula[3], run.Diets[1].Formula[3]));
    EXPECT_TRUE(SameBits(back[0].Run.DayGrowth(1, 120), run.DayGrowth(1, 120)));
    EXPECT_EQ(back[0].Run.Days.size(), run.Days.size());
    EXPECT_EQ(back[0].Run.Days.back().Weight, run.Days.back().Weight);
    EXPECT_EQ(back[0].Run.MeasuredHerd.size(), run.MeasuredHerd.size());
    EXPECT_EQ(back[1].Run.Source, "Growth");
    // Written again, the runs give the same text: nothing drifts.
    EXPECT_EQ(RunsFileText(back), text);
}

TEST(RunsFile, AnythingItCannotUseIsRefusedWithThePlace) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    const std::string good = RunsFileText({{"A", "2025-03-14 09:30", demo.s->LastRun}});
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return t.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {"{ not json", "not readable JSON"},
        {"{\"format\": \"something else\", \"version\": 1, \"runs\": []}", "not a kept-runs file"},
        {"{\"format\": \"tarvisol-runs\", \"version\": 7, \"runs\": []}", "another version"},
        {with("\"start_age\": 63", "\"start_age\": 250"), "runs[0].run.start_age is 250, outside 0..200"},
        {with("\"start_age\": 63", "\"start_age\": \"63\""), "runs[0].run.start_age is not a whole number"},
        {with("\"final_weight\": 125.0", "\"final_weight\": true"), "runs[0].run.final_weight is not a number"},
        {with("\"name\": \"A\"", "\"name\": \"\\u4e2d\""), "runs[0].name holds a character the location's text cannot hold"},
        {with("\"name\": \"A\"", "\"name\": \"\""), "runs[0] has no name"},
    };
    for (const auto& [text, why] : cases) {
        std::vector<KeptRun> runs{{"left over", "", {}}};
        std::string error;
        EXPECT_FALSE(ParseRunsText(text, runs, error)) << why;
        EXPECT_NE(error.find(why), std::string::npos) << error;
        EXPECT_TRUE(runs.empty()) << why;
    }
    // The same name twice would make a rename or delete ambiguous.
    std::vector<KeptRun> runs;
    std::string error;
    const std::string twice = RunsFileText({{"A", "", demo.s->LastRun}, {"B", "", demo.s->LastRun}});
    std::string renamed = twice;
    renamed.replace(renamed.find("\"name\": \"B\""), 11, "\"name\": \"A\"");
    EXPECT_FALSE(ParseRunsText(renamed, runs, error));
    EXPECT_NE(error.find("runs[1]: the name is kept twice"), std::string::npos) << error;
}

TEST(RunsFile, FileOfTheLocationAndNoFileHoldsNoRuns) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    const std::string path = RunsFileOf(*demo.s);
    EXPECT_EQ(path, demo.folder.File("Demo.runs"));
    std::vector<KeptRun> runs{{"left over", "", {}}};
    std::string error;
    EXPECT_TRUE(ReadRunsFile(path, runs, error)) << error;
    EXPECT_TRUE(runs.empty());
    EXPECT_FALSE(std::filesystem::exists(path));  // reading made no file

    tarvisol::testing::Spit(path, "garbage");
    EXPECT_FALSE(ReadRunsFile(path, runs, error));
    EXPECT_EQ(error.rfind("The kept runs file " + path + " cannot be read: ", 0), 0u) << error;
}

}  // namespace

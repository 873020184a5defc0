// The calibration window's genotype fit on the demo herd: the fit stands
// beside the genotype in force before the save question, only a Yes writes
// the genotype file, and a stopped fit leaves everything as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "calibration/CalibrationFixture.h"
#include "response/GenotypeText.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/TextFile.h"
#include "ui/GenotypeFitWindow.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

std::string GenFile(const tarvisol::testing::DemoCalibrationCopy& c) { return c.folder.File("Demo.gen"); }

}  // namespace

TEST(GenotypeFitWindow, TheFitStandsBesideTheGenotypeInForceBeforeTheQuestionAndOnlyYesSaves) {
    tarvisol::testing::DemoCalibrationCopy copy;
    SharedState& s = *copy.demo->s;
    ScriptedDialogs& dialogs = copy.demo->dialogs;
    const GrowthModelChoice before = s.Model;
    const std::size_t files = copy.folder.Count();
    GenotypeFitWindow w;
    bool shownFirst = false;
    w.OnDiagnostics = [&] {
        shownFirst = w.Shown;
        for (const auto& d : dialogs.Log()) EXPECT_NE(d.kind, "ask") << d.text;
    };
    dialogs.Answer(Answer::No);
    FitGenotypeFromWindow(s, *copy.demo->form, w);
    ASSERT_TRUE(w.Fit.Done()) << (dialogs.Messages().empty() ? "" : dialogs.Messages().back());
    EXPECT_TRUE(shownFirst);
    EXPECT_TRUE(dialogs.Exhausted());
    // Declined: no genotype file, the location's model as it was.
    EXPECT_FALSE(fs::exists(GenFile(copy)));
    EXPECT_EQ(copy.folder.Count(), files);
    EXPECT_EQ(s.Model, before);
    // The genotype in force and the fitted one side by side, each with its
    // error; a row for every weighing of the demo's measured table.
    const Grid& p = w.GridParameters;
    EXPECT_NEAR(Val(p.TextMatrix(1, 1)), before.Pig.Male.MeanProteinDeposition, 0.051);
    int errorRow = 0;
    for (int r = 1; r < p.Rows(); ++r)
        if (p.TextMatrix(r, 0) == "Fit error") errorRow = r;
    ASSERT_GT(errorRow, 0);
    EXPECT_NEAR(Val(p.TextMatrix(errorRow, 1)), w.Fit.InForce.Error, 5e-4);
    EXPECT_NEAR(Val(p.TextMatrix(errorRow, 2)), w.Fit.Fitted.Error, 5e-4);
    EXPECT_LE(w.Fit.Fitted.Error, w.Fit.InForce.Error);
    ASSERT_EQ(w.GridWeighings.Rows(), 5);  // the demo herd: a row for each of its four diet ends
    EXPECT_EQ(Val(w.GridWeighings.TextMatrix(4, 0)), 163);
    EXPECT_EQ(Val(w.GridWeighings.TextMatrix(4, 1)), 125);

    // Yes: the genotype file holds the fitted genotype and the location runs it.
    dialogs.ClearLog();
    dialogs.Answer(Answer::Yes);
    FitGenotypeFromWindow(s, *copy.demo->form, w);
    ASSERT_TRUE(w.Saved);
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(GenFile(copy), text, error)) << error;
    GrowthModelChoice read;
    std::vector<std::string> messages;
    response::ReadGenotypeText(text, read, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(read.Kind, GrowthModelKind::Response);
    EXPECT_EQ(read.Pig.Male, w.Fit.Fitted.Pig.Male);
    EXPECT_EQ(read.Pig.Female, w.Fit.Fitted.Pig.Female);
    EXPECT_EQ(s.Model, read);
}

TEST(GenotypeFitWindow, AStoppedFitLeavesTheRecordTheFilesAndTheWindowAsTheyWere) {
    tarvisol::testing::DemoCalibrationCopy copy;
    SharedState& s = *copy.demo->s;
    class StopAtOnce : public Progress {
    public:
        void Report(const std::string&, long, long, const std::string&) override {}
        bool Cancelled() const override { return true; }
    } stop;
    const GrowthModelChoice model = s.Model;
    const auto results = s.DietResults;
    const double finalAge = s.FinalAge;
    const std::size_t files = copy.folder.Count();
    GenotypeFitWindow w;
    w.TextWarnings.Text = "the fit before";
    GenotypeFitOptions options;
    options.progress = &stop;
    FitGenotypeFromWindow(s, *copy.demo->form, w, options);
    ASSERT_FALSE(copy.demo->dialogs.Messages().empty());
    EXPECT_EQ(copy.demo->dialogs.Messages().back(), kGenotypeFitCancelled);
    for (const auto& d : copy.demo->dialogs.Log()) EXPECT_NE(d.kind, "ask") << d.text;
    EXPECT_FALSE(w.Shown);
    EXPECT_EQ(w.TextWarnings.Text, "the fit before");
    EXPECT_EQ(s.Model, model);
    EXPECT_EQ(s.FinalAge, finalAge);
    for (int d = 1; d <= 4; ++d)
        for (int k = 1; k <= 3; ++k) EXPECT_EQ(s.DietResults(d, k), results(d, k)) << d << " " << k;
    EXPECT_EQ(copy.folder.Count(), files);
    EXPECT_FALSE(fs::exists(GenFile(copy)));
}

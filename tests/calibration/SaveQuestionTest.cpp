// What the calibration shows before it asks whether to save the new curve:
// the total feed the question gives, labelled beside the diagnostics' own,
// and the new curve's fit error beside the one in force.
#include <gtest/gtest.h>

#include <string>

#include "calibration/CalibrationFixture.h"
#include "calibration/FitDiagnostics.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// The text of the first question asked.
std::string FirstQuestion(const ScriptedDialogs& dialogs) {
    for (const auto& shown : dialogs.Log())
        if (shown.kind == "ask") return shown.text;
    return {};
}

TEST(SaveQuestion, TheTotalFeedItGivesIsTheDiagnosticsFigureForTheSamePeriod) {
    testing::DemoCalibrationCopy x;
    auto& d = *x.demo;
    d.dialogs.Answer(Answer::No).Answer(Answer::No);
    ContinueCalibration(*d.s, *d.form);
    const std::string question = FirstQuestion(d.dialogs);
    const std::string lead = "Final Feed Intake is ";
    const auto at = question.find(lead);
    ASSERT_NE(at, std::string::npos) << question;
    const std::string feed = question.substr(at + lead.size(), question.find("  Save", at) - at - lead.size());
    const std::string& text = d.form->TextDiagnostics.Text;
    EXPECT_NE(text.find(feed + " kg to the measured final age"), std::string::npos) << feed << "\n" << text;
    EXPECT_NE(text.find(" kg to the final weight"), std::string::npos) << text;
}

TEST(SaveQuestion, TheNewCurvesFitErrorStandsBesideTheCurveInForce) {
    testing::DemoCalibrationCopy x;
    auto& d = *x.demo;
    d.dialogs.Answer(Answer::No).Answer(Answer::No);  // not saved, the curve in force kept
    ContinueCalibration(*d.s, *d.form);
    const std::string& text = d.form->TextDiagnostics.Text;
    const std::string inForce = FitErrorOfCurveInForce(*d.s);
    ASSERT_FALSE(inForce.empty());
    EXPECT_NE(text.find("the curve in force " + inForce), std::string::npos) << inForce << "\n" << text;
    EXPECT_NE(text.find("the new curve " + FitErrorText(d.form->Outcome.chosen)), std::string::npos) << text;
}

}  // namespace
}  // namespace tarvisol

// The results tab's "Start here" page.
#include "ui/StartPage.h"

#include <gtest/gtest.h>

#include "support/DemoLocation.h"
#include "support/StartedWindow.h"
#include "ui/ReopenLocation.h"

using namespace tarvisol;
namespace tt = tarvisol::testing;

namespace {

TEST(StartPage, EveryVisibleCommandButtonHasItsLineUnderItsOwnCaption) {
    tt::StartedWindow win;
    win.w->CommandPlot.Caption = "Plot the Diets";
    win.w->CommandSources.Visible = false;
    const StartPage page = BuildStartPage(*win.w);
    std::vector<std::string> captions;
    for (const auto& b : page.buttons) {
        captions.push_back(b.caption);
        EXPECT_FALSE(b.what.empty()) << b.caption;
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Growth", "Run LP", "Edit Diet Restrictions", "Calibration",
                                                  "Run Optimization", "Plot the Diets"}));
}

TEST(StartPage, ShownUntilALocationIsOpen) {
    tt::StartedWindow win;
    EXPECT_TRUE(ShowsStartPage(*win.s));
    tt::CopyDemoLocation(win.folder.Str());
    ASSERT_TRUE(ReopenLocation(*win.s, win.folder.File("Demo")));
    EXPECT_FALSE(ShowsStartPage(*win.s));
}

TEST(StartPage, TheHtmlShowsTextsAsWritten) {
    StartPage page;
    page.steps = {"Weights < 20 kg are refused"};
    page.buttons = {{"Save & Close", "saves"}};
    const std::string html = StartPageHtml(page);
    EXPECT_NE(html.find("Weights &lt; 20 kg"), std::string::npos);
    EXPECT_NE(html.find("Save &amp; Close"), std::string::npos);
    EXPECT_NE(html.find("<h2>Start here</h2>"), std::string::npos);
}

}  // namespace

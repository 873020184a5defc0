// The "Market Weight" window opened from the main window and from the
// optimisation window on the demo location: it runs a range of final weights,
// draws both margins, and its button takes the best weight into the main
// window's "Final Weight".
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/MainWindowView.h"
#include "app/MarketWeightView.h"
#include "app/OptimisationView.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "app/DemoInMainWindow.h"
#include "support/DemoLocation.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

class MarketWeightViewTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override {
        OpenDemo("market");
    }
    static void Type(QWidget* parent, const char* name, const QString& text) {
        auto* edit = parent->findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
    }
};

TEST_F(MarketWeightViewTest, RunsTheRangeDrawsBothMarginsAndTakesTheBestWeight) {
    const std::string finalBefore = form->Text3.Text;
    view->findChild<QPushButton*>("Market Weight")->click();
    app::MarketWeightView* market = view->marketView();
    ASSERT_NE(market, nullptr);
    EXPECT_TRUE(market->isVisible());
    EXPECT_NEAR(NumVal(std::string_view(market->form().TextFrom.Text)), NumVal(std::string_view(finalBefore)) - 20, 1e-6);
    Type(market, "TextFrom", "100");
    Type(market, "TextTo", "135");
    Type(market, "TextStep", "5");
    market->findChild<QPushButton*>("CommandRun")->click();
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    const MarketAnalysis& a = market->form().Analysis;
    ASSERT_EQ(a.Rows.size(), 8u);
    ASSERT_GE(a.BestPerPig, 0);
    EXPECT_EQ(market->form().GridMarket.Rows(), 9);
    // Two margin lines, the present final weight and the two best points.
    EXPECT_EQ(market->chartView()->chart()->series().size(), 5);
    EXPECT_EQ(form->Text3.Text, finalBefore);  // nothing taken yet

    // The demo's best weight per pig sits at the band's low edge for the
    // herd's spread: the window says so, and the button asks first.
    EXPECT_FALSE(market->findChild<QLabel*>("LabelSpread")->text().isEmpty());
    dialogs.Answer(Answer::Yes);
    market->findChild<QPushButton*>("CommandUsePerPig")->click();
    EXPECT_TRUE(dialogs.Exhausted());
    const double best = a.Rows[static_cast<std::size_t>(a.BestPerPig)].FinalWeight;
    EXPECT_EQ(NumVal(std::string_view(form->Text3.Text)), best);
    EXPECT_EQ(view->findChild<QLineEdit*>("Text3")->text().toStdString(), form->Text3.Text);

    // The optimisation window opens the same window.
    market->hide();
    view->findChild<QPushButton*>("Run Optimization")->click();
    auto* opt = view->findChild<app::OptimisationView*>();
    ASSERT_NE(opt, nullptr);
    opt->findChild<QPushButton*>("CommandMarket")->click();
    EXPECT_EQ(view->marketView(), market);
    EXPECT_TRUE(market->isVisible());
}

}  // namespace

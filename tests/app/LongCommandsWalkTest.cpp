// The long commands clicked through on the demo as a user would, stopping
// some from their progress dialogs: after every step the boxes, the grids
// and the location's files say what happened, and a question is never
// covered by a progress dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/CalibrationView.h"
#include "app/RequiredChild.h"
#include "app/MainWindowView.h"
#include "app/OptimisationReportView.h"
#include "app/OptimisationView.h"
#include "calibration/CalibrationRun.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/PlotSweep.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

QProgressDialog* VisibleProgress() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) return p;
    return nullptr;
}

// Scripted answers that also note whether a progress dialog was showing
// when a question or message came.
class WatchingDialogs : public ScriptedDialogs {
public:
    tarvisol::Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override {
        if (VisibleProgress()) covered.push_back(text);
        return ScriptedDialogs::Ask(text, buttons, title);
    }
    void Message(const std::string& text, const std::string& title = {}) override {
        if (VisibleProgress()) covered.push_back(text);
        ScriptedDialogs::Message(text, title);
    }
    std::vector<std::string> covered;
};

// Presses Cancel on the first progress dialog that shows while `press` runs.
template <class F>
void CancelFromTheProgressDialog(F press, bool& shown) {
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QProgressDialog* p = VisibleProgress()) {
            shown = true;
            p->cancel();
            timer.stop();
        }
    });
    timer.start();
    press();
    timer.stop();
}

class LongCommandsWalk : public ::testing::Test {
protected:
    void SetUp() override {
        scratch = fs::temp_directory_path() / ("tarvisol_gui_walk_" + std::to_string(::getpid()));
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        tarvisol::testing::CopyDemoLocation(scratch);
        view = std::make_unique<app::MainWindowView>(*s, *form, dialogs, scratch.string());
        view->show();
    }
    void TearDown() override {
        view.reset();
        fs::remove_all(scratch);
    }
    template <class W>
    W* Find(QObject* in, const char* name) {
        return tarvisol::testing::RequiredChild<W>(in, name);
    }
    QPushButton* Button(QObject* in, const QString& text) {
        for (QPushButton* b : in->findChildren<QPushButton*>())
            if (b->text().remove(QChar('&')) == text) return b;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    std::string Box(const char* name) { return Find<QLineEdit>(view.get(), name)->text().toStdString(); }
    std::map<std::string, std::string> Files() { return tarvisol::testing::FolderContents(scratch.string()); }
    std::string Curve() {
        std::string t;
        for (int k = 1; k <= 5; ++k) t += form->GridWeight.TextMatrix(1, k) + " ";
        return t;
    }
    void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    std::vector<std::string> TakeMessages() {
        auto m = dialogs.Messages();
        dialogs.ClearLog();
        return m;
    }

    fs::path scratch;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    WatchingDialogs dialogs;
    std::unique_ptr<app::MainWindowView> view;
};

TEST_F(LongCommandsWalk, GrowthCalibrationOptimisationTransferGrowthAndPlot) {
    // Open the demo.
    QLineEdit* text6 = Find<QLineEdit>(view.get(), "Text6");
    text6->setFocus();
    text6->clear();
    QTest::keyClicks(text6, "Demo");
    dialogs.Answer(Answer::Yes);
    QTest::keyClick(text6, Qt::Key_Return);
    ASSERT_TRUE(s->PigDataReady);
    Find<QComboBox>(view.get(), "ComboSex")->setCurrentIndex(0);
    Find<QComboBox>(view.get(), "Combo1")->setCurrentIndex(1);  // least cost
    const auto opened = Files();
    dialogs.ClearLog();

    // 1. Growth: the prediction in the boxes, the measurement beside it.
    Click(Button(view.get(), "Growth"));
    EXPECT_TRUE(TakeMessages().empty());
    const std::string cost = Box("TextPrice");
    EXPECT_GT(NumVal(cost), 0);
    EXPECT_EQ(Box("Text4"), FormatAuto(s->CumFeed(0)));
    EXPECT_EQ(Box("TextMeasuredFeed"), "254.0");
    EXPECT_EQ(Box("TextMeasuredAge"), "163.0");
    EXPECT_TRUE(Files() == opened);
    const std::string curve = Curve();

    // 2. Calibration, stopped from its progress dialog: nothing changed.
    dialogs.Text("Demo");
    Click(Button(view.get(), "Calibration"));
    auto* calibration = view->findChild<app::CalibrationView*>();
    ASSERT_NE(calibration, nullptr);
    ASSERT_TRUE(calibration->isVisible());
    calibration->form().GridCalibWts.SetTextMatrix(5, 2, "61.0");  // typed, then stopped
    bool shown = false;
    CancelFromTheProgressDialog([&] { Click(Button(calibration, "Continue Calibration")); }, shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kCalibrationCancelled});
    EXPECT_TRUE(Files() == opened);
    EXPECT_EQ(Curve(), curve);
    EXPECT_EQ(Box("TextPrice"), cost);
    EXPECT_TRUE(calibration->isVisible());

    // ... then run to the end and answered No twice: the old curve stays.
    calibration->form().GridCalibWts.SetTextMatrix(5, 2, "76.50");
    dialogs.Answer(Answer::No).Answer(Answer::No);
    Click(Button(calibration, "Continue Calibration"));
    EXPECT_TRUE(dialogs.Exhausted());
    EXPECT_EQ(Curve(), curve);
    EXPECT_TRUE(Files() == opened);  // the table saved as it was
    EXPECT_EQ(Box("TextPrice"), cost);  // Growth ran again on the same curve
    EXPECT_EQ(Box("TextMeasuredFeed"), "254.0");
    EXPECT_FALSE(calibration->isVisible());
    dialogs.ClearLog();

    // 3. Run Optimization, stopped: no result file, nothing changed.
    Click(Button(view.get(), "Run Optimization"));
    auto* optimisation = view->findChild<app::OptimisationView*>();
    ASSERT_NE(optimisation, nullptr);
    Click(Find<QPushButton>(optimisation, "Command1"));  // ranges around the current programme
    const std::string results = tarvisol::testing::GridText(form->Grid1);
    shown = false;
    CancelFromTheProgressDialog([&] { Click(Find<QPushButton>(optimisation, "CommandOpt")); }, shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kOptCancelled});
    EXPECT_TRUE(Files() == opened);
    EXPECT_TRUE(tarvisol::testing::GridText(form->Grid1) == results);
    EXPECT_EQ(optimisation->report(), nullptr);

    // ... then completed: the result file and the report.
    Click(Find<QPushButton>(optimisation, "CommandOpt"));
    for (const auto& m : TakeMessages()) ADD_FAILURE() << "unexpected message: " << m;
    ASSERT_TRUE(optimisation->form().Result.Done);
    const auto optimised = Files();
    EXPECT_EQ(optimised.size(), opened.size() + 1);
    EXPECT_TRUE(fs::exists(optimisation->form().Result.ResultFile));
    ASSERT_NE(optimisation->report(), nullptr);
    EXPECT_TRUE(optimisation->report()->isVisible());
    const double optimumCost = optimisation->form().Result.OptimumCostPerPig();
    EXPECT_LT(optimumCost, NumVal(cost));
    EXPECT_EQ(optimisation->report()->form().Grid3.TextMatrix(1, 4), FormatAuto(optimumCost));

    // 4. Transfer, then Growth: the optimum's cost per pig again.
    Click(Find<QPushButton>(optimisation, "Command4"));
    for (const RunDiet& d : optimisation->form().Result.Optimum.Diets)
        EXPECT_EQ(form->Griddiets.TextMatrix(3, d.Number), FormatAuto(d.Allotment));
    Click(Button(view.get(), "Growth"));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Box("TextPrice"), FormatPattern(optimumCost, "###.#0"));
    EXPECT_TRUE(Files() == optimised);
    // The report still shows the optimum.
    Click(Find<QPushButton>(optimisation, "CommandView"));
    EXPECT_EQ(optimisation->report()->form().Grid3.TextMatrix(1, 4), FormatAuto(optimumCost));

    // 5. Plot Diets: the question comes before any progress dialog.
    dialogs.Answer(Answer::Yes);
    Click(Button(view.get(), "Plot Diets"));
    for (const auto& m : TakeMessages()) ADD_FAILURE() << "unexpected message: " << m;
    EXPECT_TRUE(dialogs.covered.empty()) << dialogs.covered.front();
    EXPECT_EQ(VisibleProgress(), nullptr);
    const auto plotted = Files();
    EXPECT_EQ(plotted.count(kDietPlotFile), 1u);
    EXPECT_EQ(plotted.count(kPlotFile), 1u);
    EXPECT_EQ(plotted.size(), optimised.size() + 2);
}

}  // namespace

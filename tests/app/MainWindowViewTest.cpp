// The desktop window clicked as a user would, on a scratch copy of the demo
// location, with the dialogs answered from a script.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QScatterSeries>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/DietPlotView.h"
#include "app/RequiredChild.h"
#include "app/MatrixEditorView.h"
#include "app/RestrictionsView.h"
#include "app/MainWindowView.h"
#include "app/QtDialogs.h"
#include "calibration/CorCoef.h"
#include "calibration/FitDiagnostics.h"
#include "optimisation/PlotSweep.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"
#include "location/ScratchFolder.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

class MainWindowViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch = fs::temp_directory_path() / ("tarvisol_gui_" + std::to_string(::getpid()));
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
    W* Find(const char* name) {
        return tarvisol::testing::RequiredChild<W>(view.get(), name);
    }
    void OpenDemo() {
        QLineEdit* text6 = Find<QLineEdit>("Text6");
        text6->setFocus();
        text6->clear();
        QTest::keyClicks(text6, "Demo");
        dialogs.Answer(Answer::Yes);  // reopen this location
        QTest::keyClick(text6, Qt::Key_Return);
    }
    QString Cell(const char* grid, int r, int c) {
        auto* v = view->gridView(grid);
        return v->model()->data(v->model()->index(r, c), Qt::DisplayRole).toString();
    }

    fs::path scratch;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    std::unique_ptr<app::MainWindowView> view;
};

TEST_F(MainWindowViewTest, OpenTheDemoAndGrowOnLeastCostDiets) {
    EXPECT_EQ(view->windowTitle().toStdString(), "Tarvisol for Swine 20 kg or More to Finish");
    EXPECT_EQ(view->tabs()->currentIndex(), 0);  // the start page, while no location is open
    OpenDemo();
    EXPECT_EQ(view->tabs()->currentIndex(), 1);
    ASSERT_TRUE(s->PigDataReady);
    EXPECT_EQ(Find<QLineEdit>("Text6")->text().toStdString(), "Demo");
    EXPECT_FALSE(Cell("Griddiets", 1, 1).isEmpty());  // the diets were read

    Find<QComboBox>("ComboSex")->setCurrentIndex(0);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);  // "Least Cost Formulas"
    QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);

    for (const auto& m : dialogs.Messages()) ADD_FAILURE() << "unexpected message: " << m;
    ASSERT_FALSE(s->RunFailed);
    EXPECT_EQ(view->tabs()->currentIndex(), 0);
    EXPECT_EQ(Cell("Grid1", 0, 0).toStdString(), "Diet Name");
    EXPECT_EQ(Cell("Grid1", 1, 0).toStdString(), Cell("Griddiets", 1, 1).toStdString());
    EXPECT_EQ(Cell("Grid1", 0, 4).toStdString(), "Feed Wt.");
    EXPECT_EQ(Cell("Grid1", 1, 5).toDouble(), Find<QLineEdit>("Text2")->text().toDouble());  // the day table starts at the starting age
    const QString feed = Find<QLineEdit>("Text4")->text();
    const QString age = Find<QLineEdit>("Text5")->text();
    EXPECT_EQ(feed.toStdString(), FormatAuto(s->CumFeed(0)));
    EXPECT_EQ(age.toStdString(), FormatAuto(s->FinalAge));
    EXPECT_GT(age.toDouble(), 100);
    EXPECT_TRUE(Find<QPushButton>("Run Optimization")->styleSheet().contains("128, 255, 128"));
}

TEST_F(MainWindowViewTest, StartingWeightBelow20GetsItsMessage) {
    OpenDemo();
    Find<QComboBox>("ComboSex")->setCurrentIndex(0);
    Find<QComboBox>("Combo1")->setCurrentIndex(2);
    QLineEdit* text1 = Find<QLineEdit>("Text1");
    text1->clear();
    QTest::keyClicks(text1, "19");
    dialogs.ClearLog();
    QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Starting Weight must be 20 kg or more"});
}

TEST_F(MainWindowViewTest, PlotDietsOpensTheChartWindowOnTheSweep) {
    app::QtClipboard clip;
    s->Clip = &clip;
    OpenDemo();
    Find<QComboBox>("ComboSex")->setCurrentIndex(0);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);
    dialogs.ClearLog();
    QTest::mouseClick(Find<QPushButton>("Plot Diets"), Qt::LeftButton);
    for (const auto& m : dialogs.Messages()) ADD_FAILURE() << "unexpected message: " << m;
    EXPECT_TRUE(fs::exists(scratch / "DietPlot.txt"));
    EXPECT_TRUE(fs::exists(scratch / "Plot.txt"));
    app::DietPlotView* plot = view->plotView();
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->isVisible());
    auto* diets = plot->findChild<QComboBox*>("ComboDiet");
    auto* measures = plot->findChild<QComboBox*>("ComboMeasure");
    ASSERT_TRUE(diets && measures);
    EXPECT_EQ(diets->count(), 4);
    EXPECT_EQ(measures->count(), 7);
    EXPECT_EQ(s->ChartMeasure, 4);

    // Every point of the map is drawn once, whatever its colour.
    const auto pointsOnMap = [&] {
        int n = 0;
        for (QAbstractSeries* a : plot->mapView()->chart()->series())
            if (auto* sc = qobject_cast<QScatterSeries*>(a);
                sc && sc->name().toStdString() != plot->form().CentreName && sc->name() != kChartBelowRequirement)
                n += sc->count();
        return n;
    };
    EXPECT_EQ(pointsOnMap(), 441);
    const std::string costCentre = plot->form().GridPlot.TextMatrix(11, 11);
    measures->setCurrentIndex(1);  // feed/gain
    EXPECT_EQ(s->ChartMeasure, 5);
    EXPECT_EQ(plot->form().GridPlot.TextMatrix(11, 11), Find<QLineEdit>("TextF2G")->text().toStdString());
    EXPECT_NE(plot->form().GridPlot.TextMatrix(11, 11), costCentre);
    EXPECT_EQ(pointsOnMap(), 441);
    diets->setCurrentIndex(3);
    EXPECT_EQ(plot->form().Diet, 4);

    app::GridView* table = plot->table();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count('\n'), 21);
    EXPECT_TRUE(copied.startsWith("Energy, Kcal/Kg \\ Protein, %\t"));
}

QAction* MenuAction(QWidget* view, const QString& text) {
    for (QAction* a : view->findChildren<QAction*>())
        if (a->text().remove(QChar('&')) == text) return a;
    return nullptr;
}

TEST_F(MainWindowViewTest, FileCommandsFilesGridAndEditorsThatFollowTheMatrix) {
    OpenDemo();
    // Each path below the row that saves it.
    EXPECT_TRUE(Cell("gridFILES", 4, 0).endsWith("Demo.dts"));
    EXPECT_TRUE(Cell("gridFILES", 6, 0).endsWith("DemoMatrix.txt"));
    EXPECT_TRUE(Cell("gridFILES", 8, 0).endsWith("DemoReq.nut"));
    EXPECT_TRUE(Cell("gridFILES", 10, 0).endsWith("DemoReq.ing"));
    EXPECT_EQ(Cell("gridFILES", 5, 0).toStdString(), "Save Matrix to this Location");
    for (const char* command : {"Open Matrix File", "Open Ingredient Restrictions", "Open Nutrient Restrictions",
                                "Save the Diets"})
        EXPECT_NE(MenuAction(view.get(), command), nullptr) << command;
    EXPECT_NE(Find<QPushButton>("Save Diets"), nullptr);

    // Both editors open; another matrix is opened from the file menu.
    MenuAction(view.get(), "Edit Ingredient Matrix...")->trigger();
    QTest::mouseClick(Find<QPushButton>("Edit Diet Restrictions"), Qt::LeftButton);
    auto* matrix = view->findChild<app::MatrixEditorView*>();
    auto* restrictions = view->findChild<app::RestrictionsView*>();
    ASSERT_TRUE(matrix && restrictions);
    for (const char* e : {"Matrix.txt", "Req.ing", "Req.nut"})
        fs::copy_file(scratch / (std::string("Demo") + e), scratch / (std::string("Other") + e));
    std::string other = tarvisol::testing::Slurp((scratch / "OtherMatrix.txt").string());
    other.replace(other.find("\r\nCorn\r\n"), 8, "\r\nMaize\r\n");
    tarvisol::testing::Spit((scratch / "OtherMatrix.txt").string(), other);
    s->IngredientRestrictionFile = (scratch / "OtherReq.ing").string();
    dialogs.Text((scratch / "OtherMatrix.txt").string());
    MenuAction(view.get(), "Open Matrix File")->trigger();
    EXPECT_EQ(matrix->form().GridMatrix.TextMatrix(1, 0), "Maize");

    // Wheat's restrictions stay on Wheat when Maize goes.
    const double wheatMax = s->IngredientLimits(1, 2, 3);
    matrix->form().GridMatrix.Row = 1;
    dialogs.Answer(Answer::Yes);
    QPushButton* remove = nullptr;
    for (QPushButton* b : matrix->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Remove Ingredient") remove = b;
    ASSERT_NE(remove, nullptr);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(restrictions->form().GridIngred.TextMatrix(2, 0), "2 Wheat");
    SaveIngredientsForSession(*s, restrictions->form());
    EXPECT_EQ(s->IngredientLimits(1, 2, 2), wheatMax);
}

}  // namespace

namespace {

// The Fit Error beside the growth curve is the calibration's own score of the
// curve in force: the figure its diagnostics (Ctrl+R) report for it.
TEST_F(MainWindowViewTest, FitErrorBesideTheCurveIsTheCalibrationsScoreOfIt) {
    OpenDemo();
    Find<QComboBox>("ComboSex")->setCurrentIndex(0);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);
    ASSERT_FALSE(s->RunFailed);
    const std::string shown = Cell("GridWeight", 1, 6).toStdString();
    const std::string text = DiagnosticsText(FillTest(*s));
    const auto at = text.find("fit error ");
    ASSERT_NE(at, std::string::npos) << text;
    const auto from = at + std::string("fit error ").size();
    EXPECT_EQ(shown, text.substr(from, text.find('\n', from) - from));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest registers each one from the list) needs no
    // display and writes nothing.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    // The windows keep their settings (recent locations) in a store of the
    // tests' own, removed at the end, never the user's.
    const fs::path config = fs::temp_directory_path() / ("tarvisol_gui_config_" + std::to_string(::getpid()));
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    int code = 0;
    {
        QApplication app(argc, argv);
        code = RUN_ALL_TESTS();
    }
    fs::remove_all(config);
    return code;
}

// File -> "New Location from Library" through the window: ten ingredients
// searched and added, four diets, Make Location; the new location opens in
// the main window and grows at once.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "app/MainWindowView.h"
#include "app/NewLocationView.h"
#include "growth/GrowthRun.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "ui/ProgramData.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

// The main window on a scratch folder with File -> New Location from Library open.
class NewLocationViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        view = std::make_unique<app::MainWindowView>(*s, *form, dialogs, scratch.string());
        view->SetProgramData(FindProgramData(TARVISOL_SOURCE_DIR));
        view->SetDocumentsFolder(scratch.string());
        view->show();
        view->findChild<QAction*>("ActionNewLocation")->trigger();
        nl = view->newLocationView();
    }
    void TearDown() override {
        view.reset();
        fs::remove_all(scratch);
    }
    const fs::path scratch = fs::temp_directory_path() / ("tarvisol_gui_new_" + std::to_string(::getpid()));
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    std::unique_ptr<app::MainWindowView> view;
    app::NewLocationView* nl = nullptr;
};

TEST_F(NewLocationViewTest, TenIngredientsAndFourDietsMadeThroughTheWindowGrowAtOnce) {
    {
        ASSERT_NE(nl, nullptr);
        ASSERT_TRUE(nl->isVisible());
        auto* search = nl->findChild<QLineEdit*>("TextSearch");
        auto* library = nl->findChild<QTableView*>("GridLibrary");
        for (const char* name : {"Corn", "Soybean meal 47", "Corn DDGS", "Soybean oil", "Limestone",
                                 "Monocalcium phosphate", "Salt", "L-Lysine HCl", "DL-Methionine", "L-Threonine"}) {
            search->clear();
            QTest::keyClicks(search, name);
            const Grid& found = nl->form().GridLibrary;
            int row = 0;
            for (int r = 1; r < found.Rows() && row == 0; ++r)
                if (found.TextMatrix(r, 0) == name) row = r;
            ASSERT_GT(row, 0) << name;
            library->setCurrentIndex(library->model()->index(row, 0));
            nl->findChild<QPushButton*>("CommandAdd")->click();
        }
        EXPECT_EQ(nl->form().GridChosen.Rows(), 11);
        nl->findChild<QLineEdit*>("TextName")->setText("North");
        // The genotype picked: the NRC 2012 reference pig, not the default commercial herd.
        auto* genotype = nl->findChild<QComboBox*>("ComboGenotype");
        ASSERT_NE(genotype, nullptr);
        EXPECT_EQ(genotype->currentText().toStdString(), "Current commercial herd");
        genotype->setCurrentIndex(genotype->findText("NRC 2012 reference pig"));
        nl->findChild<QPushButton*>("CommandMake")->click();
        ASSERT_EQ(dialogs.Messages().size(), 1u);
        EXPECT_EQ(dialogs.Messages()[0].rfind("The location " + (scratch / "North").string() +
                                                  " was made from 10 library ingredients: 4 diets, ending at ",
                                              0),
                  0u)
            << dialogs.Messages()[0];
        EXPECT_FALSE(nl->isVisible());
        EXPECT_EQ(form->Text6.Text, "North");
        EXPECT_TRUE(fs::exists(scratch / "NorthMatrix.txt"));
        EXPECT_EQ(s->Model.Kind, GrowthModelKind::Response);
        EXPECT_EQ(s->Model.Pig.Name, "NRC 2012 reference pig");
        // Mixed herd, least-cost diets, as the user chooses them in the window.
        view->findChild<QComboBox*>("ComboSex")->setCurrentIndex(0);
        view->findChild<QComboBox*>("Combo1")->setCurrentIndex(kFormulationLeastCost);
        view->RunCommand([&] { Growth(*s); });
        EXPECT_TRUE(s->GrowthResultsValid) << dialogs.Messages().back();
        EXPECT_EQ(dialogs.Messages().size(), 1u);
    }
}

// The window fits a 1280 x 720 screen (less its title bar and a panel) with
// every column of the library and of the chosen ingredients in view.
TEST_F(NewLocationViewTest, FitsA720PixelScreenWithEveryColumnInView) {
    {
        ASSERT_NE(nl, nullptr);
        for (const char* name : {"Full-fat soybeans (extruded)", "Monocalcium phosphate"}) {
            auto* search = nl->findChild<QLineEdit*>("TextSearch");
            search->clear();
            QTest::keyClicks(search, name);
            nl->findChild<QTableView*>("GridLibrary")->setCurrentIndex(nl->findChild<QTableView*>("GridLibrary")->model()->index(1, 0));
            nl->findChild<QPushButton*>("CommandAdd")->click();
        }
        nl->findChild<QLineEdit*>("TextSearch")->clear();
        QTest::keyClicks(nl->findChild<QLineEdit*>("TextSearch"), "a");
        const QSize screen(1280 - 16, 720 - 40);
        const QSize least = nl->minimumSizeHint().expandedTo(nl->minimumSize());
        EXPECT_LE(least.height(), screen.height());
        nl->resize(screen);
        QApplication::processEvents();
        EXPECT_LE(nl->height(), screen.height());
        for (const char* grid : {"GridLibrary", "GridChosen"}) {
            auto* t = nl->findChild<QTableView*>(grid);
            ASSERT_NE(t, nullptr) << grid;
            const int columns = t->horizontalHeader()->length();
            EXPECT_LE(columns, t->viewport()->width()) << grid << ": its columns take " << columns << " of " << t->viewport()->width();
        }
    }
}

}  // namespace

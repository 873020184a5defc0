#pragma once
// The main window: shows the MainWindow form's controls and runs its
// procedures. No model logic here: every button calls a form procedure and
// then shows the form again.
#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "growth/DailyTable.h"
#include "ui/DietDisplay.h"
#include "ui/GrowthModelEditor.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"
#include "ui/ProgramData.h"
#include "ui/RecentLocations.h"
#include "ui/UndoHistory.h"

class QLabel;
class QMenu;
class QStackedWidget;
class QTabWidget;

namespace tarvisol::app {

class TemperatureView;
class GridDialog;
class RestrictionsView;
class NutrientSourcesView;
class MatrixEditorView;
class CalibrationView;
class AdjustCalibrationView;
class OptimisationView;
class DietPlotView;
class SensitivityView;
class MixingSheetView;
class NewLocationView;
class MarketWeightView;
class HerdView;
class RequirementsView;
class PrecisionView;
class RunMenus;
class GuideView;
class ReflowLayout;
class StartPageView;
class WindowFit;

class MainWindowView : public QMainWindow {
    Q_OBJECT
public:
    // dialogs: where messages and questions go (Qt dialogs in the program,
    // scripted ones in tests). The state and form outlive the window.
    MainWindowView(SharedState& s, MainWindow& form, Dialogs& dialogs, const std::string& programFolder);
    ~MainWindowView() override;

    // Runs a form procedure the way a button press does: takes the widgets
    // into the form, runs, reports a trapped error, shows the form.
    void RunCommand(const std::function<void()>& procedure);
    // Shows the form (texts, lists, colours, grids, captions).
    void Refresh();

    GridView* gridView(const QString& name) const;
    QTabWidget* tabs() const { return tabs_; }
    DietPlotView* plotView() const { return plot_.get(); }
    // The "Market Weight" window, opened from the buttons or the optimisation window.
    MarketWeightView* marketView() const { return market_.get(); }
    void OpenMarketWeight();
    void OpenHerd();
    HerdView* herdView() const { return herd_.get(); }
    // The "Requirements" window on the last Growth run.
    RequirementsView* requirementsView() const { return requirements_.get(); }
    void OpenRequirements();
    // The "Precision Feeding" window: daily blends for the group and for each pig.
    PrecisionView* precisionView() const { return precision_.get(); }
    void OpenPrecision();
    RunMenus* runMenus() const { return runs_.get(); }
    GuideView* guideView() const { return guide_.get(); }
    // The results tab's pages: the start page while no location is open, the results grid after.
    QStackedWidget* resultsPages() const { return resultsPages_; }
    QMenu* recentMenu() const { return recentMenu_; }
    UndoHistory& undoHistory() { return undo_; }
    QAction* undoAction() const { return undoAction_; }
    // The input boxes' layout (it wraps the rows on a narrow window).
    ReflowLayout* inputsLayout() const { return inputsLayout_; }
    // The growth model and genotype on the Inputs and Diets tab.
    GrowthModelEditor& growthModel() { return modelForm_; }
    QWidget* growthModelBox() const { return modelBox_; }

    // Where Help -> "Open the Demo Location" makes its copy (the user's
    // documents folder unless set) and where the demo and guide are found.
    void SetDocumentsFolder(const std::string& folder) { documents_ = folder; }
    void SetProgramData(const ProgramData& data) { data_ = data; }

    // The commands of the Help menu and of the start page.
    void OpenGuide();
    void OpenDemo();
    // File -> "New Location from Library".
    void OpenNewLocation();
    NewLocationView* newLocationView() const { return newLocation_.get(); }
    void OpenRecent(const std::string& base);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildInputs(QWidget* parent);
    void BuildResultsTab();
    QWidget* BuildGrowthModel(QWidget* parent);
    void ShowGrowthModelWidgets();
    // One function per menu, in the menu bar's order.
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildRunMenu();
    void BuildSettingsMenu();
    void BuildViewMenu();
    void BuildHelpMenu();
    void FillRecentMenu();
    // Runs a command that may open a location; an opened one becomes the
    // newest of the recent locations.
    void RunLocationCommand(const std::function<void()>& procedure);
    GridView* AddGrid(Grid& grid, bool editable);
    QPushButton* AddButton(Button& button, const std::function<void()>& procedure);
    void GridWeightClickCommand();
    // The open editors follow the tables after a command.
    void SyncEditors();

    SharedState& s_;
    MainWindow& form_;
    Dialogs& dialogs_;
    Binder binder_;
    std::vector<GridView*> grids_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* text6_ = nullptr;
    std::unique_ptr<TemperatureView> temperatures_;
    std::unique_ptr<DailyGrowthWindow> dailyForm_;
    std::unique_ptr<GridDialog> daily_;
    std::unique_ptr<RestrictionsView> restrictions_;
    std::unique_ptr<NutrientSourcesView> sources_;
    std::unique_ptr<MatrixEditorView> matrix_;
    std::unique_ptr<CalibrationView> calibration_;
    std::unique_ptr<AdjustCalibrationView> adjust_;
    std::unique_ptr<OptimisationView> optimisation_;
    std::unique_ptr<DietPlotView> plot_;
    std::unique_ptr<DietDisplayWindow> displayForm_;
    std::unique_ptr<GridDialog> display_;
    std::unique_ptr<RunMenus> runs_;  // kept runs, charts, report and workbook
    void OpenSources();
    // Sensitivity and mixing sheet of the diet selected on the diets grid, the
    // formula grid or the formulated-diets display.
    std::unique_ptr<SensitivityView> sensitivity_;
    std::unique_ptr<MixingSheetView> mixing_;
    std::unique_ptr<NewLocationView> newLocation_;
    QLabel* costLabel_ = nullptr;  // "Feed Cost per Pig", with the location's currency
    std::unique_ptr<MarketWeightView> market_;
    std::unique_ptr<HerdView> herd_;
    std::unique_ptr<RequirementsView> requirements_;
    std::unique_ptr<PrecisionView> precision_;
    int SelectedDiet(bool fromDisplay) const;
    void OpenSensitivityOf(int d);
    void OpenMixingOf(int d);

    // First steps: the start page, the guide, the demo, recent locations.
    ProgramData data_;
    std::string documents_;
    RecentLocations recent_;
    QMenu* recentMenu_ = nullptr;
    QStackedWidget* resultsPages_ = nullptr;
    StartPageView* startPage_ = nullptr;
    QLabel* noLocationHint_ = nullptr;
    QLabel* balanceLine_ = nullptr;  // the run's nitrogen and phosphorus balance under the results
    QLabel* modelLine_ = nullptr;    // which growth model grew the results, and whence their carcass
    GrowthModelEditor modelForm_;
    QWidget* modelBox_ = nullptr;
    std::vector<QWidget*> genotypeWidgets_;  // shown for the nutrient-response model only
    ReflowLayout* inputsLayout_ = nullptr;
    std::unique_ptr<GuideView> guide_;
    WindowFit* fit_ = nullptr;
    // Edit -> Undo and Redo over the commands that can be taken back.
    UndoHistory undo_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    void UndoOrRedo(bool redo);
};

}  // namespace tarvisol::app

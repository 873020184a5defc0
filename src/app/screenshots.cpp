// tarvisol-screenshots LOCATION OUTDIR: saves the start page, then opens
// LOCATION in the main window as a user would (answering Yes to reopening it),
// chooses a mixed herd on least-cost diets, presses Growth and saves a PNG of
// each tab, the main window at 1280x720 and 1920x1080 and the secondary
// windows the guide shows, then presses Plot Diets and saves the chart window;
// last the growth charts, two kept runs compared and the report's first page.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/CalibrationView.h"
#include "app/CompareRunsView.h"
#include "app/DietPlotView.h"
#include "app/GrowthChartsView.h"
#include "app/GuideView.h"
#include "app/MainWindowView.h"
#include "pdf/ReportPdf.h"
#include "app/RunMenus.h"
#include "app/MarketWeightView.h"
#include "app/HerdView.h"
#include "app/PrecisionView.h"
#include "app/RequirementsView.h"
#include "app/NewLocationView.h"
#include "calibration/CorCoef.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "optimisation/PlotSweep.h"
#include "shared/ScriptedDialogs.h"
#include "ui/NewLocationWindow.h"
#include "ui/ProgramData.h"
#include "ui/GrowthModelEditor.h"
#include "ui/ReportExport.h"

namespace {

void Settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

void Save(QWidget* w, const QString& folder, const char* name) {
    if (!w) {
        std::fprintf(stderr, "no window for %s\n", name);
        return;
    }
    Settle();
    const QString path = QString("%1/%2.png").arg(folder, name);
    w->grab().save(path);
    std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
}

// The start page, as a newcomer first sees the results tab.
void SaveStartPage(tarvisol::app::MainWindowView& window, const QString& folder) {
    window.tabs()->setCurrentIndex(0);
    Save(&window, folder, "start");
}

QWidget* Triggered(QWidget& window, const char* caption, const char* windowName) {
    for (QAction* a : window.findChildren<QAction*>())
        if (a->text().remove(QChar('&')) == caption) a->trigger();
    Settle();
    return window.findChild<QWidget*>(windowName);
}

QWidget* Clicked(QWidget& window, const char* button, const char* windowName) {
    if (auto* b = window.findChild<QPushButton*>(button)) b->click();
    Settle();
    QWidget* w = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top != &window && top->metaObject()->className() == QByteArray(windowName)) w = top;
    return w;
}

// The main window at two screen sizes, and the secondary windows the guide shows.
void SaveWindows(tarvisol::app::MainWindowView& window, tarvisol::ScriptedDialogs& dialogs, const QString& folder) {
    const QSize size = window.size();
    window.tabs()->setCurrentIndex(0);
    window.resize(1280, 720);
    Save(&window, folder, "main-1280x720");
    window.resize(1920, 1080);
    Save(&window, folder, "main-1920x1080");
    window.resize(size);
    Settle();
    QWidget* restrictions = Clicked(window, "Edit Diet Restrictions", "tarvisol::app::RestrictionsView");
    Save(restrictions, folder, "restrictions");
    if (restrictions) restrictions->close();
    QWidget* optimisation = Clicked(window, "Run Optimization", "tarvisol::app::OptimisationView");
    Save(optimisation, folder, "optimisation");
    // The report of a search from the ranges around the current programme:
    // the restrictions the optimum changed, the last diet fed to market.
    if (optimisation) {
        if (auto* b = optimisation->findChild<QPushButton*>("Command1")) b->click();
        Settle();
        if (auto* b = optimisation->findChild<QPushButton*>("CommandOpt")) b->click();
        Settle();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == "OptimisationReport") {
                top->resize(1280, 720);
                Settle();
                Save(top, folder, "optimisation-report");
                top->close();
            }
        dialogs.ClearLog();
        // The margin per pig place and year: the three programmes and the
        // margin surface of the first diet.
        if (auto* c = optimisation->findChild<QComboBox*>("ComboObjective")) {
            c->setCurrentIndex(1);
            emit c->activated(1);
            Settle();
            if (auto* b = optimisation->findChild<QPushButton*>("CommandOpt")) b->click();
            const QSize before = optimisation->size();
            optimisation->resize(1280, 720);
            Save(optimisation, folder, "optimisation-margin");
            c->setCurrentIndex(0);
            emit c->activated(0);
            optimisation->resize(before);
            dialogs.ClearLog();
        }
    }
    if (optimisation) optimisation->close();
    dialogs.Text(window.findChild<QLineEdit*>("Text6")->text().toStdString());  // "Do you want to use ... OR enter a new name"
    QWidget* calibration = Clicked(window, "Calibration", "tarvisol::app::CalibrationView");
    Save(calibration, folder, "calibration");
    // Continue Calibration: the window with the fit's diagnostics, as it
    // stands behind the save question (declined twice: the curve stays).
    if (auto* view = qobject_cast<tarvisol::app::CalibrationView*>(calibration)) {
        view->onDiagnosticsShown = [view, folder] {
            view->resize(1000, 700);
            Save(view, folder, "calibration-diagnostics");
        };
        dialogs.Answer(tarvisol::Answer::No).Answer(tarvisol::Answer::No);
        for (QPushButton* b : view->findChildren<QPushButton*>())
            if (b->text().remove(QChar('&')) == "Continue Calibration") b->click();
        Settle();
        view->onDiagnosticsShown = nullptr;
        // Fit Genotype: the nutrient-response genotype fitted to the same
        // herd, beside the genotype in force, as it stands behind its save
        // question (declined: no genotype file is written).
        view->show();
        view->onDiagnosticsShown = [view, folder] {
            view->resize(1280, 720);
            Save(view, folder, "calibration-genotype-fit");
        };
        dialogs.Answer(tarvisol::Answer::No);
        if (auto* b = view->findChild<QPushButton*>("CommandFitGenotype")) b->click();
        Settle();
        view->onDiagnosticsShown = nullptr;
    }
    if (calibration) calibration->close();
    QWidget* temperatures = Triggered(window, "Set Temperature", "");
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->metaObject()->className() == QByteArray("tarvisol::app::TemperatureView"))
            temperatures = top;
    Save(temperatures, folder, "temperatures");
    if (temperatures) temperatures->close();
    window.OpenGuide();
    if (window.guideView()) {
        window.guideView()->resize(900, 700);
        Save(window.guideView(), folder, "guide");
        window.guideView()->close();
    }
    window.tabs()->setCurrentIndex(0);
}

// File -> "New Location from Library" with a search typed and a few
// ingredients chosen.
void SaveNewLocation(tarvisol::app::MainWindowView& window, tarvisol::SharedState& s, const QString& folder) {
    window.SetProgramData(tarvisol::FindProgramData(tarvisol::RunningProgramFolder()));
    window.OpenNewLocation();
    tarvisol::app::NewLocationView* view = window.newLocationView();
    if (!view) return;
    tarvisol::NewLocationWindow& f = view->form();
    for (const char* name : {"Corn", "Soybean meal 47", "Corn DDGS", "Soybean oil", "Limestone",
                             "Monocalcium phosphate", "Salt", "L-Lysine HCl"}) {
        f.TextSearch.Text = name;
        tarvisol::SearchNewLocationLibrary(f);
        for (int r = 1; r < f.GridLibrary.Rows(); ++r)
            if (f.GridLibrary.TextMatrix(r, 0) == name) f.GridLibrary.Row = r;
        tarvisol::AddChosenIngredient(s, f);
    }
    f.TextSearch.Text = "meal";
    tarvisol::SearchNewLocationLibrary(f);
    f.TextName.Text = "North";
    view->Refresh();
    view->resize(1250, 660);
    Save(view, folder, "new-location");
    view->close();
}

// The growth charts of the run, two runs kept and compared, the first page
// of the report and its page of the males and females (drawn to a scratch
// PDF, then to PNG by pdftoppm).
void SaveRunPictures(tarvisol::app::MainWindowView& window, tarvisol::SharedState& s, tarvisol::MainWindow& form,
                     tarvisol::ScriptedDialogs& dialogs, const QString& folder) {
    tarvisol::app::RunMenus* runs = window.runMenus();
    runs->OpenCharts();
    Save(runs->charts(), folder, "growth-charts");
    if (runs->charts()) runs->charts()->close();
    dialogs.Text("Least cost from 25 kg");
    Triggered(window, "Keep This Run", "");
    // The second run on a cheaper third ingredient (the demo's wheat), so the
    // comparison shows the ingredient prices and the formulas that differ.
    window.RunCommand([&] {
        form.Text1.Text = "30";
        if (s.IngredientCount > 2) s.IngredientPrices(3) -= 45;
        tarvisol::Growth(s);
    });
    dialogs.Text("Least cost from 30 kg");
    Triggered(window, "Keep This Run", "");
    runs->OpenComparison();
    if (runs->comparison()) runs->comparison()->resize(1200, 800);
    Save(runs->comparison(), folder, "compare-runs");
    if (runs->comparison()) runs->comparison()->close();

    tarvisol::ReportDocument doc;
    if (!tarvisol::CurrentReport(s, "2025-03-14", doc)) return;
    const std::string pdf = QDir::temp().filePath(QString("tarvisol-report-%1.pdf").arg(QCoreApplication::applicationPid())).toStdString();
    std::string error;
    if (!tarvisol::pdf::PdfReportRenderer().WritePdf(doc, tarvisol::ReportPage::A4, pdf, error)) {
        std::fprintf(stderr, "report: %s\n", error.c_str());
        return;
    }
    const std::string page = (folder + "/report-page1").toStdString();
    const std::string command = "pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + pdf + "' '" + page + "'";
    if (std::system(command.c_str()) == 0) std::fprintf(stderr, "saved %s.png\n", page.c_str());
    else std::fprintf(stderr, "pdftoppm (poppler-utils) is needed for the report page\n");
    // The page with the herd's, the males' and the females' figures.
    for (int n = 1; n <= 12; ++n) {
        const std::string probe = "pdftotext -f " + std::to_string(n) + " -l " + std::to_string(n) + " '" + pdf +
                                  "' - 2>/dev/null | grep -q 'Mixed herd'";
        if (std::system(probe.c_str()) != 0) continue;
        const std::string sexes = (folder + "/report-sexes").toStdString();
        const std::string draw = "pdftoppm -png -r 60 -f " + std::to_string(n) + " -l " + std::to_string(n) +
                                 " -singlefile '" + pdf + "' '" + sexes + "'";
        if (std::system(draw.c_str()) == 0) std::fprintf(stderr, "saved %s.png\n", sexes.c_str());
        break;
    }
    std::remove(pdf.c_str());
}

// The nutrient-response model chosen on the Inputs and Diets tab (the
// genotype editor with the presets) at 1280x720, grown, and its growth
// charts with the daily protein and lipid deposition and what limited it.
void SaveResponsePictures(tarvisol::app::MainWindowView& window, tarvisol::SharedState& s, const QString& folder) {
    const QSize size = window.size();
    window.resize(1280, 720);
    window.RunCommand([&] {
        s.Main->Text1.Text = "25";
        window.growthModel().ComboModel.ListIndex = 1;
        tarvisol::GrowthModelClick(s, window.growthModel());
        tarvisol::Growth(s);
    });
    window.tabs()->setCurrentIndex(1);
    Save(&window, folder, "inputs-genotype");
    window.tabs()->setCurrentIndex(0);
    Save(&window, folder, "results-response");
    tarvisol::app::RunMenus* runs = window.runMenus();
    runs->OpenCharts();
    if (QWidget* charts = runs->charts()) {
        charts->resize(1264, 680);
        Save(charts, folder, "deposition-chart");
        charts->close();
    }
    window.resize(size);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tarvisol-screenshots LOCATION OUTDIR\n");
        return 2;
    }
    auto state = std::make_unique<tarvisol::SharedState>();
    auto form = std::make_unique<tarvisol::MainWindow>();
    tarvisol::ScriptedDialogs dialogs;
    tarvisol::app::MainWindowView window(*state, *form, dialogs, QDir::currentPath().toStdString());
    window.show();
    const auto location = std::filesystem::absolute(argv[1]);
    QDir().mkpath(argv[2]);
    SaveStartPage(window, argv[2]);
    window.RunCommand([&] {
        state->LocationFolder = location.parent_path().string();
        form->Text6.Text = location.filename().string();
        dialogs.Answer(tarvisol::Answer::Yes);
        tarvisol::LocationName(*state);
        form->ComboSex.ListIndex = 0;
        if (state->NutrientCount > 0) form->Combo1.ListIndex = tarvisol::kFormulationLeastCost;
        tarvisol::Growth(*state);
    });
    for (const auto& m : dialogs.Messages()) std::fprintf(stderr, "message: %s\n", m.c_str());
    static const char* names[] = {"results", "diets", "formulas", "files"};
    for (int t = 0; t < window.tabs()->count(); ++t) {
        window.tabs()->setCurrentIndex(t);
        QApplication::processEvents();
        const QString path = QString("%1/%2.png").arg(argv[2], names[t]);
        window.grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
    }
    SaveWindows(window, dialogs, argv[2]);
    // Ctrl+R's window: the diagnostics of the curve in force.
    {
        const QString folder = argv[2];
        QTimer::singleShot(300, [folder] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() && top->objectName() == "FitDiagnostics") {
                    Save(top, folder, "fit-diagnostics");
                    top->close();
                }
        });
        tarvisol::app::ShowFitDiagnostics(&window, tarvisol::DiagnosticsText(tarvisol::FillTest(*state)));
    }
    SaveNewLocation(window, *state, argv[2]);
    window.tabs()->setCurrentIndex(0);
    if (auto* plot = window.findChild<QPushButton*>("Plot Diets")) plot->click();
    for (int i = 0; i < 20 && !window.plotView(); ++i) QApplication::processEvents();
    if (auto* chart = window.plotView()) {
        if (auto* measure = chart->findChild<QComboBox*>("ComboMeasure")) measure->setCurrentIndex(1);  // feed/gain
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        const QString path = QString("%1/diet-plot.png").arg(argv[2]);
        chart->grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
    }
    // The sensitivity and mixing sheet of the second diet, from the diets grid.
    form->Griddiets.Col = 2;
    for (const char* caption : {"Sensitivity", "Mixing Sheet"}) {
        if (auto* b = window.findChild<QPushButton*>(caption)) b->click();
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
    }
    for (const char* name : {"SensitivityView", "MixingSheetView"}) {
        if (auto* w = window.findChild<QWidget*>(name)) {
            for (int i = 0; i < 10; ++i) QApplication::processEvents();
            const QString path = QString("%1/%2.png").arg(argv[2], name == std::string("SensitivityView") ? "sensitivity" : "mixing-sheet");
            w->grab().save(path);
            std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
        }
    }
    // What the demo pig needed against its diets (lysine), at 1280x720.
    if (auto* b = window.findChild<QPushButton*>("Requirements")) b->click();
    if (auto* req = window.requirementsView()) {
        req->resize(1280, 720);
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        const QString path = QString("%1/requirements.png").arg(argv[2]);
        req->grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
        req->close();
    }
    SaveRunPictures(window, *state, *form, dialogs, argv[2]);
    // When to sell: the market weights around the demo's final weight.
    if (auto* b = window.findChild<QPushButton*>("Market Weight")) b->click();
    if (auto* market = window.marketView()) {
        if (auto* run = market->findChild<QPushButton*>("CommandRun")) run->click();
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        const QString path = QString("%1/market-weight.png").arg(argv[2]);
        market->grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
    }
    // Herd and Marketing: the demo's barn sold in its best cuts, at 1280x720.
    window.OpenHerd();
    if (auto* herd = window.herdView()) {
        herd->resize(1280, 720);
        if (auto* best = herd->findChild<QPushButton*>("CommandBest")) best->click();
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        const QString path = QString("%1/herd-marketing.png").arg(argv[2]);
        herd->grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
        herd->close();
    }
    // Precision Feeding: the demo's herd on the phase programme, the group blend
    // and each pig's own blend of the two least-cost feeds, at 1280x720.
    window.OpenPrecision();
    if (auto* precision = window.precisionView()) {
        precision->resize(1280, 720);
        precision->Compare();
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        const QString path = QString("%1/precision-feeding.png").arg(argv[2]);
        precision->grab().save(path);
        std::fprintf(stderr, "saved %s\n", path.toStdString().c_str());
    }
    SaveResponsePictures(window, *state, argv[2]);
    return 0;
}

// tarvisol-screenshots LOCATION OUTDIR: opens LOCATION in the main window as a
// user would (answering Yes to reopening it), chooses a mixed herd on
// least-cost diets, presses Growth and saves a PNG of each tab, then presses
// Plot Diets and saves the chart window.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/DietPlotView.h"
#include "app/MainWindowView.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "optimisation/PlotSweep.h"
#include "shared/ScriptedDialogs.h"

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
    window.tabs()->setCurrentIndex(0);
    dialogs.Answer(tarvisol::Answer::Yes);  // "This will take a little time, ok?"
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
    return 0;
}

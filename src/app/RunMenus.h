#pragma once
// The main window's commands on finished runs: File > "Keep This Run",
// "Compare Runs", "Export Report...", "Print Report...", "Export to
// Excel..."; View > "Growth Charts" (also on the daily growth window). Owns
// the charts and comparison windows.
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "app/WindowFit.h"
#include "shared/Dialogs.h"
#include "shared/SharedState.h"
#include "ui/ReportExport.h"
#include "market/HerdCuts.h"

class QMenu;
class QWidget;

namespace tarvisol::app {

class CompareRunsView;
class GrowthChartsView;

class RunMenus : public QObject {
    Q_OBJECT
public:
    using RunCommandFn = std::function<void(const std::function<void()>&)>;
    RunMenus(SharedState& s, Dialogs& dialogs, RunCommandFn runCommand, QWidget* parent);
    ~RunMenus() override;

    void AddFileActions(QMenu* file);
    void AddViewActions(QMenu* view);

    // The herd the Herd and Marketing window last sold, for the report and
    // the workbook (none: no such page).
    std::function<std::optional<HerdReport>()> herd;
    // The Precision Feeding window's last comparison for the location open,
    // for the workbook (null: no such sheet).
    std::function<const precision::PrecisionResult*()> precision;
    // The optimisation window's margin search for the location open, when
    // its objective is a margin (null: no such section or sheet).
    std::function<const MarginSearchResult*()> margin;
    void OpenCharts();
    void OpenComparison();
    GrowthChartsView* charts() const { return charts_.get(); }
    CompareRunsView* comparison() const { return compare_.get(); }

    // The page size of exported reports: Letter where the system measures in
    // US units, A4 elsewhere.
    static ReportPage DefaultPage();
    static std::string Today();  // "YYYY-MM-DD"
    static std::string Now();    // "YYYY-MM-DD HH:MM"

private:
    void PrintReport();

    SharedState& s_;
    Dialogs& dialogs_;
    RunCommandFn run_;
    QWidget* parent_;
    WindowFit fit_;  // before the windows it fits, so it outlives them
    std::unique_ptr<GrowthChartsView> charts_;
    std::unique_ptr<CompareRunsView> compare_;
};

}  // namespace tarvisol::app

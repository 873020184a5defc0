#include "app/MainWindowView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/AdjustCalibrationView.h"
#include "app/CalibrationView.h"
#include "app/DietPlotView.h"
#include "app/QtDialogs.h"
#include "app/GridDialog.h"
#include "app/OptimisationView.h"
#include "app/MatrixEditorView.h"
#include "app/NutrientSourcesView.h"
#include "app/MixingSheetView.h"
#include "app/RestrictionsView.h"
#include "app/RunMenus.h"
#include "app/SensitivityView.h"
#include "app/TemperatureView.h"
#include "calibration/CorCoef.h"
#include "formulation/AminoRatio.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "growth/MeasuredHerd.h"
#include "growth/Temperature.h"
#include "location/StartUp.h"
#include "optimisation/PlotSweep.h"
#include "location/UnitChoice.h"
#include "location/PigFile.h"
#include "location/WindowSize.h"
#include "shared/RuntimeError.h"
#include "ui/GridEdit.h"
#include "ui/NutrientSources.h"

namespace tarvisol::app {

MainWindowView::MainWindowView(SharedState& s, MainWindow& form, Dialogs& dialogs, const std::string& programFolder)
    : s_(s), form_(form), dialogs_(dialogs) {
    s_.Main = &form_;
    s_.Dialog = &dialogs_;
    FormLoad(s_, programFolder);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    BuildInputs(central);

    tabs_ = new QTabWidget(central);
    tabs_->setObjectName("MainTabs");
    auto addTab = [&](Grid& grid, bool editable, const QString& caption) {
        GridView* v = AddGrid(grid, editable);
        tabs_->addTab(v, caption);
        return v;
    };
    GridView* results = addTab(form_.Grid1, false, "Results");
    // Ctrl+R puts the measured herd beside the predicted diets.
    results->onKey = [this](int key, Qt::KeyboardModifiers mods) {
        if (key != Qt::Key_R || !(mods & Qt::ControlModifier)) return false;
        RunCommand([this] { FillTest(s_); });
        return true;
    };
    GridView* diets = AddGrid(form_.Griddiets, false);
    diets->gridModel()->SetEdit([this](int r, int c, const std::string& t) {
        binder_.Pull();
        RunCommand([this, r, c, t] { DietsGridEdit(s_, r, c, t); });
    });
    diets->onEditStart = [this](int r, int c) { DietsGridEditStart(s_, r, c); };
    tabs_->addTab(diets, "Inputs and Diets");
    addTab(form_.GridFormula, false, "Formulas");
    GridView* files = addTab(form_.gridFILES, false, "Files");
    files->setColumnWidth(0, 520);
    connect(files, &QTableView::clicked, this,
            [this](const QModelIndex& i) { RunCommand([this, i] { FilesGridClick(s_, i.row()); }); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int t) { form_.MainTabs.Tab = t; });
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);
    runs_ = std::make_unique<RunMenus>(s_, dialogs_, [this](const std::function<void()>& p) { RunCommand(p); }, this);
    BuildMenus();

    resize(form_.Width / 15, form_.Height / 15);
    Refresh();
}

MainWindowView::~MainWindowView() = default;

GridView* MainWindowView::AddGrid(Grid& grid, bool editable) {
    GridModel::EditFn edit;
    if (editable) edit = [this, &grid](int r, int c, const std::string& t) { GridCellEdited(s_, grid, r, c, t); };
    auto* v = new GridView(s_, grid, edit, this);
    grids_.push_back(v);
    return v;
}

QPushButton* MainWindowView::AddButton(Button& button, const std::function<void()>& procedure) {
    auto* b = binder_.Bind(button, new QPushButton(QString::fromStdString(button.Caption), this));
    b->setObjectName(QString::fromStdString(button.Caption));
    b->setMinimumWidth(120);
    connect(b, &QPushButton::clicked, this, [this, procedure] { RunCommand(procedure); });
    return b;
}

void MainWindowView::BuildInputs(QWidget* parent) {
    auto* box = new QGroupBox("Herd and Programme", parent);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    auto edit = [&](TextBox& t, const char* name) {
        auto* e = binder_.Bind(t, new QLineEdit(box));
        e->setObjectName(name);
        e->setMinimumWidth(90);
        e->setMaximumWidth(140);
        return e;
    };
    auto label = [&](const char* text) { return new QLabel(text, box); };
    auto combo = [&](ComboBox& c, const char* name) {
        auto* w = binder_.Bind(c, new QComboBox(box));
        w->setObjectName(name);
        return w;
    };

    QComboBox* units = combo(form_.ComboUnits, "ComboUnits");
    connect(units, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { RunCommand([this] { ComboUnitsClick(s_); }); });
    grid->addWidget(units, 0, 0);
    grid->addWidget(edit(form_.Text1, "Text1"), 0, 1);
    grid->addWidget(label("Starting Age, Days"), 0, 2);
    grid->addWidget(edit(form_.Text2, "Text2"), 0, 3);
    grid->addWidget(binder_.Bind(form_.LabelFinalWeight, new QLabel(box)), 0, 4);
    grid->addWidget(edit(form_.Text3, "Text3"), 0, 5);
    grid->addWidget(label("Number of Pigs"), 0, 6);
    grid->addWidget(edit(form_.TextPigNo, "TextPigNo"), 0, 7);

    grid->addWidget(label("Total Feed Intake"), 1, 0);
    QLineEdit* t4 = edit(form_.Text4, "Text4");
    t4->setToolTip("Total Feed Intake only needed for Calibration");
    // The measured herd beside the last Growth's prediction.
    auto measured = [&](TextBox& t, const char* name, QLineEdit* beside) {
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(beside);
        row->addWidget(label("Measured"));
        QLineEdit* e = edit(t, name);
        e->setReadOnly(true);
        e->setMaximumWidth(70);
        e->setToolTip("The herd's measured value, which the calibration fits to");
        row->addWidget(e);
        return row;
    };
    grid->addLayout(measured(form_.TextMeasuredFeed, "TextMeasuredFeed", t4), 1, 1);
    grid->addWidget(label("Final Age, Days"), 1, 2);
    grid->addLayout(measured(form_.TextMeasuredAge, "TextMeasuredAge", edit(form_.Text5, "Text5")), 1, 3);
    grid->addWidget(label("Herd Sex"), 1, 4);
    grid->addWidget(combo(form_.ComboSex, "ComboSex"), 1, 5);
    grid->addWidget(label("Feed Formulation"), 1, 6);
    grid->addWidget(combo(form_.Combo1, "Combo1"), 1, 7);

    grid->addWidget(label("Calibration Name"), 2, 0);
    text6_ = edit(form_.Text6, "Text6");
    text6_->setMaximumWidth(240);
    text6_->installEventFilter(this);
    connect(text6_, &QLineEdit::returnPressed, this, [this] { RunCommand([this] { LocationName(s_); }); });
    connect(text6_, &QLineEdit::editingFinished, this, [this] {
        if (!text6_->hasFocus()) RunCommand([this] { Text6LostFocus(s_); });
    });
    grid->addWidget(text6_, 2, 1, 1, 2);
    grid->addWidget(binder_.Bind(form_.OptionCalibLoaded, new QRadioButton(box)), 2, 3);
    grid->addWidget(label("Feed Cost per Pig"), 2, 4);
    QLineEdit* price = edit(form_.TextPrice, "TextPrice");
    price->setReadOnly(true);
    grid->addWidget(price, 2, 5);
    grid->addWidget(label("Feed/Gain"), 2, 6);
    QLineEdit* f2g = edit(form_.TextF2G, "TextF2G");
    f2g->setReadOnly(true);
    grid->addWidget(f2g, 2, 7);
    QComboBox* diets = combo(form_.ComboDiets, "ComboDiets");
    diets->setMaximumWidth(140);
    grid->addWidget(diets, 0, 8);
    auto* ratioProtein = binder_.Bind(form_.CheckRatioProtein, new QCheckBox(box));
    auto* ratioLysine = binder_.Bind(form_.CheckRatioLysine, new QCheckBox(box));
    connect(ratioProtein, &QCheckBox::clicked, this, [this] { RunCommand([this] { RatioOptionClick(s_, 0); }); });
    connect(ratioLysine, &QCheckBox::clicked, this, [this] { RunCommand([this] { RatioOptionClick(s_, 1); }); });
    grid->addWidget(ratioProtein, 1, 8);
    grid->addWidget(ratioLysine, 2, 8);

    GridView* curve = AddGrid(form_.GridWeight, true);
    curve->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    curve->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    curve->setFixedHeight(curve->verticalHeader()->defaultSectionSize() * 2 + 2 * curve->frameWidth() + 2);
    connect(curve, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (i.row() == 0) RunCommand([this] { GridWeightClickCommand(); });
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton(form_.CommandGrowth, [this] { Growth(s_); }));
    buttons->addWidget(AddButton(form_.CommandRunLp, [this] { RunLp(s_); }));
    buttons->addWidget(AddButton(form_.CommandSaveDiets, [this] { SaveDiets(s_, true); }));
    buttons->addWidget(AddButton(form_.CommandEditRestrictions, [this] {
        if (!restrictions_) restrictions_ = std::make_unique<RestrictionsView>(s_, dialogs_, this);
        restrictions_->Open();
    }));
    buttons->addWidget(AddButton(form_.CommandSources, [this] { OpenSources(); }));
    buttons->addWidget(AddButton(form_.CommandSensitivity, [this] { OpenSensitivityOf(SelectedDiet(false)); }));
    buttons->addWidget(AddButton(form_.CommandMixing, [this] { OpenMixingOf(SelectedDiet(false)); }));
    buttons->addWidget(AddButton(form_.CommandCalibration, [this] {
        if (!calibration_) {
            calibration_ = std::make_unique<CalibrationView>(s_, dialogs_, this);
            calibration_->onFinished = [this] { Refresh(); };
        }
        calibration_->Open();
    }));
    buttons->addWidget(AddButton(form_.CommandOptimise, [this] {
        if (!optimisation_) optimisation_ = std::make_unique<OptimisationView>(s_, dialogs_, this);
        optimisation_->Open();
    }));
    buttons->addWidget(AddButton(form_.CommandPlot, [this] {
        PlotOutcome out;
        {
            QtProgress progress(this, tr("Plot Diets"));
            PlotOptions options;
            options.progress = &progress;
            out = PlotDiets(s_, options);
        }
        if (!out.finished) return;
        if (!plot_) plot_ = std::make_unique<DietPlotView>(s_, dialogs_, this);
        plot_->Open();
    }));
    buttons->addStretch(1);

    auto* top = new QVBoxLayout;
    top->addWidget(box);
    auto* curveRow = new QHBoxLayout;
    curveRow->addWidget(new QLabel("Growth Curve", parent));
    curveRow->addWidget(curve, 1);
    top->addLayout(curveRow);
    top->addLayout(buttons);
    static_cast<QVBoxLayout*>(parent->layout())->addLayout(top);
}

void MainWindowView::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("Open Location...", this, [this] {
        RunCommand([this] {
            form_.Text6.Text.clear();
            LocationName(s_);
        });
    });
    file->addAction("Open Temperature File", this, [this] { RunCommand([this] { OpenTemperatureFile(s_); }); });
    file->addAction("Open Matrix File", this, [this] { RunCommand([this] { OpenMatrixFile(s_); }); });
    file->addAction("Open Ingredient Restrictions", this,
                    [this] { RunCommand([this] { OpenIngredientRestrictions(s_); }); });
    file->addAction("Open Nutrient Restrictions", this, [this] { RunCommand([this] { OpenNutrientRestrictions(s_); }); });
    file->addSeparator();
    QMenu* saveFiles = file->addMenu("Save Files");
    saveFiles->addAction("Save the Diets", this, [this] { RunCommand([this] { SaveTheDiets(s_); }); });
    file->addAction("Save all Files to Current Location", this,
                    [this] { RunCommand([this] { SaveAllToCurrentLocation(s_); }); });
    file->addAction("Save All Files to New Location/Folder", this,
                    [this] { RunCommand([this] { SaveAllToNewLocation(s_); }); });
    file->addSeparator();
    runs_->AddFileActions(file);
    file->addSeparator();
    file->addAction("Exit", this, [this] { close(); });

    QMenu* settings = menuBar()->addMenu("&Settings");
    settings->addAction("Set Values (Units)...", this, [this] {
        SetValuesDialog values;
        ShowSetValues(s_, values);
        QDialog d(this);
        d.setWindowTitle("Set Values");
        auto* form = new QFormLayout(&d);
        Binder b;
        auto* weight = b.Bind(values.ComboWeight, new QComboBox(&d));
        auto* energy = b.Bind(values.ComboEnergy, new QComboBox(&d));
        auto* cost = b.Bind(values.ComboCost, new QComboBox(&d));
        form->addRow("Weight", weight);
        form->addRow("Energy", energy);
        form->addRow("Cost", cost);
        auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
        form->addRow(ok);
        connect(ok, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        connect(ok, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        b.Push();
        if (d.exec() == QDialog::Accepted) {
            b.Pull();
            RunCommand([this, &values] { SetValuesOk(s_, values); });
        }
    });
    settings->addAction("Set Temperature", this, [this] {
        if (!temperatures_) temperatures_ = std::make_unique<TemperatureView>(s_, dialogs_, this);
        temperatures_->Open();
    });

    settings->addAction("Calibration Test...", this, [this] {
        if (!adjust_) adjust_ = std::make_unique<AdjustCalibrationView>(s_, dialogs_, this);
        adjust_->Open();
    });
    settings->addAction("Edit Ingredient Matrix...", this, [this] {
        if (!matrix_) {
            matrix_ = std::make_unique<MatrixEditorView>(s_, dialogs_, this);
            matrix_->onChanged = [this] { SyncEditors(); };
        }
        matrix_->Open();
    });

    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("Daily Growth", this, [this] {
        if (!dailyForm_) dailyForm_ = std::make_unique<DailyGrowthWindow>();
        RunCommand([this] { LoadDailyGrowth(s_.LastRun, *dailyForm_); });
        if (!daily_) {
            daily_ = std::make_unique<GridDialog>(s_, dailyForm_->GridDaily, QString::fromStdString(dailyForm_->Caption), this);
            daily_->AddButton("Growth Charts", [this] { runs_->OpenCharts(); });
        }
        daily_->Refresh();
        daily_->show();
        daily_->raise();
    });
    view->addAction("Formulated Diets", this, [this] {
        if (!displayForm_) displayForm_ = std::make_unique<DietDisplayWindow>();
        RunCommand([this] { LoadDietDisplay(s_.LastRun, *displayForm_); });
        if (!display_) {
            display_ = std::make_unique<GridDialog>(s_, displayForm_->GridDisplay, QString::fromStdString(displayForm_->Caption), this);
            auto* row = new QHBoxLayout;
            for (const Button* b : {&form_.CommandSensitivity, &form_.CommandMixing}) {
                auto* w = new QPushButton(QString::fromStdString(b->Caption), display_.get());
                w->setObjectName(QString::fromStdString(b->Caption));
                w->setToolTip(QString::fromStdString(b->ToolTip));
                const bool sens = b == &form_.CommandSensitivity;
                connect(w, &QPushButton::clicked, this, [this, sens] {
                    sens ? OpenSensitivityOf(SelectedDiet(true)) : OpenMixingOf(SelectedDiet(true));
                });
                row->addWidget(w);
            }
            row->addStretch(1);
            static_cast<QVBoxLayout*>(display_->layout())->addLayout(row);
        }
        display_->Refresh();
        display_->show();
        display_->raise();
    });
    runs_->AddViewActions(view);
    view->addAction("Finishing Report", this, [this] { RunCommand([this] { FinishingReport(s_); }); });
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("About", this, [this] { QMessageBox::about(this, "About", QString::fromStdString(AboutText())); });
}

void MainWindowView::GridWeightClickCommand() { GridWeightClick(s_); }

void MainWindowView::OpenSources() {
    if (!sources_) sources_ = std::make_unique<NutrientSourcesView>(s_, this);
    // The cell picked on the diets grid (a nutrient or the price), or on the
    // formula grid (an ingredient).
    if (tabs_->currentIndex() == 2) {
        const Grid& f = form_.GridFormula;
        if (f.Col < 1 || f.Row < 1 || f.Row > s_.IngredientCount) return;
        OpenForIngredient(s_, sources_->form(), f.Col, f.Row);
    } else {
        const Grid& g = form_.Griddiets;
        if (g.Col < 1 || g.Row < 2 || g.Row == 3) return;
        OpenFromDietsGrid(s_, sources_->form(), g.Row, g.Col);
    }
    sources_->Open();
}

int MainWindowView::SelectedDiet(bool fromDisplay) const {
    // The display shows diet d in columns 2d - 1 (contents) and 2d (minimums).
    if (fromDisplay) return displayForm_ && displayForm_->GridDisplay.Col >= 1 ? (displayForm_->GridDisplay.Col + 1) / 2 : 1;
    const Grid& g = tabs_ && tabs_->currentIndex() == 2 ? form_.GridFormula : form_.Griddiets;
    return g.Col >= 1 ? g.Col : 1;
}

void MainWindowView::OpenSensitivityOf(int d) {
    if (!sensitivity_) sensitivity_ = std::make_unique<SensitivityView>(s_, this);
    sensitivity_->Open(d);
}

void MainWindowView::OpenMixingOf(int d) {
    if (!mixing_) mixing_ = std::make_unique<MixingSheetView>(s_, dialogs_, this);
    mixing_->Open(d);
}

void MainWindowView::RunCommand(const std::function<void()>& procedure) {
    binder_.Pull();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        procedure();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        dialogs_.Message(TrappedErrorMessage(e, ")"));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QApplication::restoreOverrideCursor();
    Refresh();
    SyncEditors();
}

void MainWindowView::SyncEditors() {
    if (matrix_) matrix_->Sync();
    if (restrictions_) restrictions_->Sync();
}

void MainWindowView::Refresh() {
    setWindowTitle(QString::fromStdString(form_.Caption));
    ShowMeasuredHerd(s_);
    binder_.Push();
    for (GridView* g : grids_) g->Refresh();
    if (tabs_ && tabs_->currentIndex() != form_.MainTabs.Tab) tabs_->setCurrentIndex(form_.MainTabs.Tab);
}

GridView* MainWindowView::gridView(const QString& name) const {
    for (GridView* g : grids_)
        if (g->objectName() == name) return g;
    return nullptr;
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text6_ && event->type() == QEvent::MouseButtonDblClick) {
        RunCommand([this] { LocationName(s_); });
        return true;
    }
    if (watched == text6_ && event->type() == QEvent::FocusIn && form_.Text6.Text == kCalibrationNamePlaceholder) {
        form_.Text6.Text.clear();
        text6_->clear();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // Edits in the editors first, then the location's files.
    for (QDialog* editor : {static_cast<QDialog*>(restrictions_.get()), static_cast<QDialog*>(matrix_.get()),
                            static_cast<QDialog*>(temperatures_.get())})
        if (editor && editor->isVisible() && !editor->close()) {
            event->ignore();
            return;
        }
    binder_.Pull();
    bool mayClose = true;
    RunCommand([this, &mayClose] { mayClose = MayCloseMainWindow(s_); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    form_.Height = height() * 15;
    form_.Width = width() * 15;
    EndProgram(s_);
    if (temperatures_) temperatures_->close();
    event->accept();
}

}  // namespace tarvisol::app

#include "app/MainWindowView.h"

#include "shared/TextEncoding.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QCloseEvent>
#include <QDir>
#include <QKeySequence>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStandardPaths>
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

#include "app/LegendLabel.h"
#include "app/MenuMnemonics.h"
#include "app/AdjustCalibrationView.h"
#include "app/CalibrationView.h"
#include "app/DietPlotView.h"
#include "app/QtDialogs.h"
#include "app/GridDialog.h"
#include "app/GuideView.h"
#include "app/RecentLocationsStore.h"
#include "app/ReflowLayout.h"
#include "app/StartPageView.h"
#include "app/WindowFit.h"
#include "app/MarketWeightView.h"
#include "app/HerdView.h"
#include "app/PrecisionView.h"
#include "app/RequirementsView.h"
#include "ui/RequirementsWindow.h"
#include "app/OptimisationView.h"
#include "app/MatrixEditorView.h"
#include "app/NutrientSourcesView.h"
#include "app/MixingSheetView.h"
#include "app/NewLocationView.h"
#include "location/LocationSettings.h"
#include "app/RestrictionsView.h"
#include "app/RunMenus.h"
#include "app/SensitivityView.h"
#include "app/TemperatureView.h"
#include "calibration/CorCoef.h"
#include "calibration/FitDiagnostics.h"
#include "formulation/AminoRatio.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "growth/MeasuredHerd.h"
#include "growth/Temperature.h"
#include "location/StartUp.h"
#include "optimisation/PlotSweep.h"
#include "growth/OutdatedResults.h"
#include "location/UnitChoice.h"
#include "report/RunModel.h"
#include "location/PigFile.h"
#include "location/WindowSize.h"
#include "shared/RuntimeError.h"
#include "shared/Version.h"
#include "ui/DemoCopy.h"
#include "ui/GridEdit.h"
#include "ui/InputHelp.h"
#include "ui/NutrientSources.h"
#include "ui/ReopenLocation.h"
#include "ui/StartPage.h"
#include "ui/UndoableCommands.h"

namespace tarvisol::app {

MainWindowView::MainWindowView(SharedState& s, MainWindow& form, Dialogs& dialogs, const std::string& programFolder)
    : s_(s), form_(form), dialogs_(dialogs) {
    s_.Main = &form_;
    s_.Dialog = &dialogs_;
    FormLoad(s_, programFolder);
    s_.CurveFitErrorText = &FitErrorOfCurveInForce;
    data_ = FindProgramData(RunningProgramFolder());
    documents_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    if (documents_.empty()) documents_ = QDir::homePath().toStdString();
    recent_ = LoadRecentLocations();
    fit_ = new WindowFit(this);
    // The buttons' mnemonics keep clear of the menu bar's letters.
    binder_.mnemonics.Reserve("FERSVH");
    binder_.textToolTip = [this](const TextBox& box) { return BoxToolTip(s_, box); };
    binder_.comboToolTip = [this](const ComboBox& combo) { return ComboHelp(s_, combo); };

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
    BuildResultsTab();
    GridView* diets = AddGrid(form_.Griddiets, false);
    diets->gridModel()->SetEdit([this](int r, int c, const std::string& t) {
        binder_.Pull();
        RunCommand([this, r, c, t] {
            RecordDeskChange(s_, undo_, kUndoDietsEdit, false, [&] { DietsGridEdit(s_, r, c, t); });
        });
    });
    diets->gridModel()->SetToolTip([this](int r, int) { return DietRowToolTip(s_, r); });
    diets->onEditStart = [this](int r, int c) { DietsGridEditStart(s_, r, c); };
    // While no location is open, a line above the diets says where to begin.
    auto* dietsPage = new QWidget(tabs_);
    auto* dietsLayout = new QVBoxLayout(dietsPage);
    dietsLayout->setContentsMargins(0, 0, 0, 0);
    noLocationHint_ = new QLabel(
        "No location is open yet: open one with File \u2192 Open Location... (Ctrl+O), or try the demo with "
        "Help \u2192 Open the Demo Location. <a href=\"start\">Start here</a>",
        dietsPage);
    noLocationHint_->setObjectName("NoLocationHint");
    noLocationHint_->setTextFormat(Qt::RichText);
    noLocationHint_->setWordWrap(true);
    noLocationHint_->setContentsMargins(6, 4, 6, 4);
    connect(noLocationHint_, &QLabel::linkActivated, this, [this] {
        form_.MainTabs.Tab = 0;
        Refresh();
    });
    dietsLayout->addWidget(noLocationHint_);
    dietsLayout->addWidget(BuildGrowthModel(dietsPage));
    dietsLayout->addWidget(diets, 1);
    dietsLayout->addWidget(LegendLabel(DietsGridLegend(), dietsPage));
    tabs_->addTab(dietsPage, "Inputs and Diets");
    auto* formulasPage = new QWidget(tabs_);
    auto* formulasLayout = new QVBoxLayout(formulasPage);
    formulasLayout->setContentsMargins(0, 0, 0, 0);
    formulasLayout->addWidget(AddGrid(form_.GridFormula, false), 1);
    formulasLayout->addWidget(LegendLabel(FormulaGridLegend(), formulasPage));
    tabs_->addTab(formulasPage, "Formulas");
    GridView* files = addTab(form_.gridFILES, false, "Files");
    files->SetStretchLastColumn(true);
    connect(files, &QTableView::clicked, this,
            [this](const QModelIndex& i) { RunCommand([this, i] { FilesGridClick(s_, i.row()); }); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int t) { form_.MainTabs.Tab = t; });
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);
    runs_ = std::make_unique<RunMenus>(s_, dialogs_, [this](const std::function<void()>& p) { RunCommand(p); }, this);
    runs_->herd = [this]() -> std::optional<HerdReport> {
        return herd_ ? HerdReportOf(s_, herd_->form()) : std::nullopt;
    };
    runs_->precision = [this]() -> const precision::PrecisionResult* {
        if (!precision_ || !precision_->form().Result || precision_->form().Location != s_.LocationBase) return nullptr;
        return &*precision_->form().Result;
    };
    runs_->margin = [this]() -> const MarginSearchResult* {
        if (!optimisation_) return nullptr;
        const MarginPanel& m = optimisation_->form().Margin;
        if (ChosenObjective(m) == OptObjective::FeedCost || !m.Result.Done || m.Result.Location != s_.LocationBase)
            return nullptr;
        return &m.Result;
    };
    BuildMenus();

    // As large as the stored size, or most of a larger screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : QRect();
    int width = 0, height = 0;
    OpeningWindowSize(s_, free.width(), free.height(), width, height);
    resize(width, height);
    OpenOnStartPage(s_);
    Refresh();
}

void MainWindowView::BuildResultsTab() {
    resultsPages_ = new QStackedWidget(tabs_);
    resultsPages_->setObjectName("ResultsPages");
    startPage_ = new StartPageView(resultsPages_);
    startPage_->onOpenLocation = [this] {
        RunLocationCommand([this] {
            form_.Text6.Text.clear();
            LocationName(s_);
        });
    };
    startPage_->onOpenDemo = [this] { OpenDemo(); };
    startPage_->onGuide = [this] { OpenGuide(); };
    resultsPages_->addWidget(startPage_);
    GridView* results = AddGrid(form_.Grid1, false);
    results->gridModel()->SetToolTip([this](int r, int c) { return ResultsCellToolTip(s_, r, c); });
    // Ctrl+R puts the measured herd beside the predicted diets.
    results->onKey = [this](int key, Qt::KeyboardModifiers mods) {
        if (key != Qt::Key_R || !(mods & Qt::ControlModifier)) return false;
        RunCommand([this] {
            // The correlations with the residuals and the curve's diagnostics beside them.
            const FitDiagnostics d = FillTest(s_);
            if (d.finalWeight > 0) ShowFitDiagnostics(this, DiagnosticsText(d));
        });
        return true;
    };
    // The results grid with the run's nitrogen and phosphorus balance under it.
    auto* resultsPage = new QWidget(resultsPages_);
    resultsPage->setObjectName("ResultsPage");
    auto* resultsLayout = new QVBoxLayout(resultsPage);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    results->setParent(resultsPage);
    modelLine_ = new QLabel(resultsPage);
    modelLine_->setObjectName("ModelLine");
    modelLine_->setWordWrap(true);
    modelLine_->setContentsMargins(4, 2, 4, 2);
    resultsLayout->addWidget(modelLine_);
    resultsLayout->addWidget(results, 1);
    balanceLine_ = new QLabel(resultsPage);
    balanceLine_->setObjectName("BalanceLine");
    balanceLine_->setWordWrap(true);
    resultsLayout->addWidget(balanceLine_);
    resultsPages_->addWidget(resultsPage);
    tabs_->addTab(resultsPages_, "Results");
}

MainWindowView::~MainWindowView() {
    // Leaving the location box runs a command; while the window is taken apart
    // (its binder and views already gone) that must not happen any more.
    if (text6_) text6_->disconnect(this);
}

GridView* MainWindowView::AddGrid(Grid& grid, bool editable) {
    GridModel::EditFn edit;
    if (editable)
        edit = [this, &grid](int r, int c, const std::string& t) {
            RecordDeskChange(s_, undo_, &grid == &form_.GridWeight ? kUndoCurveEdit : kUndoDietsEdit, false,
                             [&] { GridCellEdited(s_, grid, r, c, t); });
            // The results say whether they are from before this change.
            binder_.Pull();
            MarkOutdatedResults(s_);
            binder_.Push();
        };
    auto* v = new GridView(s_, grid, edit, this);
    grids_.push_back(v);
    return v;
}

QPushButton* MainWindowView::AddButton(Button& button, const std::function<void()>& procedure) {
    auto* b = binder_.Bind(button, new QPushButton(QString::fromStdString(button.Caption), this));
    b->setObjectName(QString::fromStdString(button.Caption));
    b->setMinimumWidth(110);
    connect(b, &QPushButton::clicked, this, [this, procedure] { RunCommand(procedure); });
    return b;
}

void MainWindowView::BuildInputs(QWidget* parent) {
    // The boxes in three groups (the location and programme, the herd, the
    // last run's results), each group starting a line; on a narrow window a
    // group wraps onto more lines.
    auto* box = new QGroupBox("Herd and Programme", parent);
    box->setObjectName("HerdAndProgramme");
    inputsLayout_ = new ReflowLayout(box, 14, 4);
    ReflowLayout* grid = inputsLayout_;
    auto edit = [&](TextBox& t, const char* name, int width = 84) {
        auto* e = binder_.Bind(t, new QLineEdit(box));
        e->setObjectName(name);
        // An input changed: the results say whether they are from before it.
        connect(e, &QLineEdit::editingFinished, this, [this] { RunCommand([] {}); });
        e->setFixedWidth(width);
        return e;
    };
    auto combo = [&](ComboBox& c, const char* name) {
        auto* w = binder_.Bind(c, new QComboBox(box));
        w->setObjectName(name);
        w->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return w;
    };
    // One cell of the rows: a caption (text or widget) and its box, the box
    // at the cell's right edge so the boxes of a column line up.
    auto field = [&](QWidget* caption, QWidget* input) {
        auto* cell = new QWidget(box);
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        if (caption) row->addWidget(caption);
        row->addStretch(1);
        if (input) row->addWidget(input);
        grid->addWidget(cell);
        return cell;
    };
    auto label = [&](const char* text) { return new QLabel(text, box); };

    // The location and the programme.
    text6_ = edit(form_.Text6, "Text6", 130);
    text6_->installEventFilter(this);
    connect(text6_, &QLineEdit::returnPressed, this, [this] { RunLocationCommand([this] { LocationName(s_); }); });
    // Leaving the box after typing a name in it (a location opened by a
    // command, the demo or a recent one, keeps the feed formulation it
    // opened on when the box is only passed through).
    connect(text6_, &QLineEdit::editingFinished, this, [this] {
        if (!text6_->hasFocus() && text6_->isModified()) RunCommand([this] { Text6LostFocus(s_); });
    });
    field(label("Calibration Name"), text6_);
    field(label("Herd Sex"), combo(form_.ComboSex, "ComboSex"));
    field(label("Feed Formulation"), combo(form_.Combo1, "Combo1"));
    field(label("Number of Diets"), combo(form_.ComboDiets, "ComboDiets"));

    // The herd's start and target.
    grid->addBreak();
    QComboBox* units = combo(form_.ComboUnits, "ComboUnits");
    connect(units, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { RunCommand([this] { ComboUnitsClick(s_); }); });
    field(units, edit(form_.Text1, "Text1"));
    field(label("Starting Age, Days"), edit(form_.Text2, "Text2"));
    field(binder_.Bind(form_.LabelFinalWeight, new QLabel(box)), edit(form_.Text3, "Text3"));
    field(label("Number of Pigs"), edit(form_.TextPigNo, "TextPigNo"));

    // What the last run gave (the first two are also the calibration's measured values).
    grid->addBreak();
    QLineEdit* t4 = edit(form_.Text4, "Text4");
    t4->setToolTip("Total Feed Intake only needed for Calibration");
    // The measured herd beside the last Growth's prediction.
    auto measured = [&](TextBox& t, const char* name) {
        QLineEdit* e = edit(t, name, 70);
        e->setReadOnly(true);
        e->setToolTip("The herd's measured value, which the calibration fits to");
        return e;
    };
    field(label("Total Feed Intake"), t4);
    field(label("Measured"), measured(form_.TextMeasuredFeed, "TextMeasuredFeed"));
    field(label("Final Age, Days"), edit(form_.Text5, "Text5"));
    field(label("Measured"), measured(form_.TextMeasuredAge, "TextMeasuredAge"));
    QLineEdit* price = edit(form_.TextPrice, "TextPrice");
    price->setReadOnly(true);
    costLabel_ = label("Feed Cost per Pig");
    field(costLabel_, price);
    QLineEdit* f2g = edit(form_.TextF2G, "TextF2G");
    f2g->setReadOnly(true);
    field(label("Feed/Gain"), f2g);
    // Says when the results shown are from before the inputs changed.
    auto* outdated = binder_.Bind(form_.LabelResults, new QLabel(box));
    outdated->setObjectName("LabelResults");
    outdated->setWordWrap(true);
    field(outdated, new QWidget(box));

    GridView* curve = AddGrid(form_.GridWeight, true);
    curve->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    curve->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    curve->setFixedHeight(curve->verticalHeader()->defaultSectionSize() * 2 + 2 * curve->frameWidth() + 2);
    curve->SetWidthFromColumns(true);
    curve->gridModel()->SetToolTip([this](int r, int c) { return CurveCellToolTip(s_, r, c); });
    connect(curve, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (i.row() == 0) RunCommand([this] { GridWeightClickCommand(); });
    });
    auto* ratioProtein = binder_.Bind(form_.CheckRatioProtein, new QCheckBox(parent));
    auto* ratioLysine = binder_.Bind(form_.CheckRatioLysine, new QCheckBox(parent));
    connect(ratioProtein, &QCheckBox::clicked, this, [this] { RunCommand([this] { RatioOptionClick(s_, 0); }); });
    connect(ratioLysine, &QCheckBox::clicked, this, [this] { RunCommand([this] { RatioOptionClick(s_, 1); }); });

    // The command buttons wrap onto a second line on a narrow window.
    auto* buttonsBox = new QWidget(parent);
    buttonsBox->setObjectName("CommandButtons");
    auto* buttons = new ReflowLayout(buttonsBox, 6, 4);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(AddButton(form_.CommandGrowth, [this] { Growth(s_); }));
    buttons->addWidget(AddButton(form_.CommandRunLp, [this] { RunLp(s_); }));
    buttons->addWidget(AddButton(form_.CommandSaveDiets, [this] { SaveDiets(s_, true); }));
    buttons->addWidget(AddButton(form_.CommandEditRestrictions, [this] {
        if (!restrictions_) {
            restrictions_ = std::make_unique<RestrictionsView>(s_, dialogs_, this);
            fit_->Mark(restrictions_.get());
        }
        restrictions_->Open();
    }));
    buttons->addWidget(AddButton(form_.CommandSources, [this] { OpenSources(); }));
    buttons->addWidget(AddButton(form_.CommandSensitivity, [this] { OpenSensitivityOf(SelectedDiet(false)); }));
    buttons->addWidget(AddButton(form_.CommandMixing, [this] { OpenMixingOf(SelectedDiet(false)); }));
    buttons->addWidget(AddButton(form_.CommandCalibration, [this] {
        if (!calibration_) {
            calibration_ = std::make_unique<CalibrationView>(s_, dialogs_, this);
            calibration_->undo = &undo_;
            calibration_->onFinished = [this] { Refresh(); };
            calibration_->onRunning = [this] { Refresh(); };
            fit_->Mark(calibration_.get());
        }
        calibration_->Open();
    }));
    buttons->addWidget(AddButton(form_.CommandOptimise, [this] {
        if (!optimisation_) {
            optimisation_ = std::make_unique<OptimisationView>(s_, dialogs_, this);
            optimisation_->undo = &undo_;
            optimisation_->openMarket = [this] { OpenMarketWeight(); };
            optimisation_->onMainChanged = [this] { Refresh(); };
            fit_->Mark(optimisation_.get());
        }
        optimisation_->Open();
    }));
    // When to sell: the programme grown to a range of final weights.
    auto* market = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark("Market Weight")), buttonsBox);
    market->setObjectName("Market Weight");
    market->setMinimumWidth(110);
    market->setToolTip("The final weight that pays best per pig and per pig place and year");
    connect(market, &QPushButton::clicked, this, [this] { OpenMarketWeight(); });
    buttons->addWidget(market);
    // Selling a barn of pigs that differ, in cuts.
    auto* herd = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark("Herd and Marketing")), buttonsBox);
    herd->setObjectName("Herd and Marketing");
    herd->setMinimumWidth(110);
    herd->setToolTip("A barn of pigs that differ, sold in cuts on the packer's grid");
    connect(herd, &QPushButton::clicked, this, [this] { OpenHerd(); });
    buttons->addWidget(herd);
    // What the pig needed against what its diets supplied, and what it left.
    auto* requirements = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark("Requirements")), buttonsBox);
    requirements->setObjectName("Requirements");
    requirements->setMinimumWidth(110);
    requirements->setToolTip("The last run's daily requirements against the diets, and its nitrogen and phosphorus balance");
    connect(requirements, &QPushButton::clicked, this, [this] { OpenRequirements(); });
    buttons->addWidget(requirements);
    buttons->addWidget(AddButton(form_.CommandPlot, [this] {
        PlotOutcome out;
        {
            QtProgress progress(this, tr("Plot Diets"));
            PlotOptions options;
            options.progress = &progress;
            out = PlotDiets(s_, options);
        }
        if (!out.finished) return;
        if (!plot_) {
            plot_ = std::make_unique<DietPlotView>(s_, dialogs_, this);
            fit_->Mark(plot_.get());
        }
        plot_->Open();
    }));

    auto* top = new QVBoxLayout;
    top->setSpacing(4);
    top->addWidget(box);
    // The curve, the ratio options and the calibration option wrap onto a
    // second line on a narrow window, as the buttons do.
    auto* curveBox = new QWidget(parent);
    curveBox->setObjectName("GrowthCurveRow");
    auto* curveRow = new ReflowLayout(curveBox, 12, 4);
    curveRow->setContentsMargins(0, 0, 0, 0);
    auto* curveLabelled = new QWidget(curveBox);
    auto* labelled = new QHBoxLayout(curveLabelled);
    labelled->setContentsMargins(0, 0, 0, 0);
    labelled->addWidget(new QLabel("Growth Curve", curveLabelled));
    labelled->addWidget(curve);
    curveRow->addWidget(curveLabelled);
    auto* ratiosBox = new QWidget(curveBox);
    auto* ratios = new QVBoxLayout(ratiosBox);
    ratios->setContentsMargins(0, 0, 0, 0);
    ratios->setSpacing(0);
    ratios->addWidget(ratioProtein);
    ratios->addWidget(ratioLysine);
    curveRow->addWidget(ratiosBox);
    curveRow->addWidget(binder_.Bind(form_.OptionCalibLoaded, new QRadioButton(curveBox)));
    top->addWidget(curveBox);
    top->addWidget(buttonsBox);
    static_cast<QVBoxLayout*>(parent->layout())->addLayout(top);
}


QWidget* MainWindowView::BuildGrowthModel(QWidget* parent) {
    // One line of choices; under it the genotype's parameters with where
    // they come from and whether they are saved beside them.
    auto* box = new QGroupBox("Growth Model", parent);
    box->setObjectName("GrowthModel");
    modelBox_ = box;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(6, 2, 6, 4);
    rows->setSpacing(4);
    auto* choices = new QHBoxLayout;
    choices->setSpacing(6);
    auto* model = binder_.Bind(modelForm_.ComboModel, new QComboBox(box));
    model->setObjectName("ComboModel");
    model->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(model, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { RunCommand([this] { GrowthModelClick(s_, modelForm_); }); });
    choices->addWidget(new QLabel("Growth model", box));
    choices->addWidget(model);
    auto* genotypeLabel = new QLabel("Genotype", box);
    auto* genotype = binder_.Bind(modelForm_.ComboGenotype, new QComboBox(box));
    genotype->setObjectName("ComboGenotype");
    genotype->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(genotype, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { RunCommand([this] { GenotypePresetClick(s_, modelForm_); }); });
    choices->addSpacing(12);
    choices->addWidget(genotypeLabel);
    choices->addWidget(genotype);
    auto* wastageLabel = new QLabel("Feed wastage, %", box);
    auto* wastage = binder_.Bind(modelForm_.TextWastage, new QLineEdit(box));
    wastage->setObjectName("TextWastage");
    wastage->setFixedWidth(60);
    connect(wastage, &QLineEdit::editingFinished, this,
            [this] { RunCommand([this] { GenotypeWastageEdited(s_, modelForm_); }); });
    choices->addSpacing(12);
    choices->addWidget(wastageLabel);
    choices->addWidget(wastage);
    auto* note = binder_.Bind(modelForm_.LabelNote, new QLabel(box));
    note->setObjectName("LabelModelNote");
    // The note wraps rather than widen the window past its opening size.
    note->setWordWrap(true);
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    note->setMinimumWidth(160);
    choices->addSpacing(12);
    choices->addWidget(note, 1);
    rows->addLayout(choices);

    auto* parameters = new QHBoxLayout;
    parameters->setSpacing(10);
    auto* grid = new GridView(s_, modelForm_.GridGenotype, [this](int r, int c, const std::string& text) {
        binder_.Pull();
        RunCommand([this, r, c, text] { GenotypeCellEdited(s_, modelForm_, r, c, text); });
    }, box);
    grid->setObjectName("GridGenotype");
    grid->gridModel()->SetToolTip([](int r, int c) { return GenotypeCellToolTip(r, c); });
    grids_.push_back(grid);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedHeight(grid->verticalHeader()->defaultSectionSize() * 3 + 2 * grid->frameWidth() + 2);
    grid->SetWidthFromColumns(true);
    parameters->addWidget(grid, 0, Qt::AlignTop);
    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    auto* source = binder_.Bind(modelForm_.LabelSource, new QLabel(box));
    source->setObjectName("LabelGenotypeSource");
    source->setWordWrap(true);
    auto* changed = binder_.Bind(modelForm_.LabelChanged, new QLabel(box));
    changed->setObjectName("LabelGenotypeChanged");
    changed->setWordWrap(true);
    changed->setStyleSheet("color: #a04000;");
    for (QLabel* l : {source, changed}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        notes->addWidget(l);
    }
    notes->addStretch(1);
    parameters->addLayout(notes, 1);
    rows->addLayout(parameters);
    // The change mark shows for either model: a switch back to the documented curve is a change too.
    genotypeWidgets_ = {genotypeLabel, genotype, wastageLabel, wastage, grid, source};
    return box;
}

void MainWindowView::ShowGrowthModelWidgets() {
    for (QWidget* w : genotypeWidgets_) w->setVisible(modelForm_.GenotypeShown);
}

void MainWindowView::BuildMenus() {
    BuildFileMenu();
    BuildEditMenu();
    BuildRunMenu();
    BuildSettingsMenu();
    BuildViewMenu();
    BuildHelpMenu();
    MarkMenuBar(menuBar());
}

void MainWindowView::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    undoAction_ = edit->addAction("Undo", this, [this] { UndoOrRedo(false); });
    undoAction_->setObjectName("ActionUndo");
    undoAction_->setShortcut(QKeySequence::Undo);
    redoAction_ = edit->addAction("Redo", this, [this] { UndoOrRedo(true); });
    redoAction_->setObjectName("ActionRedo");
    redoAction_->setShortcut(QKeySequence::Redo);
    // Ctrl+Z works in the secondary windows too (a text box keeps its own).
    for (QAction* a : {undoAction_, redoAction_}) a->setShortcutContext(Qt::ApplicationShortcut);
    connect(edit, &QMenu::aboutToShow, this, [this] { Refresh(); });
}

void MainWindowView::BuildRunMenu() {
    QMenu* run = menuBar()->addMenu("&Run");
    run->setObjectName("RunMenu");
    const auto press = [this](const char* button) {
        if (auto* b = findChild<QPushButton*>(button); b && b->isEnabled() && b->isVisible()) b->click();
    };
    QAction* growth = run->addAction("Growth", this, [press] { press("Growth"); });
    growth->setObjectName("ActionGrowth");
    growth->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    QAction* lp = run->addAction("Run LP", this, [press] { press("Run LP"); });
    lp->setObjectName("ActionRunLp");
    lp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    run->addAction("Precision Feeding...", this, [this] { OpenPrecision(); })->setObjectName("ActionPrecision");
}

void MainWindowView::UndoOrRedo(bool redo) {
    RunCommand([this, redo] { redo ? undo_.Redo(s_) : undo_.Undo(s_); });
    if (herd_) herd_->Refresh();
}

void MainWindowView::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* open = file->addAction("Open Location...", this, [this] {
        RunLocationCommand([this] {
            form_.Text6.Text.clear();
            LocationName(s_);
        });
    });
    open->setObjectName("ActionOpenLocation");
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu_ = file->addMenu("Recent Locations");
    recentMenu_->setObjectName("RecentLocations");
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    FillRecentMenu();
    file->addAction("New Location from Library...", this, [this] { OpenNewLocation(); })
        ->setObjectName("ActionNewLocation");
    file->addAction("Open Temperature File", this, [this] { RunCommand([this] { OpenTemperatureFile(s_); }); });
    file->addAction("Open Matrix File", this, [this] { RunCommand([this] { OpenMatrixFile(s_); }); });
    file->addAction("Open Ingredient Restrictions", this,
                    [this] { RunCommand([this] { OpenIngredientRestrictions(s_); }); });
    file->addAction("Open Nutrient Restrictions", this, [this] { RunCommand([this] { OpenNutrientRestrictions(s_); }); });
    file->addSeparator();
    QMenu* saveFiles = file->addMenu("Save Files");
    saveFiles->addAction("Save the Diets", this, [this] { RunCommand([this] { SaveTheDiets(s_); }); });
    QAction* save = file->addAction("Save all Files to Current Location", this,
                                    [this] { RunCommand([this] { SaveAllToCurrentLocation(s_); }); });
    save->setObjectName("ActionSaveAll");
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction("Save All Files to New Location/Folder", this,
                    [this] { RunCommand([this] { SaveAllToNewLocation(s_); }); });
    file->addSeparator();
    runs_->AddFileActions(file);
    file->addSeparator();
    QAction* exit = file->addAction("Exit", this, [this] { close(); });
    exit->setObjectName("ActionExit");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainWindowView::FillRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string> there = recent_.Existing();
    for (std::size_t i = 0; i < there.size(); ++i) {
        const std::string base = there[i];
        QAction* a = recentMenu_->addAction(QString::fromStdString(RecentMenuCaption(static_cast<int>(i), base)), this,
                                            [this, base] { OpenRecent(base); });
        a->setObjectName(QString("ActionRecent%1").arg(i + 1));
        a->setToolTip(QString::fromStdString(base));
    }
    recentMenu_->setEnabled(!there.empty());
}

void MainWindowView::BuildSettingsMenu() {
    QMenu* settings = menuBar()->addMenu("&Settings");
    settings->addAction("Currency...", this, [this] { RunCommand([this] { SetCurrency(s_); }); })
        ->setObjectName("ActionCurrency");
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
        if (!temperatures_) {
            temperatures_ = std::make_unique<TemperatureView>(s_, dialogs_, this);
            fit_->Mark(temperatures_.get());
        }
        temperatures_->Open();
    });

    settings->addAction("Calibration Test...", this, [this] {
        if (!adjust_) {
            adjust_ = std::make_unique<AdjustCalibrationView>(s_, dialogs_, this);
            fit_->Mark(adjust_.get());
        }
        adjust_->Open();
    });
    settings->addAction("Edit Ingredient Matrix...", this, [this] {
        if (!matrix_) {
            matrix_ = std::make_unique<MatrixEditorView>(s_, dialogs_, this);
            matrix_->onChanged = [this] { SyncEditors(); };
            fit_->Mark(matrix_.get());
        }
        matrix_->Open();
    });
}

void MainWindowView::BuildViewMenu() {
    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("Daily Growth", this, [this] {
        if (!dailyForm_) dailyForm_ = std::make_unique<DailyGrowthWindow>();
        RunCommand([this] { LoadDailyGrowth(s_.LastRun, *dailyForm_); });
        if (!daily_) {
            daily_ = std::make_unique<GridDialog>(s_, dailyForm_->GridDaily, QString::fromStdString(dailyForm_->Caption), this);
            daily_->gridView()->gridModel()->SetToolTip([this](int, int c) { return DailyColumnToolTip(s_, c); });
            daily_->AddButton("Growth Charts", [this] { runs_->OpenCharts(); });
            fit_->Mark(daily_.get());
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
            fit_->Mark(display_.get());
            auto* row = new QHBoxLayout;
            for (const Button* b : {&form_.CommandSensitivity, &form_.CommandMixing}) {
                auto* w = new QPushButton(QString::fromStdString(display_->mnemonics.Mark(b->Caption)), display_.get());
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
}

void MainWindowView::BuildHelpMenu() {
    QMenu* help = menuBar()->addMenu("&Help");
    QAction* guide = help->addAction("User Guide", this, [this] { OpenGuide(); });
    guide->setObjectName("ActionUserGuide");
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction("Open the Demo Location", this, [this] { OpenDemo(); })->setObjectName("ActionOpenDemo");
    help->addSeparator();
    help->addAction("About", this, [this] {
        QMessageBox::about(this, "About",
                           QString::fromStdString(AboutText()) + QString("\n\nVersion %1").arg(kVersion));
    })->setObjectName("ActionAbout");
}

void MainWindowView::OpenGuide() {
    if (data_.guideFile.empty()) {
        dialogs_.Message("The user guide was not found beside the program.");
        return;
    }
    if (!guide_) {
        guide_ = std::make_unique<GuideView>(QString::fromStdString(data_.guideFile), this);
        fit_->Mark(guide_.get());
    }
    guide_->show();
    guide_->raise();
}

void MainWindowView::OpenDemo() {
    RunLocationCommand([this] {
        const std::string parent = documents_;
        OpenDemoLocation(s_, data_.demoFolder, parent);
    });
}

void MainWindowView::OpenNewLocation() {
    if (!newLocation_) {
        newLocation_ = std::make_unique<NewLocationView>(s_, dialogs_, this);
        fit_->Mark(newLocation_.get());
        newLocation_->runCommand = [this](const std::function<void()>& p) { RunLocationCommand(p); };
    }
    newLocation_->Open(data_.libraryFile, documents_);
}

void MainWindowView::OpenRecent(const std::string& base) {
    RunLocationCommand([this, base] {
        if (!ReopenLocation(s_, base)) {
            recent_.Forget(base);
            SaveRecentLocations(recent_);
        }
    });
}

void MainWindowView::RunLocationCommand(const std::function<void()>& procedure) {
    const bool startPage = ShowsStartPage(s_);
    RunCommand(procedure);
    const std::vector<std::string> before = recent_.Paths();
    if (NoteLocationOpened(recent_, s_) && recent_.Paths() != before) SaveRecentLocations(recent_);
    // The menu offers the location at once (a menu still disabled from an
    // empty list would never show to fill itself).
    FillRecentMenu();
    LeaveStartPage(s_, startPage);
    Refresh();
}

void MainWindowView::GridWeightClickCommand() { GridWeightClick(s_); }

void MainWindowView::OpenSources() {
    if (!sources_) {
        sources_ = std::make_unique<NutrientSourcesView>(s_, this);
        fit_->Mark(sources_.get());
    }
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

void MainWindowView::OpenRequirements() {
    if (!requirements_) {
        requirements_ = std::make_unique<RequirementsView>(s_, dialogs_, this);
        requirements_->openPrecision = [this] { OpenPrecision(); };
        fit_->Mark(requirements_.get());
    }
    requirements_->Open();
}

void MainWindowView::OpenPrecision() {
    if (!precision_) {
        precision_ = std::make_unique<PrecisionView>(s_, dialogs_, this);
        fit_->Mark(precision_.get());
    }
    precision_->Open();
}

void MainWindowView::OpenMarketWeight() {
    if (!market_) {
        market_ = std::make_unique<MarketWeightView>(s_, dialogs_, this);
        market_->onFinalWeightTaken = [this] { Refresh(); };
        market_->openHerd = [this] { OpenHerd(); };
        fit_->Mark(market_.get());
    }
    market_->Open();
}

void MainWindowView::OpenHerd() {
    if (!herd_) {
        herd_ = std::make_unique<HerdView>(s_, dialogs_, this);
        herd_->undo = &undo_;
        fit_->Mark(herd_.get());
    }
    herd_->Open();
}

void MainWindowView::OpenSensitivityOf(int d) {
    if (!sensitivity_) {
        sensitivity_ = std::make_unique<SensitivityView>(s_, this);
        fit_->Mark(sensitivity_.get());
    }
    sensitivity_->Open(d);
}

void MainWindowView::OpenMixingOf(int d) {
    if (!mixing_) {
        mixing_ = std::make_unique<MixingSheetView>(s_, dialogs_, this);
        fit_->Mark(mixing_.get());
    }
    mixing_->Open(d);
}

void MainWindowView::RunCommand(const std::function<void()>& procedure) {
    binder_.Pull();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        procedure();
        MarkOutdatedResults(s_);
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
    if (modelBox_) ShowGrowthModel(s_, modelForm_);
    binder_.Push();
    if (modelBox_) ShowGrowthModelWidgets();
    if (costLabel_)
        costLabel_->setText(QString::fromStdString(s_.Currency.empty() ? "Feed Cost per Pig"
                                                                          : "Feed Cost per Pig, " + Windows1252ToUtf8(s_.Currency)));
    for (GridView* g : grids_) g->Refresh();
    if (resultsPages_) {
        const bool start = ShowsStartPage(s_);
        if (start) startPage_->Show(form_);
        resultsPages_->setCurrentIndex(start ? 0 : 1);
        noLocationHint_->setVisible(start);
        // Which model grew the results shown, and where their carcass comes from.
        std::string model = s_.LastRun.Empty() ? std::string() : ModelLineOf(s_.LastRun);
        if (const std::string basis = CarcassBasisOf(s_.LastRun); !basis.empty()) model += ". " + basis;
        modelLine_->setText(QString::fromStdString(Windows1252ToUtf8(model)));
        modelLine_->setVisible(!model.empty());
        const std::string balance = BalanceLineOf(s_.LastRun);
        balanceLine_->setText(QString::fromLatin1(balance.c_str()));
        balanceLine_->setVisible(!balance.empty());
        balanceLine_->setStyleSheet(BalanceAboveRange(s_.LastRun) ? ColorStyle(kAboveRangeShade) : QString());
    }
    if (tabs_ && tabs_->currentIndex() != form_.MainTabs.Tab) tabs_->setCurrentIndex(form_.MainTabs.Tab);
    if (undoAction_) {
        // Always enabled, so that Ctrl+Z reaches a step recorded in another
        // window since; with nothing to take back it does nothing.
        undoAction_->setText("&" + QString::fromStdString(undo_.UndoCaption(s_)));
        redoAction_->setText("&" + QString::fromStdString(undo_.RedoCaption(s_)));
    }
}

GridView* MainWindowView::gridView(const QString& name) const {
    for (GridView* g : grids_)
        if (g->objectName() == name) return g;
    return nullptr;
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text6_ && event->type() == QEvent::MouseButtonDblClick) {
        RunLocationCommand([this] { LocationName(s_); });
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

// A newcomer's first hour at the desktop window: the start page, the demo from
// the Help menu, recent locations, shortcuts, tool tips, grids that show their
// text whole, and a window that fits a small screen.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <memory>
#include <set>

#include "app/GuideView.h"
#include "app/RequiredChild.h"
#include "app/MainWindowView.h"
#include "app/StartPageView.h"
#include "location/ScratchFolder.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"
#include "growth/GrowthRun.h"
#include "ui/StartPage.h"

using namespace tarvisol;
namespace fs = std::filesystem;
namespace tt = tarvisol::testing;

namespace {

class FirstStepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(documents());
        view = MakeView();
    }
    void TearDown() override { view.reset(); }
    std::unique_ptr<app::MainWindowView> MakeView() {
        auto v = std::make_unique<app::MainWindowView>(*s, *form, dialogs, program.Str());
        v->SetDocumentsFolder(documents().string());
        v->show();
        return v;
    }
    fs::path documents() const { return fs::path(home.Str()) / "Documents"; }
    QAction* Action(const char* name) {
        return tarvisol::testing::RequiredChild<QAction>(view.get(), name);
    }
    template <class W>
    W* Find(const char* name) {
        return tarvisol::testing::RequiredChild<W>(view.get(), name);
    }
    void Grow() {
        Find<QComboBox>("ComboSex")->setCurrentIndex(0);
        Find<QComboBox>("Combo1")->setCurrentIndex(1);  // "Least Cost Formulas"
        QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);
    }
    void NoMessages() {
        for (const auto& m : dialogs.Messages()) ADD_FAILURE() << "unexpected message: " << m;
    }

    tt::ScratchFolder program, home;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    std::unique_ptr<app::MainWindowView> view;
};

TEST_F(FirstStepsTest, TheResultsTabStartsHereUntilALocationOpens) {
    QStackedWidget* pages = view->resultsPages();
    auto* start = Find<app::StartPageView>("StartPage");
    EXPECT_EQ(pages->currentWidget(), start);
    EXPECT_FALSE(Find<QLabel>("NoLocationHint")->isHidden());  // on the Inputs and Diets tab
    const QString text = Find<QLabel>("StartPageText")->text();
    EXPECT_TRUE(text.contains(kStartPageTitle));
    for (const Button* b : MainCommandButtons(*form)) EXPECT_TRUE(text.contains(QString::fromStdString(b->Caption)));

    QTest::mouseClick(Find<QPushButton>("StartOpenDemo"), Qt::LeftButton);
    NoMessages();
    EXPECT_EQ(Find<QLineEdit>("Text6")->text().toStdString(), "Demo");
    EXPECT_EQ(fs::path(s->LocationBase), documents() / "Tarvisol Demo" / "Demo");
    EXPECT_TRUE(pages->currentWidget()->isAncestorOf(view->gridView("Grid1")));
    EXPECT_TRUE(Find<QLabel>("NoLocationHint")->isHidden());
}

// A fresh start is on the start page itself, not on the empty diets; the demo
// opened from it is in Recent Locations at once (the menu was empty and so
// disabled before) and the window goes on to its diets.
TEST_F(FirstStepsTest, AFreshStartShowsTheStartPageAndAnOpenedDemoIsRecentAtOnce) {
    EXPECT_EQ(view->tabs()->currentIndex(), 0);
    EXPECT_EQ(view->resultsPages()->currentWidget(), Find<app::StartPageView>("StartPage"));
    EXPECT_FALSE(view->recentMenu()->isEnabled());
    QTest::mouseClick(Find<QPushButton>("StartOpenDemo"), Qt::LeftButton);
    NoMessages();
    EXPECT_TRUE(view->recentMenu()->isEnabled());
    ASSERT_EQ(view->recentMenu()->actions().size(), 1);
    EXPECT_EQ(view->recentMenu()->actions()[0]->toolTip().toStdString(), (documents() / "Tarvisol Demo" / "Demo").string());
    EXPECT_EQ(view->tabs()->currentIndex(), 1);
}

// The newcomer's first Growth on the demo is on least-cost diets: every
// nutrient the requirements and the N and P balance read is there, so the
// balance is computed and nothing says it is not. Leaving the location box
// for the Growth button keeps that choice.
TEST_F(FirstStepsTest, TheDemosFirstGrowthIsOnLeastCostDietsAndComputesTheWholeBalance) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    Find<QLineEdit>("Text6")->setFocus();
    Action("ActionOpenDemo")->trigger();
    NoMessages();
    EXPECT_EQ(Find<QComboBox>("Combo1")->currentIndex(), kFormulationLeastCost);
    Find<QLineEdit>("Text6")->setFocus();
    QTest::mouseClick(Find<QPushButton>("Growth"), Qt::LeftButton);
    NoMessages();
    ASSERT_TRUE(s->GrowthResultsValid);
    EXPECT_EQ(s->LastRun.Formulation, kFormulationLeastCost);
    EXPECT_TRUE(s->LastRun.Nutrition.Balance.NitrogenComputed);
    EXPECT_TRUE(s->LastRun.Nutrition.Balance.PhosphorusComputed);
    EXPECT_EQ(Find<QLabel>("BalanceLine")->text().indexOf("not computed"), -1) << Find<QLabel>("BalanceLine")->text().toStdString();
}

TEST_F(FirstStepsTest, HelpOpenTheDemoLocationThenGrowth) {
    Action("ActionOpenDemo")->trigger();
    Grow();
    NoMessages();
    ASSERT_FALSE(s->RunFailed);
    EXPECT_EQ(view->tabs()->currentIndex(), 0);
    auto* results = view->gridView("Grid1");
    EXPECT_EQ(results->model()->data(results->model()->index(0, 0)).toString().toStdString(), "Diet Name");
    EXPECT_FALSE(results->model()->data(results->model()->index(1, 1)).toString().isEmpty());
    EXPECT_FALSE(Find<QLineEdit>("TextPrice")->text().isEmpty());
    // The copy is the user's: the bundled demo stays as it was.
    EXPECT_EQ(tt::Slurp((documents() / "Tarvisol Demo" / "Demo.dts").string()),
              tt::Slurp((fs::path(TARVISOL_SOURCE_DIR) / "examples/demo/Demo.dts").string()));
}

TEST_F(FirstStepsTest, RecentLocationsAfterOpeningTwoAndInTheNextSession) {
    tt::ScratchFolder herd;
    tt::CopyDemoLocation(herd.Str());
    s->LocationFolder = herd.Str();
    QLineEdit* text6 = Find<QLineEdit>("Text6");
    text6->setFocus();
    text6->setText("Demo");
    dialogs.Answer(Answer::Yes);  // reopen this location
    QTest::keyClick(text6, Qt::Key_Return);
    Action("ActionOpenDemo")->trigger();
    NoMessages();

    auto recentEntries = [](app::MainWindowView& v) {
        emit v.recentMenu()->aboutToShow();
        std::vector<std::string> shown;
        for (QAction* a : v.recentMenu()->actions()) shown.push_back(a->toolTip().toStdString());
        return shown;
    };
    const std::string copy = (documents() / "Tarvisol Demo" / "Demo").string();
    const std::vector<std::string> expected{copy, herd.File("Demo")};
    EXPECT_EQ(recentEntries(*view), expected);

    // The older one reopens from the menu, and becomes the newest.
    Action("ActionRecent2")->trigger();
    NoMessages();
    EXPECT_EQ(fs::path(s->LocationBase), fs::path(herd.File("Demo")));
    EXPECT_EQ(recentEntries(*view), (std::vector<std::string>{herd.File("Demo"), copy}));

    // The next session offers the same list, less a location that is gone.
    fs::remove_all(documents() / "Tarvisol Demo");
    view.reset();
    s = std::make_unique<SharedState>();
    form = std::make_unique<MainWindow>();
    view = MakeView();
    EXPECT_EQ(recentEntries(*view), std::vector<std::string>{herd.File("Demo")});
}

TEST_F(FirstStepsTest, ARecentLocationThatIsGoneIsToldAndDropped) {
    Action("ActionOpenDemo")->trigger();
    const std::string copy = s->LocationBase;
    emit view->recentMenu()->aboutToShow();
    QAction* entry = Action("ActionRecent1");
    ASSERT_NE(entry, nullptr);
    fs::remove_all(fs::path(copy).parent_path());
    entry->trigger();
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"The location " + copy + " is no longer there (no " + copy + ".pig)."});
    emit view->recentMenu()->aboutToShow();
    EXPECT_TRUE(view->recentMenu()->actions().isEmpty());
}

TEST_F(FirstStepsTest, TheWindowFitsASmallScreenWithEveryControlInView) {
    Action("ActionOpenDemo")->trigger();
    Grow();
    // 1280x720 less the title bar and a panel, and the size the window opens at.
    for (const QSize size : {QSize(1280, 680), QSize(form->Width / 15, form->Height / 15)}) {
        view->resize(size);
        QApplication::processEvents();
        ASSERT_LE(view->width(), size.width());
        ASSERT_LE(view->height(), size.height());
        const QRect window = view->rect();
        std::vector<QRect> inputs;
        for (QWidget* w : Find<QGroupBox>("HerdAndProgramme")->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w)) continue;
            const QRect r(w->mapTo(view.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(w->isVisible() && window.contains(r)) << w->objectName().toStdString() << " at " << size.width();
            for (const QRect& other : inputs) EXPECT_FALSE(r.intersects(other)) << w->objectName().toStdString();
            inputs.push_back(r);
        }
        for (QPushButton* b : Find<QWidget>("CommandButtons")->findChildren<QPushButton*>()) {
            if (!b->isVisibleTo(view.get())) continue;  // a button the form hides
            const QRect r(b->mapTo(view.get(), QPoint(0, 0)), b->size());
            EXPECT_TRUE(window.contains(r)) << b->text().toStdString() << " at " << size.width();
        }
        EXPECT_GE(view->tabs()->height(), 250) << "room left for the grids at " << size.width();
    }
}

TEST_F(FirstStepsTest, GridsShowTheirTextWholeAndTheRestInATip) {
    Action("ActionOpenDemo")->trigger();
    Grow();
    // Every diet name and every curve coefficient shows whole.
    for (const char* name : {"Grid1", "GridWeight", "Griddiets"}) {
        app::GridView* g = view->gridView(name);
        const Grid& grid = g->gridModel()->grid();
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c) {
                const QModelIndex i = g->model()->index(r, c);
                const QString text = g->model()->data(i).toString();
                if (text.isEmpty()) continue;
                const QString tip = g->ToolTipAt(i);
                EXPECT_FALSE(tip == text || tip.startsWith(text + "\n")) << name << " (" << r << ", " << c << ") cut off: "
                                                                  << text.toStdString();
            }
    }
    app::GridView* files = view->gridView("gridFILES");
    view->tabs()->setCurrentIndex(3);
    QApplication::processEvents();
    EXPECT_GE(files->columnWidth(0), files->viewport()->width() - 2);

    // A name too long for the widest column shows whole in the tip, over the row's unit.
    app::GridView* diets = view->gridView("Griddiets");
    const std::string longName(120, 'W');
    form->Griddiets.SetTextMatrix(1, 1, longName);
    diets->Refresh();
    const QString tip = diets->ToolTipAt(diets->model()->index(1, 1));
    EXPECT_TRUE(tip.startsWith(QString::fromStdString(longName) + "\n")) << tip.toStdString();
    EXPECT_TRUE(diets->ToolTipAt(diets->model()->index(2, 1)).contains("per tonne of feed"));
    EXPECT_TRUE(Find<QLineEdit>("Text3")->toolTip().contains(", kg"));
}

TEST_F(FirstStepsTest, F1OpensTheGuideWithItsPictures) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QTest::keyClick(view.get(), Qt::Key_F1);
    app::GuideView* guide = view->guideView();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    QTextDocument* doc = guide->browser()->document();
    EXPECT_TRUE(doc->toPlainText().startsWith("Tarvisol for Swine: User Guide"));
    const QVariant picture = doc->resource(QTextDocument::ImageResource, QUrl("screenshots/start.png"));
    EXPECT_FALSE(picture.value<QImage>().isNull()) << "the guide's start page picture did not load";

    // Every link of the contents takes the reader to its heading.
    QTextBrowser* browser = guide->browser();
    const std::string markdown = tt::Slurp((fs::path(TARVISOL_SOURCE_DIR) / "docs/guide.md").string());
    int links = 0;
    for (std::size_t at = markdown.find("](#"); at != std::string::npos; at = markdown.find("](#", at + 1)) {
        const std::string target = markdown.substr(at + 3, markdown.find(')', at) - at - 3);
        browser->verticalScrollBar()->setValue(0);
        browser->scrollToAnchor(QString::fromStdString(target));
        QApplication::processEvents();
        EXPECT_GT(browser->verticalScrollBar()->value(), 0) << "the contents' link to #" << target << " goes nowhere";
        ++links;
    }
    EXPECT_GE(links, 10);
}

// The keyboard reaches every command: a mnemonic on each menu entry (one
// letter per menu) and each of the main window's buttons (one letter per
// window, clear of the menu bar's), Ctrl+G and Ctrl+L for Growth and Run LP,
// and in the guide Ctrl+F to search and Back after a link.
TEST_F(FirstStepsTest, MnemonicsShortcutsAndTheGuidesSearchAndBack) {
    std::set<QChar> bar;
    for (QAction* top : view->menuBar()->actions()) {
        const QString t = top->text();
        ASSERT_TRUE(t.contains('&')) << t.toStdString();
        EXPECT_TRUE(bar.insert(t.at(t.indexOf('&') + 1).toUpper()).second) << t.toStdString();
        std::vector<QMenu*> menus{top->menu()};
        while (!menus.empty()) {
            QMenu* m = menus.back();
            menus.pop_back();
            std::set<QChar> letters;
            for (QAction* a : m->actions()) {
                if (a->isSeparator()) continue;
                const QString text = a->text();
                const int at = text.indexOf('&');
                ASSERT_GE(at, 0) << m->title().toStdString() << ": " << text.toStdString();
                EXPECT_TRUE(letters.insert(text.at(at + 1).toUpper()).second) << m->title().toStdString() << ": " << text.toStdString();
                if (a->menu()) menus.push_back(a->menu());
            }
        }
    }
    Action("ActionOpenDemo")->trigger();
    std::set<QChar> buttons;
    for (QPushButton* b : view->findChildren<QPushButton*>()) {
        if (!b->isVisibleTo(view.get())) continue;
        const QString text = b->text();
        const int at = text.indexOf('&');
        ASSERT_GE(at, 0) << text.toStdString();
        const QChar c = text.at(at + 1).toUpper();
        EXPECT_FALSE(bar.count(c)) << text.toStdString() << " takes a letter of the menu bar";
        EXPECT_TRUE(buttons.insert(c).second) << text.toStdString();
    }
    // The restrictions editor's menus and a grid's pop-up menu too.
    const auto everyEntryMarked = [](const QList<QAction*>& actions, const std::string& where) {
        std::set<QChar> letters;
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const int at = a->text().indexOf('&');
            ASSERT_GE(at, 0) << where << ": " << a->text().toStdString();
            EXPECT_TRUE(letters.insert(a->text().at(at + 1).toUpper()).second) << where << ": " << a->text().toStdString();
        }
    };
    QTest::mouseClick(Find<QPushButton>("Edit Diet Restrictions"), Qt::LeftButton);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->metaObject()->className() == QByteArray("tarvisol::app::RestrictionsView")) {
            auto* bar = w->findChild<QMenuBar*>();
            ASSERT_NE(bar, nullptr);
            everyEntryMarked(bar->actions(), "restrictions editor");
            for (QAction* a : bar->actions())
                if (a->menu()) everyEntryMarked(a->menu()->actions(), a->text().toStdString());
            w->close();
        }
    std::unique_ptr<QMenu> popup(view->gridView("Griddiets")->MakePopup(view.get()));
    everyEntryMarked(popup->actions(), "a grid's pop-up menu");
    EXPECT_EQ(Action("ActionGrowth")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    EXPECT_EQ(Action("ActionRunLp")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    Find<QComboBox>("ComboSex")->setCurrentIndex(0);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    Action("ActionGrowth")->trigger();
    NoMessages();
    EXPECT_TRUE(s->GrowthResultsValid);

    view->OpenGuide();
    app::GuideView* guide = view->guideView();
    ASSERT_NE(guide, nullptr);
    guide->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(guide));
    QTest::keyClick(guide, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(guide->findBox()->hasFocus());
    QTest::keyClicks(guide->findBox(), "phosphorus balance");
    QTest::keyClick(guide->findBox(), Qt::Key_Return);
    EXPECT_EQ(guide->browser()->textCursor().selectedText().toLower(), "phosphorus balance");
    EXPECT_FALSE(guide->backButton()->isEnabled());
    guide->browser()->setSource(QUrl("#calibration"));
    EXPECT_TRUE(guide->backButton()->isEnabled());
    QTest::mouseClick(guide->backButton(), Qt::LeftButton);
    EXPECT_FALSE(guide->backButton()->isEnabled());
}

TEST_F(FirstStepsTest, CtrlSSavesAllFilesToTheCurrentLocation) {
    Action("ActionOpenDemo")->trigger();
    const std::string pig = s->LocationBase + ".pig";
    QLineEdit* start = Find<QLineEdit>("Text1");
    start->setText("27.5");
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QTest::keyClick(view.get(), Qt::Key_S, Qt::ControlModifier);
    for (const auto& e : dialogs.Log())  // the current location: no file name is asked for
        EXPECT_EQ(e.kind, "message") << e.text;
    EXPECT_NE(tt::Slurp(pig).find("27.5"), std::string::npos) << tt::Slurp(pig);
}

TEST_F(FirstStepsTest, ClosingWithTheLocationBoxInFocusEndsCleanly) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QLineEdit* text6 = Find<QLineEdit>("Text6");
    text6->setFocus();
    QTest::keyClicks(text6, "North");
    ASSERT_TRUE(text6->hasFocus());
    view.reset();  // leaving the box as the window goes used to run a command on a half-gone window
    EXPECT_TRUE(s->LocationBase.empty());  // a name typed but never entered opens nothing
}

TEST_F(FirstStepsTest, ASecondaryWindowOpensOnTheScreenShowingItsTables) {
    Action("ActionOpenDemo")->trigger();
    QTest::mouseClick(Find<QPushButton>("Edit Diet Restrictions"), Qt::LeftButton);
    QWidget* editor = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != view.get() && w->metaObject()->className() == QByteArray("tarvisol::app::RestrictionsView"))
            editor = w;
    ASSERT_NE(editor, nullptr);
    const QRect free = editor->screen()->availableGeometry();
    EXPECT_LE(editor->width(), free.width());
    EXPECT_LE(editor->height(), free.height());
    EXPECT_TRUE(free.contains(editor->geometry().topLeft()));
    editor->close();
}

}  // namespace

// Every window the main window opens fits a 1280x720 screen: the window as it
// opens and the least its layout can take, less the title bar, frame and a
// panel, so that no window opens with its buttons off the screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <string>

#include "app/DemoInMainWindow.h"
#include "app/MainWindowView.h"

namespace tarvisol {
namespace {

class WindowsFitTest : public testing::DemoInMainWindow {};

TEST_F(WindowsFitTest, EveryWindowFitsA1280By720Screen) {
    OpenDemo("fit");
    view->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);  // least-cost formulas
    view->findChild<QPushButton*>("Growth")->click();
    ASSERT_TRUE(s->LastRun.ResultsValid);

    for (const char* button : {"Edit Diet Restrictions", "Calibration", "Run Optimization", "Nutrient Sources",
                               "Sensitivity", "Mixing Sheet"})
        if (auto* b = view->findChild<QPushButton*>(button)) b->click();
    for (QAction* a : view->findChildren<QAction*>()) {
        const QString text = a->text().remove(QChar('&'));
        for (const char* open : {"Daily Growth", "Formulated Diets", "Finishing Report", "Growth Charts",
                                 "Compare Runs", "Calibration Test...", "Edit Ingredient Matrix...", "Set Temperature",
                                 "User Guide"})
            if (text == open) a->trigger();
    }
    view->OpenMarketWeight();
    QApplication::processEvents();

    // The least each window can take fits 1280x720; as it opens, each is
    // fitted to the free area of the screen it is on (the test's screen).
    const QSize small(1280 - 16, 720 - 40);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w == view.get()) continue;
        ++windows;
        const std::string name = w->windowTitle().toStdString();
        const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
        EXPECT_LE(least.width(), small.width()) << name;
        EXPECT_LE(least.height(), small.height()) << name;
        const QSize free = w->screen()->availableGeometry().adjusted(0, 0, -16, -40).size().expandedTo(least);
        EXPECT_LE(w->width(), free.width()) << name;
        EXPECT_LE(w->height(), free.height()) << name;
    }
    EXPECT_GE(windows, 13);
}

}  // namespace
}  // namespace tarvisol

#pragma once
// The main window on a scratch copy of the demo location, opened as the user
// opens it: the name typed into Calibration Name and Enter pressed.
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/MainWindowView.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "support/DemoLocation.h"

namespace tarvisol::testing {

class DemoInMainWindow : public ::testing::Test {
protected:
    // tag names the scratch folder, so that test programs running at once keep apart.
    void OpenDemo(const std::string& tag) {
        scratch = std::filesystem::temp_directory_path() / ("tarvisol_gui_" + tag + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(scratch);
        std::filesystem::create_directories(scratch);
        CopyDemoLocation(scratch);
        view = std::make_unique<app::MainWindowView>(*s, *form, dialogs, scratch.string());
        view->show();
        auto* text6 = view->findChild<QLineEdit*>("Text6");
        text6->setFocus();
        text6->clear();
        QTest::keyClicks(text6, "Demo");
        dialogs.Answer(Answer::Yes);
        QTest::keyClick(text6, Qt::Key_Return);
    }
    void TearDown() override {
        view.reset();
        std::filesystem::remove_all(scratch);
    }
    std::filesystem::path scratch;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    std::unique_ptr<app::MainWindowView> view;
};

}  // namespace tarvisol::testing

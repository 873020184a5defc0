// tarvisol: the desktop program.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/MainWindowView.h"
#include "app/QtDialogs.h"
#include "shared/Version.h"

int main(int argc, char** argv) {
    // Answered before any window system is needed, so it works over ssh too.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tarvisol %s\n", tarvisol::kVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: tarvisol [--version] [--help]\n"
                        "Opens the Tarvisol for Swine main window. tarvisol-cli runs the same work without a window.\n");
            return 0;
        }
    }
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvisol for Swine");
    QApplication::setOrganizationName("Tarvisol");
    QApplication::setApplicationVersion(tarvisol::kVersion);
    QApplication::setDesktopFileName("tarvisol");
    auto state = std::make_unique<tarvisol::SharedState>();
    auto form = std::make_unique<tarvisol::MainWindow>();
    tarvisol::app::QtDialogs dialogs(nullptr);
    tarvisol::app::QtClipboard clipboard;
    state->Clip = &clipboard;
    tarvisol::app::MainWindowView window(*state, *form, dialogs, QCoreApplication::applicationDirPath().toStdString());
    // Notes that a run was kept or a file written go to the status bar.
    dialogs.SetStatusBar(window.statusBar());
    window.show();
    if (qEnvironmentVariableIsSet("TARVISOL_STARTUP_TIMING"))
        QTimer::singleShot(0, [&] { std::fprintf(stderr, "start-up to painted window: %lld ms\n", clock.elapsed()); });
    return app.exec();
}

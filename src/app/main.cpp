// tarvisol: the desktop program.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/MainWindowView.h"
#include "app/QtDialogs.h"

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvisol for Swine");
    auto state = std::make_unique<tarvisol::SharedState>();
    auto form = std::make_unique<tarvisol::MainWindow>();
    tarvisol::app::QtDialogs dialogs(nullptr);
    tarvisol::app::QtClipboard clipboard;
    state->Clip = &clipboard;
    tarvisol::app::MainWindowView window(*state, *form, dialogs, QCoreApplication::applicationDirPath().toStdString());
    window.show();
    if (qEnvironmentVariableIsSet("TARVISOL_STARTUP_TIMING"))
        QTimer::singleShot(0, [&] { std::fprintf(stderr, "start-up to painted window: %lld ms\n", clock.elapsed()); });
    return app.exec();
}

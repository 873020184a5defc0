#pragma once
// The results tab's "Start here" page while no location is open: the steps,
// one line per main button, and buttons that open a location or the demo.
#include <QWidget>
#include <functional>

#include "shared/MainWindowForm.h"

class QLabel;

namespace tarvisol::app {

class StartPageView : public QWidget {
    Q_OBJECT
public:
    explicit StartPageView(QWidget* parent = nullptr);
    // Shows the page for the window as it is now (its captions).
    void Show(const MainWindow& form);

    std::function<void()> onOpenLocation;
    std::function<void()> onOpenDemo;
    std::function<void()> onGuide;

private:
    QLabel* text_;
};

}  // namespace tarvisol::app

#pragma once
// Secondary windows open at a size that shows their content and fits the
// screen: on its first showing a marked window grows to its content's size
// (its tables' whole width and height where there is room), shrinks to the
// screen's free area and moves onto it.
#include <QObject>
#include <QSet>

class QWidget;

namespace tarvisol::app {

class WindowFit : public QObject {
    Q_OBJECT
public:
    explicit WindowFit(QObject* parent = nullptr);
    // The window is fitted the first time it shows (and now, when it shows already).
    void Mark(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSet<QObject*> marked_;
};

// Fits one window now: at least its size hint (its content), at most the
// free area of its screen, placed within that area.
void FitOnScreen(QWidget* window);

}  // namespace tarvisol::app

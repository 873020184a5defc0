#include "app/WindowFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarvisol::app {

WindowFit::WindowFit(QObject* parent) : QObject(parent) {}

void WindowFit::Mark(QWidget* window) {
    if (!window || marked_.contains(window)) return;
    marked_.insert(window);
    connect(window, &QObject::destroyed, this, [this](QObject* o) { marked_.remove(o); });
    if (window->isVisible())
        FitOnScreen(window);
    else
        window->installEventFilter(this);
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && marked_.contains(watched)) {
        watched->removeEventFilter(this);
        FitOnScreen(static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void FitOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // Room for the title bar and frame the window system adds.
    const QRect free = screen->availableGeometry().adjusted(0, 0, -16, -40);
    QSize size = window->size().expandedTo(window->sizeHint()).expandedTo(window->minimumSizeHint());
    size = size.boundedTo(free.size());
    window->resize(size);
    QPoint at = window->pos();
    at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() - size.width())));
    at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() - size.height())));
    window->move(at);
}

}  // namespace tarvisol::app

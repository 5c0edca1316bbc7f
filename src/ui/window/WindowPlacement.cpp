#include "ui/window/WindowPlacement.h"

#include "ui/window/WindowFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dravinor::ui {

WindowPlacement::WindowPlacement(QWidget& window, QSize minimum) : QObject(&window), window_(window), minimum_(minimum)
{
    window_.installEventFilter(this);
}

QRect WindowPlacement::screenArea() const
{
    const QScreen* where = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    return where ? where->availableGeometry() : QRect();
}

QMargins WindowPlacement::frame() const
{
    const QRect outer = window_.frameGeometry();
    const QRect inner = window_.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void WindowPlacement::place(const QRect& outer)
{
    wanted_ = outer;
    placedWith_ = frame();
    const QRect fitted = fitOnScreen(outer, screenArea(), minimum_);
    const QSize frameSize(placedWith_.left() + placedWith_.right(), placedWith_.top() + placedWith_.bottom());
    window_.resize(fitted.size() - frameSize);
    window_.move(fitted.topLeft());
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager tells the frame's size with a move or a resize;
    // once framed, the window is the fitter's to move or maximise.
    const auto type = event->type();
    if (watched == &window_ && wanted_ && placedWith_.isNull() &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) && !frame().isNull())
        place(*wanted_);
    return QObject::eventFilter(watched, event);
}

}  // namespace dravinor::ui

#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace dravinor::ui {

// Puts a top-level window's outer frame where it was asked to stand, fitted
// to its screen's available area, and puts it there again once the window
// manager has framed it: the frame's size is known only then, and a place
// taken without it would leave the window's bottom (the status lines) off
// a small screen.
class WindowPlacement final : public QObject {
public:
    WindowPlacement(QWidget& window, QSize minimum);

    // The outer frame wanted, title bar and borders included.
    void place(const QRect& outer);
    // The available area of the window's screen (the primary screen's
    // before it has one).
    QRect screenArea() const;
    // The frame around the window's inside, as far as it is known now.
    QMargins frame() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QSize minimum_;
    std::optional<QRect> wanted_;
    QMargins placedWith_;
};

}  // namespace dravinor::ui

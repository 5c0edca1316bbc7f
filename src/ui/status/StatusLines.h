#pragma once

#include "ui/status/StatusText.h"

#include <QPointer>
#include <QStatusBar>

#include <array>
#include <optional>

namespace dravinor::ui {

// The two status lines of the parameter pages, with what each was last told,
// so that a change of language can say it again in the new words.
class StatusLines {
public:
    // line: 1 for StatusBar1, 2 for StatusBar2.
    void attach(int line, QStatusBar* bar);
    void show(int line, const StatusText& text);
    // Says every line's text again from the current slots, unless something
    // else has written the line since.
    void redraw();

private:
    struct Line {
        QPointer<QStatusBar> bar;
        std::optional<StatusText> text;
        QString shown;
    };
    std::array<Line, 2> lines_;
};

}  // namespace dravinor::ui

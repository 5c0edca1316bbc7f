#include "ui/status/StatusLines.h"

namespace dravinor::ui {

void StatusLines::attach(int line, QStatusBar* bar)
{
    lines_[static_cast<std::size_t>(line - 1)] = {bar, std::nullopt, QString()};
}

void StatusLines::show(int line, const StatusText& text)
{
    Line& target = lines_[static_cast<std::size_t>(line - 1)];
    target.text = text;
    target.shown = text.text();
    if (target.bar)
        target.bar->showMessage(target.shown);
}

void StatusLines::redraw()
{
    for (Line& line : lines_) {
        if (!line.bar || !line.text || line.bar->currentMessage() != line.shown)
            continue;
        line.shown = line.text->text();
        line.bar->showMessage(line.shown);
    }
}

}  // namespace dravinor::ui

#pragma once

#include "params/LiveCsv.h"

#include <QString>

#include <memory>

class QMessageBox;

namespace dravinor::ui {

// What the fitter reads when `--replay` cannot play a file, all in the
// current language: the box's line, the file with the line and the reason,
// and in the details what the first line should have been and what it was.
struct ReplayProblemText {
    QString text;
    QString informative;
    QString details;  // empty when there is nothing more to show
};

ReplayProblemText replayProblemText(const QString& path, const params::LiveCsvError& error);

// The box, not yet shown; the caller runs it.
std::unique_ptr<QMessageBox> replayProblemBox(const ReplayProblemText& text);

}  // namespace dravinor::ui

#pragma once

#include "ui/dialogs/Dialogs.h"

#include <QString>

#include <cstdio>

namespace dravinor::bench {

// Dialogs that never stop a bench on a box: every question gets the same
// answer and no file is chosen. Errors and messages go to stderr when the
// bench wants to see them, else nowhere.
class SilentDialogs final : public ui::Dialogs {
public:
    explicit SilentDialogs(bool answer = false, bool echo = false) : answer_(answer), echo_(echo) {}

    bool askYesNo(const QString&) override { return answer_; }
    void showError(const QString&, const QString& text) override { note("error", text); }
    void showMessage(const QString& text) override { note("message", text); }
    void showConversionError(const QString& text) override { note("bad key", text); }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&) override { return {}; }

private:
    void note(const char* kind, const QString& text) const
    {
        if (echo_)
            std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }

    bool answer_;
    bool echo_;
};

}  // namespace dravinor::bench

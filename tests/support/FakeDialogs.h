#pragma once

#include "ui/dialogs/Dialogs.h"

#include <QStringList>

#include <deque>

namespace dravinor::testing {

// Answers the window's questions from a script and records what it said.
class FakeDialogs final : public ui::Dialogs {
public:
    bool askYesNo(const QString& question) override
    {
        questions << question;
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Also noted apart: a question that guards a bulk write has No as its default.
    bool askYesNoDefaultNo(const QString& question) override
    {
        defaultNoQuestions << question;
        return askYesNo(question);
    }
    // The caption noted apart, the question with the others.
    bool askYesNoTitled(const QString& caption, const QString& question) override
    {
        captions << caption;
        return askYesNo(question);
    }
    void showError(const QString& caption, const QString& text) override { errors << caption + "|" + text; }
    void showMessage(const QString& text) override { messages << text; }
    void showConversionError(const QString& text) override { conversionErrors << text; }
    QString chooseSaveFile(const QString& directory, const QString& filter, const QString&) override
    {
        lastDirectory = directory;
        lastFilter = filter;
        return saveFile;
    }
    QString chooseOpenFile(const QString& directory, const QString& filter) override
    {
        lastDirectory = directory;
        lastFilter = filter;
        return openFile;
    }

    std::deque<bool> answers;
    bool defaultAnswer = true;
    QStringList questions, defaultNoQuestions, captions, errors, messages, conversionErrors;
    QString saveFile, openFile, lastDirectory, lastFilter;
};

}  // namespace dravinor::testing

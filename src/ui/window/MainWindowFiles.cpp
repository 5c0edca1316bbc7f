#include "ui/window/MainWindow.h"

#include "fields/ParameterDiff.h"
#include "params/ControllerSession.h"
#include "params/ParameterFile.h"
#include "params/PathText.h"
#include "ui/connection/ConnectionPresenter.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/ParameterPages.h"
#include "ui/status/BackupTexts.h"
#include "ui/status/FileStatusTexts.h"
#include "ui/status/ReadTexts.h"
#include "ui/status/TransferStatusTexts.h"
#include "ui/status/UnreadReport.h"
#include "ui/window/FileMemory.h"
#include "ui/window/WindowTexts.h"

#include <QFileInfo>

namespace dravinor::ui {

namespace {

// A bulk write's result, then what became of the backup of the set it replaced.
QString withBackup(const QString& result, const params::BulkWriteOutcome& outcome)
{
    const QString backup = texts::backupStatus(outcome.backup);
    return backup.isEmpty() ? result : result + "; " + backup;
}

}  // namespace

void MainWindow::showBulkWriteResult(const params::BulkWriteOutcome& outcome)
{
    const QString text = withBackup(texts::bulkWriteResult(outcome, this), outcome);
    showStatus(1, text);
    showStatus(2, text);
}

void MainWindow::resetParameters()
{
    showBulkWriteResult(session_.transfer().resetParameters());
}

void MainWindow::writeAllParameters()
{
    if (!confirmDespiteUnread(dialogs_, reads::writeAllQuestion, session_.state(), pageControl_))
        return;
    showBulkWriteResult(session_.transfer().writeAll());
}

void MainWindow::saveParameterFile()
{
    if (!confirmDespiteUnread(dialogs_, reads::saveQuestion, session_.state(), pageControl_))
        return;
    const QString path = dialogs_.chooseSaveFile(fileMemory_->folder(FileMemory::Kind::ParameterFiles),
                                                 texts::fileFilter, QStringLiteral("PAR"));
    if (path.isEmpty())
        return;
    fileMemory_->noteChosen(FileMemory::Kind::ParameterFiles, path);
    const auto result = params::saveParameterFile(params::pathFromUtf8(path.toStdString()), session_.state().block());
    // Saved or not, the status line says so, and names the backup.
    showFileStatus(texts::saveStatus(path, result));
    if (result.ok()) {
        fileMemory_->noteParameterFile(path);
        return;
    }
    // Unlike a silent failure, the fitter learns the set was not kept.
    const QString why = result.error == params::FileError::NotAFile ? texts::saveRefusalText(result.target)
                                                                    : QString::fromStdString(result.systemText);
    dialogs_.showError(texts::errorCaption, texts::cannotSave + "\n" + path + "\n" + why);
}

void MainWindow::showFileStatus(const QString& text)
{
    // The buttons are on the second page; the first page's line says it too.
    showStatus(1, text);
    showStatus(2, text);
}

void MainWindow::loadParameterFile()
{
    const QString path =
        dialogs_.chooseOpenFile(fileMemory_->folder(FileMemory::Kind::ParameterFiles), texts::fileFilter);
    if (path.isEmpty())
        return;
    fileMemory_->noteChosen(FileMemory::Kind::ParameterFiles, path);
    loadParameterFileFrom(path, false);
}

void MainWindow::loadRecentFile(const QString& path)
{
    // A file that is gone leaves the list; the load still says it could not read it.
    if (!QFileInfo::exists(path))
        fileMemory_->forgetParameterFile(path);
    // The list is a shortcut, not the file dialog: one stray click there
    // must not replace the car's whole set.
    loadParameterFileFrom(path, true);
}

bool MainWindow::confirmRecentFile(const QString& path, const params::ParameterBlock& loaded)
{
    return confirmWholeSet(slotText(texts::backupKey::recentFileQuestion).arg(texts::fileName(path)), loaded);
}

bool MainWindow::confirmWholeSet(const QString& question, const params::ParameterBlock& set)
{
    const auto controllerSet = session_.transfer().controllerSet();
    // What the controller holds; without a whole read, what the pages show.
    const auto changes = fields::compareParameterSets(controllerSet.value_or(session_.state().block()), set).size();
    const bool backupAhead = controllerSet.has_value() || !session_.port().controllerConnected();
    return dialogs_.askYesNoDefaultNo(texts::setWriteQuestion(question, static_cast<int>(changes), backupAhead));
}

void MainWindow::writeWholeSet(const params::ParameterBlock& set, const QString& question)
{
    if (!confirmWholeSet(question, set))
        return;
    session_.state().block() = set;
    pages_->showParameters();
    connection_->showUnreadStatus(false);
    showBulkWriteResult(session_.transfer().writeAll());
}

void MainWindow::loadParameterFileFrom(const QString& path, bool askFirst)
{
    // A short file leaves the rest of the block as it was.
    params::ParameterBlock loadedSet = session_.state().block();
    const auto result = params::loadParameterFile(params::pathFromUtf8(path.toStdString()), loadedSet);
    if (!result.ok()) {
        showFileStatus(texts::loadFailure(path, result));
        dialogs_.showError(texts::errorCaption, texts::cannotRead);
        return;
    }
    if (askFirst && !confirmRecentFile(path, loadedSet))
        return;
    session_.state().block() = loadedSet;
    fileMemory_->noteParameterFile(path);
    session_.state().noteFileLoaded(static_cast<std::size_t>(result.fileSize));
    pages_->showParameters();
    connection_->showUnreadStatus(false);
    QString loaded = slotText(texts::fileKey::loaded).arg(texts::fileName(path));
    if (result.fileSize != params::ParameterBlock::size)
        loaded += " - " + texts::unusualFileSize(result.fileSize);
    const params::ScopedWriteSource source(session_.transfer(), params::WriteSource::File);
    const auto outcome = session_.transfer().writeAll();
    // The written part is the bulk write's own outcome.
    showFileStatus(withBackup(loaded + "; " + texts::loadedSetWritten(outcome, this), outcome));
}

}  // namespace dravinor::ui

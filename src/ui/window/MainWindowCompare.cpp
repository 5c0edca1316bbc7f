#include "ui/window/MainWindow.h"

#include "params/ControllerSession.h"
#include "params/ParameterFile.h"
#include "params/PathText.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/ParameterDiffDialog.h"
#include "ui/status/ReadTexts.h"
#include "ui/status/UnreadReport.h"
#include "ui/window/FileMemory.h"
#include "ui/window/WindowTexts.h"

namespace dravinor::ui {

// The fitter sees what a file would change before deciding to load it; the
// load itself is the one "Odczyt z pliku" runs.
void MainWindow::compareWithFile()
{
    if (!confirmDespiteUnread(dialogs_, reads::compareQuestion, session_.state(), pageControl_))
        return;
    const QString path =
        dialogs_.chooseOpenFile(fileMemory_->folder(FileMemory::Kind::ParameterFiles), texts::fileFilter);
    if (path.isEmpty())
        return;
    fileMemory_->noteChosen(FileMemory::Kind::ParameterFiles, path);
    params::ParameterBlock file;
    // A short file loads over the pages' values: compare what loading would leave.
    file = session_.state().block();
    if (!params::loadParameterFile(params::pathFromUtf8(path.toStdString()), file).ok()) {
        dialogs_.showError(texts::errorCaption, texts::cannotRead);
        return;
    }
    fileMemory_->noteParameterFile(path);
    auto* dialog = new ParameterDiffDialog(session_.state().block(), file, path, this, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Window-modal but not blocking: the event loop (and a test) goes on.
    connect(dialog, &QDialog::accepted, this, [this, path] { loadParameterFileFrom(path, false); });
    dialog->open();
}

}  // namespace dravinor::ui

#include "ui/dialogs/HelpViewer.h"
#include "ui/language/SlotText.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace dravinor::ui {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    browser_->setObjectName("HelpBrowser");
    // Links within the help move inside it; nothing is fetched from outside.
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 560);
}

void HelpViewer::showTopic(const QString& path, const QString& anchor)
{
    show();
    raise();
    activateWindow();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        document_.clear();
        browser_->setPlainText(slotText(lang::slot::helpFileMissing).arg(path));
        setWindowTitle(path);
        return;
    }
    document_ = file.absoluteFilePath();
    QUrl url = QUrl::fromLocalFile(document_);
    url.setFragment(anchor);
    browser_->setSource(url);
    browser_->scrollToAnchor(anchor);
    setWindowTitle(browser_->documentTitle().isEmpty() ? file.fileName() : browser_->documentTitle());
}

}  // namespace dravinor::ui

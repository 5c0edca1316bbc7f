#include "ui/dialogs/AboutBox.h"

#include "DravinorVersion.h"
#include "ui/language/SlotText.h"
#include "ui/window/ProgramIcon.h"
#include "ui/window/WindowTexts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dravinor::ui {

namespace {

// The licence's name is the same in every language.
const QString licenceName = QStringLiteral("MIT");

QLabel* plainLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);  // a language file may not inject markup
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, const QString& title, const QString& controllerVersion) : QDialog(parent)
{
    setObjectName("AboutBox");
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    name_ = plainLabel(this, "AboutName");
    QFont bold = name_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    name_->setFont(bold);
    details_ = plainLabel(this, "AboutDetails");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name_);
    texts->addWidget(details_);
    texts->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setContents(title, controllerVersion);
}

AboutBox* AboutBox::showFor(QWidget* parent, const QString& title, const QString& controllerVersion)
{
    auto* box = parent->findChild<AboutBox*>(QString(), Qt::FindDirectChildrenOnly);
    if (!box)
        box = new AboutBox(parent, title, controllerVersion);
    else
        box->setContents(title, controllerVersion);
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

void AboutBox::setContents(const QString& title, const QString& controllerVersion)
{
    setWindowTitle(title);
    name_->setText(QStringLiteral("Dravinor"));
    const QString controller = controllerVersion.isEmpty() ? slotText(lang::slot::aboutNoController)
                                                           : slotText(lang::slot::aboutController) + controllerVersion;
    details_->setText(slotText(lang::slot::aboutDescription) + QLatin1Char('\n') + QLatin1Char('\n') +
                      slotText(lang::slot::aboutVersion) + QString::fromLatin1(programVersion) + QLatin1Char('\n') +
                      slotText(lang::slot::aboutSpeaksAs).arg(texts::speaksAsVersion) + QLatin1Char('\n') +
                      slotText(lang::slot::aboutLicence) + licenceName + QLatin1Char('\n') + controller);
    adjustSize();
}

}  // namespace dravinor::ui

#include "ui/book/AddCarDialog.h"
#include "ui/book/BookOutcomeTexts.h"
#include "ui/book/BookTables.h"
#include "ui/book/CarBookTexts.h"
#include "ui/book/CarBookWindow.h"
#include "ui/book/WindowBook.h"
#include "ui/dialogs/Dialogs.h"

#include "book/CurrentCar.h"
#include "params/PathText.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace dravinor::ui {

namespace {

// "WX 1234 (Opel Astra G)": a car as the current-car line names it.
QString carName(const book::Car& car)
{
    const QString registration = QString::fromStdString(car.registration);
    return car.makeModel.empty() ? registration : registration + " (" + QString::fromStdString(car.makeModel) + ")";
}

}  // namespace

QString CarBookWindow::visitName(const book::Visit& visit) const
{
    const auto car = selectedCar();
    return slotText(carbook::visitName)
        .arg(car ? QString::fromStdString(car->registration) : QString(), carbook::visitTime(visit.time));
}

void CarBookWindow::compareVisit()
{
    const book::Visit* visit = selectedVisit();
    if (!visit || !setOf(*visit) || !actions_.compare)
        return;
    actions_.compare(*setOf(*visit), visitName(*visit));
}

void CarBookWindow::writeVisit()
{
    const book::Visit* visit = selectedVisit();
    const auto car = selectedCar();
    if (!visit || !car || !actions_.write)
        return;
    if (!setOf(*visit)) {
        dialogs_.showMessage(slotText(carbook::noSet));
        return;
    }
    if (!actions_.controllerConnected || !actions_.controllerConnected()) {
        dialogs_.showMessage(slotText(carbook::notConnected));
        updateButtons();
        return;
    }
    // A copy: the write may bring this window's lists up again.
    const params::ParameterBlock set = *setOf(*visit);
    actions_.write(set, slotText(carbook::writeQuestion)
                            .arg(carbook::visitTime(visit->time), QString::fromStdString(car->registration)));
}

// The PDF goes to a file of its own in the temporary folder, named after
// the car and the visit, where the system's viewer can open it.
void CarBookWindow::openReport()
{
    const book::Visit* visit = selectedVisit();
    const auto car = selectedCar();
    if (!visit || !visit->reportPdf || !car)
        return;
    QString registration = QString::fromStdString(car->registration);
    registration.remove(QRegularExpression(QStringLiteral("[^\\w-]")));
    // A new file of its own, made exclusively and for this user alone: a
    // fixed name in the shared temporary folder could be another user's
    // link to a file of ours, which the write would overwrite.
    QTemporaryFile file(QDir(QDir::tempPath())
                            .filePath(QStringLiteral("%1-%2-%3-XXXXXX.pdf")
                                          .arg(slotText(lang::slot::report::fileName), registration)
                                          .arg(visit->id)));
    file.setAutoRemove(false);  // the viewer opens it after this returns
    const auto& bytes = *visit->reportPdf;
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open() || file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.flush()) {
        say(slotText(carbook::reportNotOpened)
                .arg(QDir::toNativeSeparators(file.fileName().isEmpty() ? QDir::tempPath() : file.fileName()) + ": " +
                     file.errorString()));
        file.remove();
        return;
    }
    const QString path = file.fileName();
    file.close();
    if (!actions_.openFile || !actions_.openFile(path))
        say(slotText(carbook::reportNotOpened).arg(slotText(carbook::noViewer)));
    else
        say(QString());
}

void CarBookWindow::showAddCar()
{
    if (addCarDialog_)
        return;
    addCarDialog_ = new AddCarDialog(
        [this](book::Car& car) -> QString {
            const book::BookWrite write = book_.book().addCar(car);
            if (write == book::BookWrite::DuplicateCar)
                return slotText(carbook::duplicateCar).arg(QString::fromStdString(car.registration));
            if (write == book::BookWrite::EmptyRegistration)
                return slotText(carbook::registrationRequired);
            if (write != book::BookWrite::Done)
                return slotText(carbook::notWritten).arg(carbook::writeProblemText(write));
            return {};
        },
        this);
    addCarDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(addCarDialog_, &QDialog::accepted, this, [this] {
        const book::Car car = addCarDialog_->car();
        say(slotText(carbook::carAdded).arg(QString::fromStdString(car.registration)));
        // The new car is found and chosen, whatever the search said before.
        search_->setText(QString::fromStdString(car.registration));
    });
    connect(addCarDialog_, &QObject::destroyed, this, [this] { addCarDialog_ = nullptr; });
    addCarDialog_->open();
}

void CarBookWindow::markConnected()
{
    const auto car = selectedCar();
    if (!car)
        return;
    if (!book_.makeCurrent(car->registration))
        dialogs_.showMessage(slotText(carbook::currentNotSaved)
                                 .arg(QDir::toNativeSeparators(
                                     QString::fromStdString(params::utf8Text(book::currentCarPath(book_.file()))))));
    showCurrentCar();
}

void CarBookWindow::endConnected()
{
    if (!book_.endCurrent())
        dialogs_.showMessage(slotText(carbook::currentNotSaved)
                                 .arg(QDir::toNativeSeparators(
                                     QString::fromStdString(params::utf8Text(book::currentCarPath(book_.file()))))));
    showCurrentCar();
}

void CarBookWindow::showCurrentCar()
{
    const auto registration = book_.currentRegistration();
    endCurrent_->setEnabled(registration.has_value());
    if (!registration) {
        current_->setText(slotText(carbook::noCurrentCar));
        return;
    }
    const auto car = usable_ ? book_.book().carByRegistration(*registration) : std::nullopt;
    current_->setText(slotText(carbook::currentCar).arg(car ? carName(*car) : QString::fromStdString(*registration)));
}

}  // namespace dravinor::ui

#include "QuitOnSignal.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace dravinor::app {

namespace {

// Dismissed from within its own event loop: a dialog rejected before its
// exec() has started that loop would wait for ever.
void dismissLater(QDialog* dialog)
{
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
}

}  // namespace

Termination::Termination(QCoreApplication& application) : QObject(&application), application_(application) {}

Termination::~Termination()
{
    if (requested_)
        application_.removeEventFilter(this);
}

void Termination::request()
{
    if (!requested_)
        application_.installEventFilter(this);
    requested_ = true;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dismissLater(dialog);
    // Ends every running event loop, the boxes' included, and makes any
    // later one return at once. Before the main loop runs this does
    // nothing: main() asks terminationRequested() then.
    QCoreApplication::exit(0);
}

bool Termination::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
            dismissLater(dialog);
    return false;
}

}  // namespace dravinor::app

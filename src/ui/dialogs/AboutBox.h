#pragma once

#include <QDialog>

class QLabel;

namespace dravinor::ui {

// "O programie": the program's name, version and licence, and the version
// text of the connected controller (or that none is connected). Texts come
// from text slots, so a language file translates them.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    // controllerVersion: the controller's version text, empty when none is
    // connected. The title is the menu item's caption.
    AboutBox(QWidget* parent, const QString& title, const QString& controllerVersion);

    // Shows the window's one About box (made on first use) with the texts
    // of now.
    static AboutBox* showFor(QWidget* parent, const QString& title, const QString& controllerVersion);

    void setContents(const QString& title, const QString& controllerVersion);

private:
    QLabel* name_;
    QLabel* details_;
};

}  // namespace dravinor::ui

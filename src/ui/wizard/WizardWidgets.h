#pragma once

#include "wizard/WizardControl.h"

#include <QHash>
#include <QString>
#include <initializer_list>

class QLabel;
class QPushButton;
class QWidget;

namespace dravinor::live {
class DialMeter;
class HorizontalBar;
class StatusLed;
}  // namespace dravinor::live

namespace dravinor::ui {

// The wizard pages' controls, built on their page and found by objectName.
// A control gets its objectName (WizardControlNames.h) and its built-in
// text (wizard/WizardTexts.h); the language file is laid over them later.
class WizardWidgets {
public:
    using Control = wizard::WizardControl;

    QWidget* widget(const QString& name) const { return all_.value(name); }
    QWidget* widget(Control control) const;
    const QHash<QString, QWidget*>& all() const { return all_; }

    // The control's built-in text.
    static QString textOf(Control control);

    // Texts are shown as plain text, never as markup.
    QLabel* label(QWidget* page, Control control);
    QLabel* wrappedLabel(QWidget* page, Control control);
    // A sunken value panel, "......" until measured.
    QLabel* panel(QWidget* page, Control control, const QString& text = QStringLiteral("0"));
    // A blinking title: the wizard sets its font colour.
    QLabel* title(QWidget* page, Control control);
    // A warning, in bold red, hidden until the wizard shows it.
    QLabel* notice(QWidget* page, Control control);
    // A "done" caption, drawn grey until its item is done.
    QLabel* doneLabel(QWidget* page, Control control);
    live::StatusLed* led(QWidget* page, Control control);
    // One row of a page's "done" list: its lamp, then its caption.
    struct DoneRow {
        Control led;
        Control label;
    };
    void doneRows(QWidget* page, std::initializer_list<DoneRow> rows);
    // An RPM dial 0..8 thousand, "Obroty" as on the live view.
    live::DialMeter* rpmDial(QWidget* page, Control control);
    // A plain progress bar.
    live::HorizontalBar* progressBar(QWidget* page, Control control, int digitalTo, float valueTo, const QString& unit);
    QPushButton* nextButton(QWidget* page, Control control);
    void add(QWidget* widget, Control control);

    // Widgets that stand for no control: the row sets' frames, a caption
    // only the language files name.
    QWidget* frame(QWidget* page, const char* name);
    QLabel* label(QWidget* page, const char* name, const QString& text);
    void add(QWidget* widget, const char* name);

private:
    QHash<QString, QWidget*> all_;
};

// Each page's controls with their texts and instrument settings.
void buildWizardPage1(WizardWidgets& w, QWidget* page);
void buildWizardPage2(WizardWidgets& w, QWidget* page);
void buildWizardPage4(WizardWidgets& w, QWidget* page);
void buildWizardPage5(WizardWidgets& w, QWidget* page);

}  // namespace dravinor::ui

#pragma once

#include <QHash>
#include <QString>

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
class WizardWidgets {
public:
    QWidget* widget(const QString& name) const { return all_.value(name); }
    const QHash<QString, QWidget*>& all() const { return all_; }

    // Texts are shown as plain text, never as markup.
    QLabel* label(QWidget* page, const char* name, const QString& text);
    QLabel* wrappedLabel(QWidget* page, const char* name, const QString& text);
    // A sunken value panel, "......" until measured.
    QLabel* panel(QWidget* page, const char* name, const QString& text = QStringLiteral("0"));
    // A blinking title: the wizard sets its font colour.
    QLabel* title(QWidget* page, const char* name, const QString& text);
    // A warning about the line, in bold red, hidden until the wizard shows it.
    QLabel* notice(QWidget* page, const char* name, const QString& text);
    // The page's notices: the controller does not answer, and (on the
    // measuring pages) the line is unreliable.
    void lineNotices(QWidget* page, const char* noAnswer, const char* unreliable);
    // A "done" caption, drawn grey until its item is done.
    QLabel* doneLabel(QWidget* page, const char* name, const QString& text);
    live::StatusLed* led(QWidget* page, const char* name);
    // An RPM dial 0..8 thousand, "Obroty" as on the live view.
    live::DialMeter* rpmDial(QWidget* page, const char* name);
    // A plain progress bar.
    live::HorizontalBar* progressBar(QWidget* page, const char* name, int digitalTo, float valueTo,
                                     const QString& unit);
    QPushButton* nextButton(QWidget* page, const char* name, const QString& text);
    QWidget* frame(QWidget* page, const char* name);
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

#pragma once

#include "ui/wizard/WizardWidgets.h"
#include "wizard/WizardView.h"

#include <QObject>

class QAbstractButton;
class QTabWidget;

namespace dravinor::ui {

// The four wizard pages inside AutoTab: their controls, their layout for
// the page size, which tab is shown, and the parts the probe type sets.
class WizardPages : public QObject {
    Q_OBJECT
public:
    explicit WizardPages(QTabWidget* autoTab);

    QWidget* control(const QString& name) const { return widgets_.widget(name); }
    const WizardWidgets& widgets() const { return widgets_; }
    QTabWidget* autoTab() const { return autoTab_; }

    // Exactly the current step's tab is shown, and its page.
    void showPage(wizard::WizardPage page);
    // Whether that page is current and its tab the only one shown.
    bool showsOnly(wizard::WizardPage page) const;
    // The page's next button (AAP1_Dalej .. AAP5_Koniec).
    QAbstractButton* nextButton(wizard::WizardPage page) const;

    // The lambda bars' ranges follow the probe type (RSLambda's items).
    void applyProbeType(int item);
    // The reducer page's lean and rich captions: the wizard places "Uboga"
    // at the bar's left end for a rising probe, at its right end otherwise.
    void placeCaption(wizard::WizardControl caption, int left);

    // Lays one page (or all, when null) out for its present size.
    void layout(QWidget* page = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabWidget* autoTab_;
    WizardWidgets widgets_;
    bool leanOnRight_ = false;
};

}  // namespace dravinor::ui

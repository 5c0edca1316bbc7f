#pragma once

#include "ui/status/StatusText.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class QAbstractButton;

namespace dravinor::params {
class ParameterState;
class ParameterTransfer;
}  // namespace dravinor::params

namespace dravinor::ui {

class Dialogs;

// What the parameter pages need from the window around them.
struct PageServices {
    params::ParameterState& state;
    params::ParameterTransfer& transfer;
    Dialogs& dialogs;
    // Puts a text into StatusBar1 (line 1) or StatusBar2 (line 2).
    std::function<void(int line, const StatusText& text)> showStatus;
    // The live view's lambda display ranges follow the probe type (may be empty).
    std::function<void(int probeType)> applyProbeType;
    // Makes TabPar1 (page 0) or TabPar2 (page 1) active and focuses a field,
    // without the page-entry actions.
    std::function<void(int page, QWidget* focus)> switchPageQuietly;
};

// The contents of the pages "Parametry systemu (F2)" and "Parametry systemu -
// zaawansowane (F3)": groups, captions, fields, check boxes, hint labels,
// comment pictures and the five buttons of the second page; editing,
// validation, warnings, writes, hints, dependencies and navigation.
class ParameterPages : public QObject {
    Q_OBJECT
public:
    ParameterPages(QWidget* tabPar1, QWidget* tabPar2, PageServices services);
    ~ParameterPages() override;

    // Start-up: lists at item 0, dependants from the initial controls.
    void initialiseControls();
    // Fills every field from the parameter block (the widget half of
    // showParameters; the caller has refreshed the derived values).
    void showParameters();
    // Fields without a value the controller gave (the state's unread
    // addresses) show none; this brings them up to date after writes made
    // outside the pages' own edits.
    void refreshUnreadMarks();
    // GroupBox1..GroupBox7 become visible (end of the connection step).
    void showGroups();
    // After a change of language: the hint labels say their hints again in
    // the new words.
    void redrawHints();
    // Lays both pages out for an outer window size; repeats the mode comment
    // layout when TPSterownika has the focus.
    void layout(int windowWidth, int windowHeight);
    // ResButt, ZapPlik, OdczPlik, ZapiszPar, OdczytPar.
    QAbstractButton* button(const char* objectName) const;

    // Values set from outside the pages (the wizard's results). None of
    // them writes to the controller: the writes follow user actions only.
    bool hasField(const QString& name) const;
    // A text field's text, or a list's current item text.
    QString fieldText(const QString& name) const;
    void setFieldText(const QString& name, const QString& text);
    // The probe type also sets the live view's lambda ranges.
    void selectItem(const QString& name, int item);
    // A check box with its dependent fields (from the flag bit it stands for).
    void setChecked(const QString& name, bool checked);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace dravinor::ui

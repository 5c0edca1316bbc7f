#pragma once

#include "ui/pages/FieldEdits.h"
#include "ui/pages/PageDisplay.h"
#include "ui/pages/PageFocus.h"
#include "ui/pages/PageHints.h"
#include "ui/pages/PageWidgets.h"
#include "ui/pages/ParameterPages.h"

#include <QObject>

class QString;

namespace dravinor::ui {

// Editing on the two parameter pages, put together: the widgets, their
// hints, what they show for the state, the edits and the keyboard focus.
class PageEditor : public QObject {
public:
    PageEditor(QWidget* tabPar1, QWidget* tabPar2, PageServices services);

    const PageWidgets& widgets() const { return w_; }

    // Start-up: lists at item 0, flag bits and dependants from the controls.
    void initialiseControls();
    // Every field from the parameter block and the flag copies.
    void showParameters() { display_.showAll(); }
    void refreshUnreadMarks() { display_.refreshUnreadMarks(); }
    void redrawHints() { hints_.redraw(); }
    // After a layout the hint labels fit their new widths.
    void fitHints();
    // Values set from outside the pages; the dependants follow, nothing is written.
    void selectItem(const QString& name, int item);
    void setChecked(const QString& name, bool checked);

private:
    PageServices services_;
    PageWidgets w_;
    PageHints hints_;
    PageDisplay display_;
    FieldEdits edits_;
    PageFocus focus_;
};

}  // namespace dravinor::ui

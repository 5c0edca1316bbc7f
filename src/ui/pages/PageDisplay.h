#pragma once

#include "fields/FieldCatalogue.h"
#include "ui/pages/PageWidgets.h"
#include "ui/pages/ParameterPages.h"

namespace dravinor::ui {

// What the page fields show for the parameter state: values, the marks of
// values the controller did not give, and which fields their flag bits enable.
class PageDisplay {
public:
    PageDisplay(const PageWidgets& widgets, const PageServices& services) : w_(widgets), services_(services) {}

    // Every field from the block and the flag copies (the widget half of
    // showParameters).
    void showAll();
    // Fields without a controller value follow the state: one whose
    // addresses the controller has now taken shows its value again.
    void refreshUnreadMarks();

    bool flagBitSet(const fields::FlagField& field) const;
    // The fields a flag field controls, enabled as its bit in the flag copy says.
    void applyDependants(const char* controller);
    void applyDependency(const fields::Dependency& dependency);
    // The same, as the control shows it (before the flag copy follows).
    void followControl(const char* controller, bool set);

private:
    void applyDependency(const fields::Dependency& dependency, bool set);
    int shownItem(const fields::ListField& field) const;
    void showField(const char* name);

    const PageWidgets& w_;
    const PageServices& services_;
};

}  // namespace dravinor::ui

#include "live/WidgetsBuiltLate.h"

#include <QWidget>

namespace dravinor::live {

void showWidgetsBuiltLate(QWidget* root)
{
    if (!root->isVisible())
        return;  // they come with the page's showing
    const auto children = root->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        // Hidden by nobody's call: a widget born under a shown parent.
        if (child->isHidden() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
            child->show();
        if (child->isVisible())
            showWidgetsBuiltLate(child);
    }
}

}  // namespace dravinor::live

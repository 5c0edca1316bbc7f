#pragma once

class QWidget;

namespace dravinor::live {

// Widgets built into a page that is already on screen stay hidden until
// shown, where the same widgets built before the page's showing appear with
// it. Shows every widget below root that was made hidden that way, and
// leaves those the code hid or showed on purpose as they are.
void showWidgetsBuiltLate(QWidget* root);

}  // namespace dravinor::live

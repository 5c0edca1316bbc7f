#pragma once

class QWidget;

namespace dravinor::ui {

// A parameter field whose value the controller did not give shows no value:
// an empty text field or list with a "?" in its place, a check box neither
// ticked nor clear, in a colour of its own and with the reason as its tip.

bool isMarkedUnread(const QWidget* field);
// Marks the field (again): also puts it back to showing no value.
void markUnread(QWidget* field);
// Back to the field's own look; the caller shows its value.
void clearUnreadMark(QWidget* field);

}  // namespace dravinor::ui

#pragma once

class QWidget;

namespace dravinor::ui {

struct PageWidgets;

// Every parameter field's caption label becomes its buddy (the second field
// of a pair is named after its first's caption), and each field carries its
// caption as its accessible name.
void linkCaptionBuddies(const PageWidgets& widgets);

// Names every field under root after its caption's current text: run again
// whenever a language file has replaced the captions.
void nameFieldsAfterCaptions(QWidget* root);

}  // namespace dravinor::ui

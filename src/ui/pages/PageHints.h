#pragma once

#include "fields/FieldCatalogue.h"
#include "ui/pages/PageWidgets.h"

#include <QString>

#include <array>

class QLabel;

namespace dravinor::ui {

// The hint labels of the two pages (Komentarz1L, Komentarz2L) and the
// controller mode's pictures beside the first one.
class PageHints {
public:
    explicit PageHints(const PageWidgets& widgets) : w_(widgets) {}

    // The hint label of a page shows a text slot, fitted to a group's width.
    // unread: the field shows no value, and the hint says why.
    void show(int page, int slot, int widthGroup, bool unread = false);
    // The controller mode item's text and its picture.
    void showMode(int item);
    // The mode list has no value: its hint says only why.
    void showModeUnread();
    void hidePictures();
    // The hints shown, in the current language's words.
    void redraw();
    // After a layout: every label fitted to its new width; the mode's
    // comment keeps its place beside the pictures while the mode is edited.
    void fitAll(bool modeEdited);

private:
    void setText(int page, int slot, bool unread = false);
    void placeModeComment(int picture);

    struct Shown {
        int slot = fields::noHint;
        QString text;
        bool unread = false;
    };
    const PageWidgets& w_;
    std::array<Shown, 2> shown_;
};

}  // namespace dravinor::ui

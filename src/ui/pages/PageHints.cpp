#include "ui/pages/PageHints.h"
#include "ui/language/SlotText.h"
#include "ui/pages/ModePictures.h"

#include "ui/status/ReadTexts.h"

#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace dravinor::ui {

namespace {

void fitLabel(QLabel* label, int width)
{
    const int height = std::max(label->heightForWidth(width), label->fontMetrics().height());
    label->resize(width, height);
}

}  // namespace

void PageHints::show(int page, int slot, int widthGroup, bool unread)
{
    setText(page, slot, unread);
    fitLabel(w_.comments[static_cast<std::size_t>(page)], w_.group(widthGroup)->width());
}

void PageHints::setText(int page, int slot, bool unread)
{
    QLabel* label = w_.comments[static_cast<std::size_t>(page)];
    // A field without a value says why, below what it is for.
    label->setText(unread ? slotText(slot) + "\n" + slotText(reads::unreadReason) : slotText(slot));
    shown_[static_cast<std::size_t>(page)] = {slot, label->text(), unread};
}

void PageHints::redraw()
{
    for (int page = 0; page < 2; ++page) {
        const Shown& shown = shown_[static_cast<std::size_t>(page)];
        QLabel* label = w_.comments[static_cast<std::size_t>(page)];
        // Left alone when something else has written the label since.
        if (shown.slot == fields::noHint || label->text() != shown.text)
            continue;
        setText(page, shown.slot, shown.unread);
        fitLabel(label, label->width());
    }
}

void PageHints::showMode(int item)
{
    setText(0, fields::controllerModeSlot(item));
    placeModeComment(item + 1);
}

void PageHints::showModeUnread()
{
    QLabel* label = w_.comments[0];
    label->setText(slotText(reads::unreadReason));
    fitLabel(label, label->width());
}

void PageHints::hidePictures()
{
    for (QLabel* picture : w_.pictures)
        picture->hide();
}

void PageHints::fitAll(bool modeEdited)
{
    for (QLabel* comment : w_.comments)
        fitLabel(comment, comment->width());
    fitLabel(w_.footnote, w_.footnote->width());
    if (modeEdited)
        placeModeComment(0);
}

void PageHints::placeModeComment(int picture)
{
    // The mode's text leaves room for its picture on its right.
    QLabel* label = w_.comments[0];
    fitLabel(label, static_cast<int>(std::trunc(w_.group(5)->width() / 1.7)));
    for (QLabel* each : w_.pictures)
        each->move(label->x() + label->width() + 5, label->y());
    if (picture < 1 || picture > 3)
        return;
    QLabel* shown = w_.pictures[static_cast<std::size_t>(picture - 1)];
    // Drawn at twice the size, sharp on a scaled screen too.
    if (shown->pixmap().isNull())
        shown->setPixmap(modeCommentPicture(picture, 2.0));
    for (QLabel* each : w_.pictures)
        each->setVisible(each == shown);
}

}  // namespace dravinor::ui

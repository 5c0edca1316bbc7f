#pragma once

#include "ui/pages/PageWidgets.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QComboBox;
class QKeyEvent;

namespace dravinor::ui {

// The keyboard and focus of the parameter pages: when a field counts as
// entered and left (a message box or a list's popup taking the keyboard for
// a while leaves nothing), the keys that move between fields, and the focus
// steps a warning answered while leaving a field owes once its box is gone.
class PageFocus : public QObject {
public:
    // What entering and leaving a field does.
    class Fields {
    public:
        virtual ~Fields() = default;
        virtual void entered(QWidget* field) = 0;
        // Returns how many steps on the focus is to take afterwards.
        virtual int left(QWidget* field) = 0;
    };
    // Makes TabPar1 (page 0) or TabPar2 (page 1) active and focuses a field.
    using PageSwitch = std::function<void(int page, QWidget* focus)>;

    // Watches every text field, list and check box of the pages.
    PageFocus(const PageWidgets& widgets, Fields& fields, PageSwitch switchPageQuietly);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* widget, QEvent* event);
    bool popupKey(QComboBox* owner, QKeyEvent* key);
    static void chooseItem(QComboBox* list, int item);
    void fieldLeft(QWidget* field);
    bool keyPressed(QWidget* field, QKeyEvent* key);
    bool textKeyPressed(QWidget* field, QKeyEvent* key);
    bool listEnterPressed(QComboBox* list);
    void moveFocus(bool forward);
    void moveFocusLater();
    void takeFocusSteps();

    const PageWidgets& w_;
    Fields& fields_;
    PageSwitch switchPageQuietly_;
    QHash<QObject*, QComboBox*> popupOwners_;
    QPointer<QWidget> enteredField_;
    QPointer<QWidget> watchedWindow_;  // watched for its activation while focus steps wait
    int pendingFocusSteps_ = 0;
    bool steppingFocus_ = false;
    bool leaving_ = false;
};

}  // namespace dravinor::ui

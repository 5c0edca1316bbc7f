#pragma once

#include "FakeDialogs.h"
#include "SimulatedLine.h"
#include "link/CommandFrame.h"
#include "params/FlagBits.h"
#include "ui/pages/ParameterPages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <map>
#include <memory>
#include <vector>

namespace dravinor::testing {

using ScriptedDialogs = FakeDialogs;

inline sim::SimulatorOptions unpacedController()
{
    sim::SimulatorOptions options;
    options.pacing = false;
    return options;
}

// The two parameter pages in a tab widget, over the real serial stack with
// the simulated controller on COM1, filled with the default set.
struct PagesOnLine : SimulatedLine {
    QWidget window;
    QTabWidget* tabs = nullptr;
    QWidget* tab1 = nullptr;
    QWidget* tab2 = nullptr;
    ScriptedDialogs dialogs;
    std::map<int, QString> status;  // by line
    std::vector<int> probeTypes;    // every applyProbeType
    std::unique_ptr<ui::ParameterPages> pages;

    PagesOnLine() : SimulatedLine(unpacedController()) {}

    // The dialogs the pages ask through; scripted unless a test wants real boxes.
    virtual ui::Dialogs& pageDialogs() { return dialogs; }

    void SetUp() override
    {
        SimulatedLine::SetUp();
        openCom1();
        tabs = new QTabWidget(&window);
        tab1 = new QWidget;
        tab1->setObjectName("TabPar1");
        tab2 = new QWidget;
        tab2->setObjectName("TabPar2");
        tabs->addTab(tab1, "Parametry systemu (F2)");
        tabs->addTab(tab2, "Parametry systemu - zaawansowane (F3)");
        ui::PageServices services{state,
                                  transfer,
                                  pageDialogs(),
                                  [this](int line, const ui::StatusText& text) { status[line] = text.text(); },
                                  [this](int probeType) { probeTypes.push_back(probeType); },
                                  [this](int page, QWidget* focus) {
                                      tabs->setCurrentIndex(page);
                                      focus->setFocus(Qt::OtherFocusReason);
                                  }};
        pages = std::make_unique<ui::ParameterPages>(tab1, tab2, services);
        pages->initialiseControls();
        state.loadDefaults();
        pages->showParameters();
        pages->showGroups();
        // Every dependant field enabled, so that each can take the focus.
        using namespace params;
        setFlags(static_cast<std::uint8_t>(
                     (state.flagByteA() | flagA::temperatureSensor | flagA::cutOff | flagA::maxRpmLimit) &
                     ~flagA::rpmRising),
                 static_cast<std::uint8_t>(state.flagByteB() | flagB::extraOpening));
        window.resize(800, 600);
        tabs->resize(800, 600);
        pages->layout(800, 600);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        controller.clearReceivedFrames();
    }

    void TearDown() override
    {
        pages.reset();
        settle();
    }

    // New flag copies, shown as showParameters shows them.
    void setFlags(std::uint8_t a, std::uint8_t b)
    {
        state.setFlagByteA(a);
        state.setFlagByteB(b);
        pages->showParameters();
    }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QComboBox* list(const char* name) const { return child<QComboBox>(name); }
    QCheckBox* check(const char* name) const { return child<QCheckBox>(name); }
    QLabel* label(const char* name) const { return child<QLabel>(name); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString focusedName() const { return focused() ? focused()->objectName() : QString(); }

    // Lets posted events (the focus moves after warnings) run.
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    void focus(const char* name)
    {
        QWidget* widget = child(name);
        tabs->setCurrentWidget(tab2->isAncestorOf(widget) ? tab2 : tab1);
        widget->setFocus(Qt::MouseFocusReason);
        settle();
        ASSERT_EQ(focusedName(), QString::fromLatin1(name));
    }
    // Enters a field, replaces its text by typing, and leaves it with Tab.
    void type(const char* name, const QString& keys)
    {
        focus(name);
        QLineEdit* field = edit(name);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, keys);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
        settle();
    }
    void typeAndLeave(const char* name, const QString& keys)
    {
        type(name, keys);
        press(Qt::Key_Tab);
    }
    // Chooses a list item as the user does: the list reports an activation.
    void choose(const char* name, int item)
    {
        focus(name);
        QComboBox* combo = list(name);
        combo->setCurrentIndex(item);
        emit combo->activated(item);
        settle();
    }
    void click(const char* name)
    {
        focus(name);
        // On the box itself: a wide check box does not answer beyond its text.
        QTest::mouseClick(check(name), Qt::LeftButton, {}, QPoint(8, check(name)->height() / 2));
        settle();
    }

    // The frames the controller heard since the last clear.
    std::vector<std::array<std::uint8_t, 6>> frames() const { return heardFrames(); }
    // Just the EEPROM writes, as (address, value).
    std::vector<std::pair<int, int>> eepromWrites() const
    {
        std::vector<std::pair<int, int>> writes;
        for (const auto& frame : heardFrames())
            if (frame[0] == 's')
                writes.emplace_back(frame[1], frame[2]);
        return writes;
    }
    void clearFrames() { controller.clearReceivedFrames(); }
};

using Writes = std::vector<std::pair<int, int>>;

}  // namespace dravinor::testing

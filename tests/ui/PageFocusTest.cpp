#include "ui/pages/PageFocus.h"
#include "ui/pages/PageWidgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

using namespace dravinor;

namespace {

// Keeps what the focus handling told the fields, and answers leaving with
// the focus steps a test gives a field.
struct RecordedFields final : ui::PageFocus::Fields {
    QStringList enteredFields;
    QStringList leftFields;
    std::map<QString, int> stepsOwed;
    std::function<void(QWidget*)> whileLeaving;

    void entered(QWidget* field) override { enteredFields << field->objectName(); }
    int left(QWidget* field) override
    {
        leftFields << field->objectName();
        if (whileLeaving)
            std::exchange(whileLeaving, nullptr)(field);
        const auto owed = stepsOwed.find(field->objectName());
        return owed == stepsOwed.end() ? 0 : owed->second;
    }
};

// The two pages' widgets in tabs, watched by the focus handling alone.
struct PageFocusTest : ::testing::Test {
    QWidget window;
    QTabWidget* tabs = new QTabWidget(&window);
    QWidget* tab1 = new QWidget;
    QWidget* tab2 = new QWidget;
    ui::PageWidgets w;
    RecordedFields fields;
    std::vector<std::pair<int, QString>> switches;
    std::unique_ptr<ui::PageFocus> focus;

    void SetUp() override
    {
        tabs->addTab(tab1, "1");
        tabs->addTab(tab2, "2");
        w = ui::buildPageWidgets(tab1, tab2);
        for (QWidget* group : w.groups)
            group->show();
        focus = std::make_unique<ui::PageFocus>(
            w, fields, [this](int page, QWidget* field) { switches.emplace_back(page, field->objectName()); });
        window.resize(800, 600);
        tabs->resize(800, 600);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void enter(const char* name)
    {
        w.widget(name)->setFocus(Qt::MouseFocusReason);
        settle();
        fields.enteredFields.clear();
        fields.leftFields.clear();
    }
    QString focusedName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
};

TEST_F(PageFocusTest, EnterLeavesATextFieldForTheNextAndPageUpGoesBack)
{
    enter("PRLambda");
    QTest::keyClick(w.text("PRLambda"), Qt::Key_Return);
    settle();
    EXPECT_EQ(fields.leftFields, QStringList{"PRLambda"});
    EXPECT_EQ(fields.enteredFields, QStringList{"RSYLambda"});
    EXPECT_EQ(focusedName(), "RSYLambda");

    enter("ESLambda_2");
    QTest::keyClick(w.text("ESLambda_2"), Qt::Key_PageUp);
    settle();
    EXPECT_EQ(focusedName(), "ESLambda_1");
    EXPECT_EQ(fields.leftFields, QStringList{"ESLambda_2"});
}

TEST_F(PageFocusTest, AMessageBoxOrPopupTakingTheKeyboardNeitherLeavesNorEntersTheField)
{
    enter("PRLambda");
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(w.text("PRLambda"), &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(w.text("PRLambda"), &in);
    }
    EXPECT_TRUE(fields.leftFields.isEmpty());
    EXPECT_TRUE(fields.enteredFields.isEmpty());
}

TEST_F(PageFocusTest, AFieldLeftWhileAnotherIsBeingLeftIsNotWrittenToo)
{
    // A question asked while leaving PRLambda moves the focus on its own;
    // the fields it passes are not left (nor written) inside that leaving.
    enter("PRLambda");
    fields.whileLeaving = [this](QWidget*) {
        w.text("ESLambda_1")->setFocus(Qt::TabFocusReason);
        w.text("ESLambda_2")->setFocus(Qt::TabFocusReason);
    };
    w.text("PCTps")->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(fields.leftFields, QStringList{"PRLambda"});
}

TEST_F(PageFocusTest, StepsOwedByWarningsMoveTheFocusOnOnceTheLeavingIsOver)
{
    fields.stepsOwed["PRLambda"] = 2;
    enter("PRLambda");
    QTest::keyClick(w.text("PRLambda"), Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "RSYLambda") << "no step is taken inside the leaving";
    settle();
    EXPECT_EQ(focusedName(), "ESLambda_2");
    EXPECT_EQ(fields.leftFields, (QStringList{"PRLambda", "RSYLambda", "ESLambda_1"}));
}

TEST_F(PageFocusTest, TypedPointBecomesACommaAndLettersAreSwallowed)
{
    enter("PRLambda");
    QLineEdit* edit = w.text("PRLambda");
    edit->clear();
    QTest::keyClicks(edit, "0.5x");
    EXPECT_EQ(edit->text(), "0,5");
}

TEST_F(PageFocusTest, TheWheelTurnsNoListThatWasNotEntered)
{
    enter("PRLambda");
    QComboBox* list = w.list("RSYLambda");
    list->setCurrentIndex(0);
    QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(PageFocusTest, EnterInTheLastListOfAPageGoesToTheOtherPage)
{
    enter("TSRezerwy");
    QTest::keyClick(w.list("TSRezerwy"), Qt::Key_Return);
    tabs->setCurrentWidget(tab2);
    enter("TJazdy");
    QTest::keyClick(w.list("TJazdy"), Qt::Key_Enter);
    EXPECT_EQ(switches, (std::vector<std::pair<int, QString>>{{1, "BTps"}, {0, "RSLambda"}}));
    EXPECT_TRUE(fields.leftFields.isEmpty());
}

// The arrow keys in an open list only highlight; Enter makes the highlighted
// item the choice, told once as a click on it is, then the focus moves on.
TEST_F(PageFocusTest, EnterInAnOpenListChoosesTheHighlightedItemOnceAndMovesOn)
{
    enter("CNPaliw");
    QComboBox* list = w.list("CNPaliw");
    list->setCurrentIndex(3);
    QList<int> chosen;
    QObject::connect(list, &QComboBox::activated, [&chosen](int item) { chosen << item; });
    list->showPopup();
    settle();
    EXPECT_TRUE(fields.leftFields.isEmpty()) << "opening the list is not leaving it";
    QTest::keyClick(list->view(), Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 3) << "the arrow only highlights";
    QTest::keyClick(list->view(), Qt::Key_Return);
    settle();
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(list->currentIndex(), 4);
    EXPECT_EQ(chosen, QList<int>{4});
    EXPECT_EQ(focusedName(), "MONGaz");
    EXPECT_EQ(fields.leftFields, QStringList{"CNPaliw"});
}

}  // namespace

#include "TestLocations.h"
#include "WindowOnLine.h"
#include "live/LivePage.h"
#include "live/ProbeHealthPanel.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

// The live page polling the simulated car above idle, in simulated time.
struct ProbeOnLive : dravinor::testing::WindowOnLine {
    void SetUp() override
    {
        startWith(true);
        window->switchToPage(ui::MainWindow::TabViz);
        controller.setThrottle(0.4);  // about 2,500 RPM; the petrol ECU makes the probe swing
    }
    QString verdict() const { return window->findChild<QLabel*>("WerdyktSondy")->text(); }
};

}  // namespace

TEST_F(ProbeOnLive, TheVerdictFollowsTheProbeTheCarHas)
{
    liveFor(2000);
    EXPECT_EQ(verdict(), "za mało danych: potrzeba 5 s powyżej biegu jałowego");
    liveFor(10000);
    EXPECT_EQ(verdict(), "sprawna");
    const live::ProbeHealthPanel& panel = window->livePage().probeHealth();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_LE(panel.minimumSizeHint().width(), panel.width()) << "a caption would run into its value";

    controller.engine().setProbeModel(sim::ProbeModel::StuckRich);
    liveFor(10500);
    EXPECT_EQ(verdict(), "stale bogata");
}

// Every text of the panel, and the rich and lean captions of the lambda bar,
// whole and never below the pages' smallest font, at each size of the
// resolution menu, in Polish and in Russian (the shipped files).
TEST_F(ProbeOnLive, EveryTextIsWholeAtEverySizeInBothLanguages)
{
    liveFor(2000);  // the verdict's longest text: too little to judge yet
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir())));
    const auto whole = [](const QLabel* label) {
        if (label->wordWrap())
            return label->minimumSizeHint().width() <= label->width() &&
                   label->heightForWidth(label->width()) <= label->height();
        return label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height();
    };
    for (const bool russian : {false, true}) {
        russian ? window->chooseRussian() : window->choosePolish();
        for (const QSize size : {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
            window->resize(size);
            QApplication::processEvents();
            const live::ProbeHealthPanel& panel = window->livePage().probeHealth();
            const std::string where = std::to_string(size.width()) + (russian ? " ru: " : " pl: ");
            ASSERT_TRUE(panel.isVisible()) << where;
            EXPECT_TRUE(panel.parentWidget()->rect().contains(panel.geometry())) << where;
            for (const QLabel* label : panel.findChildren<QLabel*>()) {
                if (label->isHidden() || label->text().isEmpty())
                    continue;
                EXPECT_GE(label->font().pointSize(), 8) << where << label->text().toStdString();
                EXPECT_TRUE(whole(label)) << where << label->text().toStdString();
                EXPECT_TRUE(panel.rect().contains(label->geometry())) << where << label->text().toStdString();
            }
            for (const char* caption : {"Lambda_boL", "Lambda_ubL"}) {
                const auto* label = window->findChild<QLabel*>(caption);
                EXPECT_TRUE(whole(label)) << where << label->text().toStdString();
            }
        }
    }
    window->choosePolish();
    QDir::setCurrent(before);
}

TEST_F(ProbeOnLive, AnotherProbeTypeStartsTheCheckAgain)
{
    liveFor(8000);
    EXPECT_EQ(verdict(), "sprawna");
    window->livePage().applyProbeType(4);
    EXPECT_TRUE(verdict().isEmpty()) << "figures of one probe type say nothing about another";
}

namespace {

// The same car, its controller holding the lambda threshold at 0,00 V.
struct ThresholdAtZero : ProbeOnLive {
    void SetUp() override
    {
        auto eeprom = controller.eeprom();
        eeprom[1] = 0;
        controller.setEeprom(eeprom);
        ProbeOnLive::SetUp();
    }
    QLabel* note() const { return window->findChild<QLabel*>("UwagaProguSondy"); }
};

}  // namespace

TEST_F(ThresholdAtZero, TheVerdictJudgesTheProbeNotTheControllersThreshold)
{
    liveFor(12000);
    EXPECT_EQ(verdict(), "sprawna") << "a healthy probe is not stuck rich because the threshold is";
    ASSERT_NE(note(), nullptr);
    EXPECT_TRUE(note()->isVisible());
    EXPECT_TRUE(note()->text().startsWith(QString::fromUtf8("Próg sterownika 0,00 V leży poniżej napięć sondy 0,")))
        << note()->text().toStdString();
    EXPECT_TRUE(note()->text().contains(QString::fromUtf8("sterownik zawsze widzi mieszankę bogatą")));
    const live::ProbeHealthPanel& panel = window->livePage().probeHealth();
    EXPECT_GE(panel.height(), panel.heightForWidth(panel.width())) << "room was made for the note";
}

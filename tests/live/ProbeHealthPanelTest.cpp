#include "live/ProbeHealthPanel.h"
#include "lang/TextSlots.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace dravinor;
using diagnostics::ProbeHealthFigures;
using diagnostics::ProbeVerdict;

namespace {

QString textOf(const QWidget& panel, int row)
{
    // Rows 1..5 hold a caption and its value; the value is the second label of the row.
    const auto labels = panel.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    return labels.at(row * 2)->text();
}

}  // namespace

TEST(ProbeHealthPanel, ShowsTheFiguresAndTheVerdictInTheSlotsWords)
{
    QWidget page;
    live::ProbeHealthPanel panel(&page);
    ProbeHealthFigures figures;
    figures.verdict = ProbeVerdict::Slow;
    figures.judgedSeconds = 10;
    figures.minVolts = 0.25f;
    figures.maxVolts = 0.55f;
    figures.crossingsPerSecond = 0.6;
    figures.richShare = 0.48;
    figures.leanToRichSeconds = 0.35;
    panel.present(figures);

    EXPECT_EQ(textOf(panel, 1), "0,25-0,55 V") << "the decimal comma of the window's languages";
    EXPECT_EQ(textOf(panel, 2), "0,6 /s");
    EXPECT_EQ(textOf(panel, 3), "48 %");
    EXPECT_EQ(textOf(panel, 4), "0,35 s");
    EXPECT_EQ(textOf(panel, 5), "-") << "no rich-to-lean edge was seen";
    auto* verdict = panel.findChild<QLabel*>("WerdyktSondy");
    ASSERT_NE(verdict, nullptr);
    EXPECT_EQ(verdict->text(), "wolna");

    lang::textSlots().set(lang::slot::probeVerdict + 2, "медленный");
    panel.redrawTexts();
    EXPECT_EQ(verdict->text(), QString::fromUtf8("медленный"));
    lang::textSlots().restoreBuiltIn();

    panel.clear();
    EXPECT_EQ(textOf(panel, 1), "-");
    EXPECT_TRUE(verdict->text().isEmpty());
}

TEST(ProbeHealthPanel, EveryVerdictHasAText)
{
    QWidget page;
    live::ProbeHealthPanel panel(&page);
    for (auto verdict : {ProbeVerdict::NotEnoughData, ProbeVerdict::Working, ProbeVerdict::Slow,
                         ProbeVerdict::StuckLean, ProbeVerdict::StuckRich, ProbeVerdict::NoSignal}) {
        ProbeHealthFigures figures;
        figures.verdict = verdict;
        panel.present(figures);
        EXPECT_FALSE(panel.verdictText().isEmpty()) << static_cast<int>(verdict);
    }
}

TEST(ProbeHealthPanel, AThresholdOutsideTheSwingIsToldApartFromTheVerdict)
{
    QWidget page;
    live::ProbeHealthPanel panel(&page);
    ProbeHealthFigures figures;
    figures.verdict = ProbeVerdict::Working;
    figures.judgedSeconds = 10;
    figures.minVolts = 0.10f;
    figures.maxVolts = 0.78f;
    figures.crossingsPerSecond = 5;
    figures.richShare = 0.5;
    auto* note = panel.findChild<QLabel*>("UwagaProguSondy");
    ASSERT_NE(note, nullptr);

    panel.present(figures, 0);  // "Próg sondy lambda" 0,00 V
    EXPECT_EQ(panel.verdictText(), "sprawna") << "the probe is not blamed";
    EXPECT_TRUE(panel.thresholdShown());
    EXPECT_EQ(note->text(), QString::fromUtf8("Próg sterownika 0,00 V leży poniżej napięć sondy 0,10-0,78 V: sterownik "
                                              "zawsze widzi mieszankę bogatą. To ustawienie do poprawienia, nie wada "
                                              "sondy."));
    panel.present(figures, 10);  // 0,20 V: inside, far from the middle 0,44 V
    EXPECT_TRUE(note->text().contains(QString::fromUtf8("daleko od środka napięć sondy 0,10-0,78 V (0,44 V)")))
        << note->text().toStdString();
    panel.present(figures, 19);  // 0,38 V: where it belongs
    EXPECT_FALSE(panel.thresholdShown());
    EXPECT_TRUE(note->text().isEmpty());

    figures.verdict = ProbeVerdict::StuckRich;
    panel.present(figures, 0);
    EXPECT_FALSE(panel.thresholdShown()) << "a stuck probe is the fault, whatever the setting";
}

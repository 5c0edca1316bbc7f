#include "ProbeHealthPanel.h"

#include "ScaleTables.h"
#include "TextSlots.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

namespace dravinor::live {

using diagnostics::ProbeVerdict;

namespace {

const QString dash = QStringLiteral("-");
constexpr double refreshSeconds = 0.5;

QString seconds(const std::optional<double>& value)
{
    return value ? QStringLiteral("%1 s").arg(*value, 0, 'f', 2) : dash;
}

// Green for a working probe, amber for a slow one, red for a fault, grey
// while there is too little to judge.
QColor verdictColour(ProbeVerdict verdict)
{
    switch (verdict) {
    case ProbeVerdict::Working: return QColor(0x00, 0x80, 0x00);
    case ProbeVerdict::Slow: return QColor(0xC0, 0x70, 0x00);
    case ProbeVerdict::NotEnoughData: return QColor(0x60, 0x60, 0x60);
    default: return QColor(0xC0, 0x00, 0x00);
    }
}

}  // namespace

ProbeHealthPanel::ProbeHealthPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName("StanSondy");
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    heading_ = new QLabel(QStringLiteral("Stan sondy lambda"), this);
    heading_->setObjectName("StanSondyL");
    grid->addWidget(heading_, 0, 0, 1, 2);

    swing_ = addRow(1, "ZakresSondyL", QStringLiteral("Napięcia"));
    crossings_ = addRow(2, "PrzelaczeniaSondyL", QStringLiteral("Przełączenia"));
    richShare_ = addRow(3, "CzasBogatejL", QStringLiteral("Czas bogatej"));
    leanToRich_ = addRow(4, "UbogaBogataL", QStringLiteral("Uboga > bogata"));
    richToLean_ = addRow(5, "BogataUbogaL", QStringLiteral("Bogata > uboga"));

    verdictLabel_ = new QLabel(this);
    verdictLabel_->setObjectName("WerdyktSondy");
    verdictLabel_->setWordWrap(true);
    grid->addWidget(verdictLabel_, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    applyFont(font());
    clear();
}

// The values column is as wide as its widest value ever is, so the panel's
// size hint holds before the first figures come.
void ProbeHealthPanel::applyFont(const QFont& font)
{
    setFont(font);
    QFont bold = font;
    bold.setBold(true);
    for (QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        label->setFont(label == heading_ || label == verdictLabel_ ? bold : font);
    const int widest = QFontMetrics(font).horizontalAdvance(QStringLiteral("8.88-8.88 V"));
    for (QLabel* value : {swing_, crossings_, richShare_, leanToRich_, richToLean_})
        value->setMinimumWidth(widest);
}

QLabel* ProbeHealthPanel::addRow(int row, const char* captionName, const QString& caption)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* captionLabel = new QLabel(caption, this);
    captionLabel->setObjectName(captionName);
    auto* value = new QLabel(dash, this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(captionLabel, row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

void ProbeHealthPanel::setProbeType(int item)
{
    if (item == probeType_)
        return;
    probeType_ = item;
    restart();
}

void ProbeHealthPanel::restart()
{
    health_.reset(probeType_, thresholdRaw_ * params::lambdaThresholdStep);
    lastShown_.reset();
    clear();
}

void ProbeHealthPanel::feed(double seconds, const params::LiveFrame& frame, int rpm, std::uint8_t thresholdRaw)
{
    if (thresholdRaw != thresholdRaw_) {
        thresholdRaw_ = thresholdRaw;
        restart();
    }
    health_.add({seconds, params::lambdaVolts(frame.lambda), rpm});
    if (lastShown_ && seconds - *lastShown_ < refreshSeconds && seconds >= *lastShown_)
        return;
    lastShown_ = seconds;
    present(health_.figures());
}

void ProbeHealthPanel::present(const diagnostics::ProbeHealthFigures& figures)
{
    const bool judged = figures.judgedSeconds > 0;
    swing_->setText(judged ? QStringLiteral("%1-%2 V").arg(figures.minVolts, 0, 'f', 2)
                                 .arg(figures.maxVolts, 0, 'f', 2)
                           : dash);
    crossings_->setText(judged ? QStringLiteral("%1 /s").arg(figures.crossingsPerSecond, 0, 'f', 1) : dash);
    richShare_->setText(judged ? QStringLiteral("%1 %").arg(figures.richShare * 100, 0, 'f', 0) : dash);
    leanToRich_->setText(seconds(figures.leanToRichSeconds));
    richToLean_->setText(seconds(figures.richToLeanSeconds));
    verdict_ = figures.verdict;
    redrawTexts();
}

void ProbeHealthPanel::clear()
{
    for (QLabel* value : {swing_, crossings_, richShare_, leanToRich_, richToLean_})
        value->setText(dash);
    verdict_.reset();
    redrawTexts();
}

void ProbeHealthPanel::redrawTexts()
{
    if (!verdict_) {
        verdictLabel_->clear();
        return;
    }
    verdictLabel_->setText(verdictText());
    QPalette palette = verdictLabel_->palette();
    palette.setColor(QPalette::WindowText, verdictColour(*verdict_));
    verdictLabel_->setPalette(palette);
}

QString ProbeHealthPanel::verdictText() const
{
    if (!verdict_)
        return {};
    const int key = lang::slot::probeVerdict + static_cast<int>(*verdict_);
    return QString::fromStdString(lang::textSlots().text(key));
}

}  // namespace dravinor::live

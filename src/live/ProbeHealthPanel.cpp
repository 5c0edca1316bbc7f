#include "live/ProbeHealthPanel.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "params/ScaleTables.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

namespace dravinor::live {

using diagnostics::ProbeVerdict;

namespace {

const QString dash = QStringLiteral("-");
constexpr double refreshSeconds = 0.5;

// Numbers as the window's language writes them.
QString decimal(double value, int decimals)
{
    return QString::fromStdString(lang::decimalText(value, decimals));
}

QString unit(lang::Unit which)
{
    return QString::fromStdString(lang::unitText(which));
}

QString seconds(const std::optional<double>& value)
{
    return value ? decimal(*value, 2) + u' ' + unit(lang::Unit::Second) : dash;
}

QString slotText(int key)
{
    return QString::fromStdString(lang::textSlots().text(key));
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
    // It may lie over other pictures of the page: they must not show through.
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    heading_ = new QLabel(QStringLiteral("Stan sondy lambda"), this);
    heading_->setObjectName("StanSondyL");
    heading_->setWordWrap(true);
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
    // A threshold to correct is said apart from the probe's verdict.
    thresholdLabel_ = new QLabel(this);
    thresholdLabel_->setObjectName("UwagaProguSondy");
    thresholdLabel_->setWordWrap(true);
    QPalette palette = thresholdLabel_->palette();
    palette.setColor(QPalette::WindowText, QColor(0xC0, 0x70, 0x00));
    thresholdLabel_->setPalette(palette);
    // It wraps to the panel's width and does not widen it.
    thresholdLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    thresholdLabel_->hide();
    grid->addWidget(thresholdLabel_, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
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
    const int widest = QFontMetrics(font).horizontalAdvance(decimal(8.88, 2) + u'-' + decimal(8.88, 2) + u' ' +
                                                            unit(lang::Unit::Volt));
    for (QLabel* value : {swing_, crossings_, richShare_, leanToRich_, richToLean_})
        value->setMinimumWidth(widest);
}

QLabel* ProbeHealthPanel::addRow(int row, const char* captionName, const QString& caption)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* captionLabel = new QLabel(caption, this);
    captionLabel->setObjectName(captionName);
    // A long caption (Russian) wraps on the panel's width instead of being cut.
    captionLabel->setWordWrap(true);
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
    health_.reset(probeType_);
    lastShown_.reset();
    clear();
}

void ProbeHealthPanel::feed(double seconds, const params::LiveFrame& frame, int rpm, std::uint8_t thresholdRaw)
{
    health_.add({seconds, params::lambdaVolts(frame.lambda), rpm});
    // A new threshold is judged at once against the figures already there.
    if (lastShown_ && seconds - *lastShown_ < refreshSeconds && seconds >= *lastShown_ && thresholdRaw == thresholdRaw_)
        return;
    lastShown_ = seconds;
    present(health_.figures(), thresholdRaw);
}

void ProbeHealthPanel::present(const diagnostics::ProbeHealthFigures& figures)
{
    present(figures, thresholdRaw_);
}

void ProbeHealthPanel::present(const diagnostics::ProbeHealthFigures& figures, std::uint8_t thresholdRaw)
{
    const bool judged = figures.judgedSeconds > 0;
    swing_->setText(judged ? decimal(figures.minVolts, 2) + u'-' + decimal(figures.maxVolts, 2) + u' ' +
                                 unit(lang::Unit::Volt)
                           : dash);
    crossings_->setText(judged ? decimal(figures.crossingsPerSecond, 1) + u' ' + unit(lang::Unit::PerSecond) : dash);
    richShare_->setText(judged ? QStringLiteral("%1 %").arg(figures.richShare * 100, 0, 'f', 0) : dash);
    leanToRich_->setText(seconds(figures.leanToRichSeconds));
    richToLean_->setText(seconds(figures.richToLeanSeconds));
    verdict_ = figures.verdict;
    shown_ = figures;
    thresholdRaw_ = thresholdRaw;
    threshold_ = diagnostics::judgeThreshold(figures, probeType_, thresholdRaw * params::lambdaThresholdStep);
    redrawTexts();
}

void ProbeHealthPanel::clear()
{
    for (QLabel* value : {swing_, crossings_, richShare_, leanToRich_, richToLean_})
        value->setText(dash);
    verdict_.reset();
    threshold_ = {};
    redrawTexts();
}

void ProbeHealthPanel::redrawTexts()
{
    const QString threshold = thresholdText();
    thresholdLabel_->setText(threshold);
    thresholdLabel_->setVisible(!threshold.isEmpty());
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
    return slotText(lang::slot::probeVerdict + static_cast<int>(*verdict_));
}

bool ProbeHealthPanel::thresholdShown() const
{
    return !thresholdLabel_->isHidden();
}

QString ProbeHealthPanel::thresholdText() const
{
    using diagnostics::ThresholdPlace;
    if (!diagnostics::thresholdMisplaced(threshold_.place))
        return {};
    const QString side =
        slotText(threshold_.controllerSeesRich ? lang::slot::controllerSeesRich : lang::slot::controllerSeesLean);
    const QString low = decimal(shown_.minVolts, 2);
    const QString high = decimal(shown_.maxVolts, 2);
    const QString threshold = decimal(thresholdRaw_ * params::lambdaThresholdStep, 2);
    switch (threshold_.place) {
    case ThresholdPlace::BelowSwing: return slotText(lang::slot::thresholdBelowSwing).arg(threshold, low, high, side);
    case ThresholdPlace::AboveSwing: return slotText(lang::slot::thresholdAboveSwing).arg(threshold, low, high, side);
    default:
        return slotText(lang::slot::thresholdOffMiddle)
            .arg(threshold, low, high, decimal(threshold_.swingMiddle, 2), side);
    }
}

}  // namespace dravinor::live

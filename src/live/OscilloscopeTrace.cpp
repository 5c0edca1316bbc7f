// The trace's context menu: freezing the picture, and saving what it shows
// as a PNG picture or CSV samples.
#include "live/OscilloscopeGroup.h"

#include "lang/ItemTexts.h"
#include "lang/TextSlots.h"
#include "live/SaveRefusalText.h"
#include "live/SuggestedFileName.h"
#include "live/TScope.h"
#include "live/TraceSamples.h"
#include "params/PathText.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

#include <algorithm>
#include <functional>

namespace dravinor::live {

void OscilloscopeGroup::buildTraceMenu()
{
    scope_->setContextMenuPolicy(Qt::ActionsContextMenu);
    freezeAction_ = new QAction(QStringLiteral("Zamroź obraz"), scope_);
    freezeAction_->setObjectName("ZamrozObraz");
    freezeAction_->setCheckable(true);
    connect(freezeAction_, &QAction::toggled, this, &OscilloscopeGroup::setFrozen);
    auto* picture = new QAction(QStringLiteral("Zapisz obraz (PNG)…"), scope_);
    picture->setObjectName("ZapiszObrazPNG");
    connect(picture, &QAction::triggered, this, [this, picture] {
        askAndSave(picture->text(), QStringLiteral("PNG (*.png)"), QStringLiteral("png"),
                   &OscilloscopeGroup::savePicture);
    });
    auto* samples = new QAction(QStringLiteral("Zapisz próbki (CSV)…"), scope_);
    samples->setObjectName("ZapiszProbkiCSV");
    connect(samples, &QAction::triggered, this, [this, samples] {
        askAndSave(samples->text(), QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                   &OscilloscopeGroup::saveSamples);
    });
    scope_->addActions({freezeAction_, picture, samples});
    connect(scope_, &TScope::stepped, this, &OscilloscopeGroup::recordStep);
}

// Each sweep step draws the latest inputs: the same values, in units, go
// into the history with the step's time.
void OscilloscopeGroup::recordStep()
{
    latest_.seconds = static_cast<double>(steps_++) * scope_->interval() * 10 / 1000.0;
    latest_.wallClockMs = recordedClockMs_ > 0 ? recordedClockMs_ : QDateTime::currentMSecsSinceEpoch();
    history_.add(latest_);
}

std::size_t OscilloscopeGroup::visibleSteps() const
{
    return static_cast<std::size_t>(std::max(1, scope_->width() / TScope::segmentWidth));
}

void OscilloscopeGroup::setFrozen(bool frozen)
{
    scope_->setFrozen(frozen);
    held_ = frozen ? history_.newest(visibleSteps()) : std::vector<TraceSample>{};
    if (freezeAction_->isChecked() != frozen)
        freezeAction_->setChecked(frozen);
}

bool OscilloscopeGroup::frozen() const
{
    return scope_->frozen();
}

std::vector<TraceSample> OscilloscopeGroup::shownSamples() const
{
    return frozen() ? held_ : history_.newest(visibleSteps());
}

TraceChart OscilloscopeGroup::chart() const
{
    TraceChart chart;
    chart.samples = shownSamples();
    for (int channel = 0; channel < TScope::channelCount; ++channel)
        chart.channels[static_cast<std::size_t>(channel)] = scope_->channelDrawn(channel);
    chart.lambdaTraceDivisor = lambdaTraceDivisor_;
    chart.probeName = probeName();
    return chart;
}

// The item as the parameter page's list shows it, in the window's language;
// without that page (the live page alone), the built-in item.
QString OscilloscopeGroup::probeName() const
{
    if (probeItem_ < 0)
        return {};
    if (const auto* list = window()->findChild<QComboBox*>(QStringLiteral("RSLambda"));
        list && probeItem_ < list->count())
        return list->itemText(probeItem_).simplified();
    const auto item = lang::probeTypeItems.at(static_cast<std::size_t>(probeItem_));
    return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())).simplified();
}

namespace {

// Written whole or not at all, and only onto a regular file or a new name:
// QSaveFile would rename its temporary over a FIFO or a device node, and
// opening a FIFO to write waits for a reader.
TraceSave saveWhole(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    TraceSave result;
    result.target = params::examineSaveTarget(params::pathFromUtf8(path.toStdString()));
    if (!result.target.savable())
        return result;
    QSaveFile file(QFileInfo(result.target.file).filePath());
    result.saved = file.open(QIODevice::WriteOnly) && write(file) && file.commit();
    return result;
}

}  // namespace

TraceSave OscilloscopeGroup::savePicture(const QString& path) const
{
    const QImage picture = traceChartImage(chart());
    return saveWhole(path, [&picture](QIODevice& file) { return picture.save(&file, "PNG"); });
}

TraceSave OscilloscopeGroup::saveSamples(const QString& path) const
{
    const std::string text = traceCsv(shownSamples());
    return saveWhole(path, [&text](QIODevice& file) {
        return file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
    });
}

void OscilloscopeGroup::setSaveDialogs(SaveDialogs dialogs)
{
    saveDialogs_ = std::move(dialogs);
}

void OscilloscopeGroup::askAndSave(const QString& caption, const QString& filter, const QString& suffix,
                                   TraceSave (OscilloscopeGroup::*save)(const QString&) const)
{
    // The picture and the samples of one moment share a name, each with its own extension.
    const QString suggested = datedFileName(QStringLiteral("dravinor-trace"), suffix, QDateTime::currentDateTime());
    const QString path =
        withDefaultSuffix(saveDialogs_.chooseFile ? saveDialogs_.chooseFile(suggested, filter, suffix)
                                                  : QFileDialog::getSaveFileName(this, caption, suggested, filter),
                          suffix);
    if (path.isEmpty())
        return;
    const TraceSave saved = (this->*save)(path);
    if (saved)
        return;
    QString why = QString::fromStdString(lang::textSlots().text(lang::slot::traceNotSaved)).arg(path);
    if (!saved.target.savable())
        why += ": " + saveRefusalText(saved.target);
    if (saveDialogs_.tell)
        saveDialogs_.tell(why);
    else
        QMessageBox::warning(this, QString(), why);
}

}  // namespace dravinor::live

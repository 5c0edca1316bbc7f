#pragma once

#include "live/Placement.h"
#include "live/ProbeType.h"
#include "live/TraceChart.h"
#include "live/TraceHistory.h"
#include "params/LiveFrame.h"
#include "params/SaveTarget.h"

#include <QGroupBox>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;

namespace dravinor::live {

class TScope;

// How a trace save went: saved, or not; a name that holds no regular file
// is refused untouched, and target says what holds it.
struct TraceSave {
    bool saved = false;
    params::SaveTarget target;
    explicit operator bool() const { return saved; }
};

// Where the layout puts one control; an empty member leaves it as it is.

// The oscilloscope group laid out for a window of W x H: scaled by W / 800
// and H / 600, every number truncated. The group sits right of the TPS meter
// and ends just above the bottom of the page.
struct OscilloscopeLayout {
    std::map<std::string, Placement> controls;  // by objectName, GroupBoxLambda included
    int gridSpacing = 0;                        // for Scope1, set after its size
};
OscilloscopeLayout layoutOscilloscope(int windowWidth, int windowHeight, int tpsMeterWidth, int pageHeight);

// GroupBoxLambda of the live page: the trace Scope1, a column of axis labels
// per channel, the lambda phase times and the boxes choosing channels, grid
// and pause. It also keeps the probe-type state the lambda trace is scaled by.
class OscilloscopeGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit OscilloscopeGroup(QWidget* parent = nullptr);

    TScope* scope() const { return scope_; }

    // Whether the live poll computes the channel's input (TraceChannel order).
    bool traceFeed(int channel) const { return traceFeed_.at(static_cast<std::size_t>(channel)); }
    bool paused() const;

    // The poll's trace inputs for every fed channel.
    void feed(const params::LiveFrame& frame, float ignitionConstant);

    // TH_L and TL_L, in milliseconds.
    void showHighTime(int ms);
    void showLowTime(int ms);

    // Applies an RSLambda item 0..5; anything else changes nothing.
    void applyProbeType(int item);
    float lambdaTraceDivisor() const { return lambdaTraceDivisor_; }
    bool probeFalling() const { return probeFalling_; }
    std::pair<int, int> probeClampRange() const { return probeClampRange_; }
    // The last probe type applied, none before the first.
    const std::optional<ProbeTypeSettings>& probeSettings() const { return probeSettings_; }

    void layout(int windowWidth, int windowHeight, int tpsMeterWidth, int pageHeight);

    // Freezing holds the picture and its samples; polling, recording and the
    // sweep underneath go on. The trace's context menu offers it and the two
    // saves below.
    void setFrozen(bool frozen);
    bool frozen() const;
    // The samples of the picture shown (held while frozen), oldest first.
    std::vector<TraceSample> shownSamples() const;
    // Those samples with what a kept picture of them needs.
    TraceChart chart() const;
    // A replay's polls are stamped with the time they were recorded at, so
    // that the trace's samples carry it rather than the time they are shown.
    void setRecordedClock(std::int64_t unixMs) { recordedClockMs_ = unixMs; }
    // The picture shown drawn for keeping (TraceChart) as PNG, its samples as
    // CSV; false when the file could not be written, or was refused for what
    // holds the name.
    TraceSave savePicture(const QString& path) const;
    TraceSave saveSamples(const QString& path) const;

    // The file dialog and the message of the two saves; the window routes
    // them through its own dialogs. Without them, Qt's own are shown.
    struct SaveDialogs {
        std::function<QString(const QString& suggestedName, const QString& filter, const QString& suffix)> chooseFile;
        std::function<void(const QString& text)> tell;
    };
    void setSaveDialogs(SaveDialogs dialogs);

signals:
    // The bars scaled by the probe type (Lambda_Bar, Bar1P3, Bar1P4) live
    // elsewhere; they take their value range from here.
    void probeTypeApplied(const dravinor::live::ProbeTypeSettings& settings);

private:
    void buildPanels();
    void buildChecks();
    void setChannelShown(int channel, bool on);
    void setGridShown(bool on);
    void place(const OscilloscopeLayout& layout);
    void buildTraceMenu();
    void recordStep();
    void askAndSave(const QString& caption, const QString& filter, const QString& suffix,
                    TraceSave (OscilloscopeGroup::*save)(const QString&) const);
    std::size_t visibleSteps() const;
    QString probeName() const;

    TScope* scope_ = nullptr;
    std::array<QFrame*, 4> panels_{};
    std::array<QCheckBox*, 4> channelChecks_{};
    QCheckBox* gridCheck_ = nullptr;
    QCheckBox* pauseCheck_ = nullptr;
    QLabel* highTime_ = nullptr;
    QLabel* lowTime_ = nullptr;

    std::array<bool, 4> traceFeed_{true, false, false, false};
    float lambdaTraceDivisor_ = initialTraceDivisor;
    bool probeFalling_ = false;
    std::pair<int, int> probeClampRange_{0, 0};
    std::optional<ProbeTypeSettings> probeSettings_;
    int probeItem_ = -1;
    TraceHistory history_;
    TraceSample latest_;
    long steps_ = 0;
    std::int64_t recordedClockMs_ = 0;
    std::vector<TraceSample> held_;
    QAction* freezeAction_ = nullptr;
    SaveDialogs saveDialogs_;
};

}  // namespace dravinor::live

#pragma once

#include "diagnostics/ProbeHealth.h"
#include "diagnostics/ProbeThreshold.h"
#include "params/LiveFrame.h"

#include <QFrame>

#include <array>
#include <optional>

class QLabel;

namespace dravinor::live {

// The lambda probe check on the live page: swing, switching rate, rich share,
// edge times and the verdict, from the figures of the last ten seconds; and,
// apart from the verdict, a controller threshold that lies outside the
// probe's swing or far from its middle.
class ProbeHealthPanel : public QFrame {
public:
    explicit ProbeHealthPanel(QWidget* parent);

    // The probe type the frames are read with (RSLambda's item): starts again.
    void setProbeType(int item);
    // One good live frame at a time in seconds, with the engine speed it
    // decoded to and the controller's lambda threshold (raw, 0.02 V steps)
    // it was shown with. The figures on the panel are refreshed twice a
    // second; the threshold is judged against them, it does not change them.
    void feed(double seconds, const params::LiveFrame& frame, int rpm, std::uint8_t thresholdRaw);
    // Starts again with no figures (a replay begins, the controller changed).
    void restart();

    void present(const diagnostics::ProbeHealthFigures& figures);
    // The same, the threshold (raw) judged against them.
    void present(const diagnostics::ProbeHealthFigures& figures, std::uint8_t thresholdRaw);
    // No figures (no controller, a replay starting): dashes and no verdict.
    void clear();
    // After a change of language: the verdict in the new words.
    void redrawTexts();

    QString verdictText() const;
    // Empty while the threshold fits the swing or is not judged.
    QString thresholdText() const;
    bool thresholdShown() const;

    // The panel's font on every label, the heading and the verdict in bold;
    // a language's captions may have been given fonts of their own.
    void applyFont(const QFont& font);

private:
    QLabel* addRow(int row, const char* captionName, const QString& caption);

    diagnostics::ProbeHealth health_{0};
    int probeType_ = 0;
    std::uint8_t thresholdRaw_ = 19;
    std::optional<double> lastShown_;
    std::optional<diagnostics::ProbeVerdict> verdict_;
    diagnostics::ProbeHealthFigures shown_;
    diagnostics::ThresholdFinding threshold_;
    QLabel* heading_ = nullptr;
    QLabel* swing_ = nullptr;
    QLabel* crossings_ = nullptr;
    QLabel* richShare_ = nullptr;
    QLabel* leanToRich_ = nullptr;
    QLabel* richToLean_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
    QLabel* thresholdLabel_ = nullptr;
};

}  // namespace dravinor::live

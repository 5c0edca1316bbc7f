#pragma once

#include "LiveFrame.h"
#include "ProbeHealth.h"

#include <QFrame>

#include <array>
#include <optional>

class QLabel;

namespace dravinor::live {

// The lambda probe check on the live page: swing, switching rate, rich share,
// edge times and the verdict, from the figures of the last ten seconds.
class ProbeHealthPanel : public QFrame {
public:
    explicit ProbeHealthPanel(QWidget* parent);

    // The probe type the frames are read with (RSLambda's item): starts again.
    void setProbeType(int item);
    // One good live frame at a time in seconds, with the engine speed it
    // decoded to and the lambda threshold (raw, 0.02 V steps) it was shown
    // with. The figures on the panel are refreshed twice a second.
    void feed(double seconds, const params::LiveFrame& frame, int rpm, std::uint8_t thresholdRaw);
    // Starts again with no figures (a replay begins, the controller changed).
    void restart();

    void present(const diagnostics::ProbeHealthFigures& figures);
    // No figures (no controller, a replay starting): dashes and no verdict.
    void clear();
    // After a change of language: the verdict in the new words.
    void redrawTexts();

    QString verdictText() const;

    // The panel's font on every label, the heading and the verdict in bold;
    // a language's captions may have been given fonts of their own.
    void applyFont(const QFont& font);

private:
    QLabel* addRow(int row, const char* captionName, const QString& caption);

    diagnostics::ProbeHealth health_{0, 0.38f};
    int probeType_ = 0;
    std::uint8_t thresholdRaw_ = 19;
    std::optional<double> lastShown_;
    std::optional<diagnostics::ProbeVerdict> verdict_;
    QLabel* heading_ = nullptr;
    QLabel* swing_ = nullptr;
    QLabel* crossings_ = nullptr;
    QLabel* richShare_ = nullptr;
    QLabel* leanToRich_ = nullptr;
    QLabel* richToLean_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
};

}  // namespace dravinor::live

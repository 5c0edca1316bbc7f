#pragma once

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

    void present(const diagnostics::ProbeHealthFigures& figures);
    // No figures (no controller, a replay starting): dashes and no verdict.
    void clear();
    // After a change of language: the verdict in the new words.
    void redrawTexts();

    QString verdictText() const;

private:
    QLabel* addRow(int row, const char* captionName, const QString& caption);

    std::optional<diagnostics::ProbeVerdict> verdict_;
    QLabel* swing_ = nullptr;
    QLabel* crossings_ = nullptr;
    QLabel* richShare_ = nullptr;
    QLabel* leanToRich_ = nullptr;
    QLabel* richToLean_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
};

}  // namespace dravinor::live

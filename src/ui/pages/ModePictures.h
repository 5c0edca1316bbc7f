#pragma once

#include <QPixmap>

namespace dravinor::ui {

// The comment picture of controller mode n of TPSterownika (1 "Ekonomiczna",
// 2 "Ekonomiczna+Max Otw.", 3 "Dynamiczna"): a small time chart of the
// actuator's answer to the TPS threshold being crossed. 140 x 70 logical
// pixels; a devicePixelRatio above 1 draws it sharper for stretching or
// high-density screens. A null pixmap for any other n.
QPixmap modeCommentPicture(int mode, qreal devicePixelRatio = 1.0);

}  // namespace dravinor::ui

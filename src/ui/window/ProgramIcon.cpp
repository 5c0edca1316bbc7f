#include "ui/window/ProgramIcon.h"

namespace dravinor::ui {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 128})
        icon.addFile(QStringLiteral(":/dravinor/dravinor-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace dravinor::ui

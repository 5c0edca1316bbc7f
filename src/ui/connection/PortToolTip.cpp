#include "ui/connection/PortToolTip.h"

#include <QStringList>

namespace dravinor::ui {

QString portToolTip(const std::string& device, const link::SystemRoots& roots)
{
    if (device.empty())
        return QStringLiteral("-");
    QStringList lines{QString::fromStdString(device)};
    // Only what sysfs and /dev say, so building the menu stays quick.
    const link::PortDiagnosis diagnosis = link::identifyPort(device, roots);
    if (!diagnosis.stableName.empty())
        lines << QString::fromStdString(diagnosis.stableName);
    if (diagnosis.usb.found()) {
        QString product = QString::fromStdString(diagnosis.usb.manufacturer + " " + diagnosis.usb.product).trimmed();
        lines << QString::fromStdString(diagnosis.usb.vendorId + ":" + diagnosis.usb.productId) +
                     (product.isEmpty() ? QString() : " " + product);
    }
    return lines.join(u'\n');
}

}  // namespace dravinor::ui

#include "live/SaveRefusalText.h"

#include "lang/TextSlots.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dravinor::live {

namespace {

// Text keys of why a save was refused: what holds the name, a loop of
// links, and where a link led ("dowiązanie do %1: %2").
namespace key = lang::slot::saveRefusal;

QString slotText(int key)
{
    return QString::fromStdString(lang::textSlots().text(key));
}

int keyOf(params::SaveTargetKind kind)
{
    using Kind = params::SaveTargetKind;
    switch (kind) {
    case Kind::Directory: return key::folder;
    case Kind::Fifo: return key::fifo;
    case Kind::CharacterDevice: return key::characterDevice;
    case Kind::BlockDevice: return key::blockDevice;
    case Kind::Socket: return key::socket;
    case Kind::LinkLoop: return key::linkLoop;
    case Kind::NewName:
    case Kind::RegularFile:
    case Kind::Unreachable: break;
    }
    return 0;
}

}  // namespace

QString saveRefusalText(const params::SaveTarget& target)
{
    const int key = keyOf(target.kind);
    if (key == 0)  // no refusal of this kind: the system's words say what went wrong
        return QString::fromStdString(params::systemTextOf(target));
    const QString what = slotText(key);
    if (!target.throughLink || target.kind == params::SaveTargetKind::LinkLoop)
        return what;
    return slotText(key::throughLink).arg(QDir::toNativeSeparators(QFileInfo(target.file).filePath()), what);
}

}  // namespace dravinor::live

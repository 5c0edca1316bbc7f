#include "SaveRefusalText.h"

#include "TextSlots.h"

#include <QDir>
#include <QFile>

namespace dravinor::live {

namespace {

// Text keys of why a save was refused: what holds the name, a loop of
// links, and where a link led ("dowiązanie do %1: %2").
namespace key {
inline constexpr int folder = 51500;
inline constexpr int fifo = 51501;
inline constexpr int characterDevice = 51502;
inline constexpr int blockDevice = 51503;
inline constexpr int socket = 51504;
inline constexpr int linkLoop = 51505;
inline constexpr int throughLink = 51506;  // %1: where the link leads, %2: what is there
}  // namespace key

QString slotText(int key) { return QString::fromStdString(lang::textSlots().text(key)); }

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
    return slotText(key::throughLink)
        .arg(QDir::toNativeSeparators(QFile::decodeName(target.file.c_str())), what);
}

}  // namespace dravinor::live

#include "LanguageLoader.h"

#include "Dialogs.h"
#include "LanguageFile.h"
#include "TextKeyApplier.h"
#include "WindowTexts.h"

#include <QFile>

namespace dravinor::ui {

namespace {

QString decoded(lang::SingleByteDecoder& decoder, const std::string& bytes)
{
    const std::string utf8 = decoder.toUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

bool loadLanguageFile(const QString& path, lang::CodePage codePage, TextKeyApplier& applier, Dialogs& dialogs)
{
    using Status = lang::LanguageFileContent::Status;
    const auto content = lang::readLanguageFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    switch (content.status) {
    case Status::CannotOpen: dialogs.showMessage(texts::languageFileError); return false;
    case Status::TooLarge:
        dialogs.showError(texts::languageFileError,
                          QStringLiteral("%1\nis larger than %2 bytes: not a language file")
                              .arg(path)
                              .arg(lang::maxLanguageFileSize));
        return false;
    case Status::Read:
    case Status::BadKey: break;
    }

    lang::SingleByteDecoder decoder(codePage);
    applier.findTargets();
    for (const lang::KeyedText& line : content.lines)
        applier.applyTextKey(line.key, decoded(decoder, line.text));
    if (content.status == Status::BadKey) {
        dialogs.showConversionError(decoded(decoder, content.badKey));
        return false;
    }
    return true;
}

}  // namespace dravinor::ui

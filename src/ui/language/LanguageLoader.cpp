#include "ui/language/LanguageLoader.h"

#include "lang/LanguageFile.h"
#include "params/PathText.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/SlotText.h"
#include "ui/language/TextKeyApplier.h"
#include "ui/window/WindowTexts.h"

#include <QFile>

#include <iostream>

namespace dravinor::ui {

namespace {

const char* codePageName(lang::CodePage codePage)
{
    return codePage == lang::CodePage::Windows1250 ? "Windows-1250" : "Windows-1251";
}

// The texts of one file in UTF-8, whichever way the file was saved.
class FileTexts {
public:
    FileTexts(lang::CodePage codePage, lang::TextEncoding encoding)
        : decoder_(codePage), utf8_(encoding == lang::TextEncoding::Utf8)
    {
    }
    QString operator()(const std::string& bytes)
    {
        const std::string utf8 = utf8_ ? bytes : decoder_.toUtf8(bytes);
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }

private:
    lang::SingleByteDecoder decoder_;
    bool utf8_;
};

}  // namespace

bool loadLanguageFile(const QString& path, lang::CodePage codePage, TextKeyApplier& applier, Dialogs& dialogs)
{
    using Status = lang::LanguageFileContent::Status;
    const auto content = lang::readLanguageFile(params::pathFromUtf8(path.toStdString()));
    switch (content.status) {
    case Status::CannotOpen: dialogs.showMessage(texts::languageFileError); return false;
    case Status::TooLarge:
        // One substitution for both, so a "%2" in the path stays as it is.
        dialogs.showMessage(
            slotText(lang::slot::languageFileTooLarge).arg(path, QString::number(lang::maxLanguageFileSize)));
        return false;
    case Status::Read:
    case Status::BadKey: break;
    }

    if (content.encoding == lang::TextEncoding::Utf8) {
        // The texts are whole in UTF-8; read as the code page they would be
        // garbled. Loaded as they are, with a word for whoever keeps the file.
        std::cerr << "dravinor: " << path.toStdString() << " is saved as UTF-8, not as " << codePageName(codePage)
                  << "; its texts are read as UTF-8\n";
    }
    FileTexts texts(codePage, content.encoding);
    applier.findTargets();
    for (const lang::KeyedText& line : content.lines)
        applier.applyTextKey(line.key, texts(line.text));
    if (content.status == Status::BadKey) {
        dialogs.showConversionError(texts(content.badKey));
        return false;
    }
    return true;
}

}  // namespace dravinor::ui

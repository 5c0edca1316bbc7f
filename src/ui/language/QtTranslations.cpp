#include "ui/language/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <memory>

namespace dravinor::ui {

bool useQtTranslation(const QString& language)
{
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto translator = std::make_unique<QTranslator>();
    // Qt's own folder where Qt is installed for the system; in a portable
    // folder, which carries Qt beside the program, translations/ there.
    const QString file = QStringLiteral("qtbase_") + language;
    if (!translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(file, QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
        return false;
    // Owned by the application, so it goes before the application does.
    translator->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator.get());
    installed = translator.release();
    return true;
}

}  // namespace dravinor::ui

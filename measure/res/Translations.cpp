#include "measure/res/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tessmet {
namespace {

// Installs a loaded translator and hands it to the application, which owns it from then on.
bool Adopt(QCoreApplication& app, std::unique_ptr<QTranslator> translator) {
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    translator.release()->setParent(&app);
    return true;
}

}  // namespace

int InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    if (locale.language() != QLocale::Japanese) return 0;

    int installed = 0;
    auto own = std::make_unique<QTranslator>();
    if (own->load(QString::fromLatin1(kJapaneseTranslation)) && Adopt(app, std::move(own))) ++installed;

    // Qt's own texts (the standard buttons, the file dialogs). A Qt installed without its
    // translations leaves those in English.
    auto qt = std::make_unique<QTranslator>();
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QStringLiteral("/usr/share/qt6/translations")};
    for (const QString& folder : folders) {
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            if (Adopt(app, std::move(qt))) ++installed;
            break;
        }
    }
    return installed;
}

}  // namespace tessmet

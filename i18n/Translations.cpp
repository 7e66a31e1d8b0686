#include "i18n/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString BuiltInTranslationsFolder() { return QStringLiteral(":/i18n"); }

QString InstallTranslations(QCoreApplication& application, const QLocale& locale)
{
    // Qt's own texts (standard buttons, file dialogs) come from the system's
    // Qt translations when they are installed; without them they stay English.
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    else
        delete qtTexts;

    auto* ownTexts = new QTranslator(&application);
    if (!ownTexts->load(locale, QStringLiteral("norvo"), QStringLiteral("_"), BuiltInTranslationsFolder())) {
        delete ownTexts;
        return QString();
    }
    QCoreApplication::installTranslator(ownTexts);
    return ownTexts->language();
}

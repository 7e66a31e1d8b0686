// The user's language: the program's own translation and Qt's for its
// standard dialogs and buttons, chosen by the system locale (which follows
// LANGUAGE and LC_*). English needs nothing: the source texts are English.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Loads and installs the translators for locale into the application; they
// live as long as it. Returns the language of the program's translation
// loaded ("de"), or an empty string for none.
QString InstallTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());

// The folder inside the program's resources that holds its .qm files.
QString BuiltInTranslationsFolder();

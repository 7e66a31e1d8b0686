// English texts of the driver, the HTTP client and the command line are shown
// translated: whole, with a value in them, or sentence by sentence; what is
// unknown stays English. Without a translation they pass through unchanged.
#include "driver/ShownText.h"
#include "i18n/Translations.h"
#include "resources/ProductProfile.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

namespace {

using namespace wizardtest;

void App() { Application(); }

// Installs the German translation for the test's length, then removes it.
class German {
public:
    German()
    {
        App();
        EXPECT_TRUE(translator_.load(QStringLiteral("norvo_de"), BuiltInTranslationsFolder()));
        QCoreApplication::installTranslator(&translator_);
    }
    ~German() { QCoreApplication::removeTranslator(&translator_); }

private:
    QTranslator translator_;
};

const QString kRetry = QString::fromLatin1(ProductProfile::RetryAdviceText);
const QString kRetryDe = QStringLiteral(
    "Sie können dieses Installationsprogramm schließen und erneut starten oder die "
    "Aktualisierung über die Weboberfläche Ihres Routers durchführen.");

TEST(ShownText, GermanCases)
{
    const German german;
    struct {
        QString english, shown;
    } cases[] = {
        {QStringLiteral("Upgrading Firmware..."), QStringLiteral("Firmware wird aktualisiert...")},
        // outcomes joined from sentences
        {QStringLiteral("Error logging into router. ") + kRetry,
         QStringLiteral("Fehler bei der Anmeldung am Router. ") + kRetryDe},
        {QStringLiteral("There was an error with the upgrade process. ") + kRetry,
         QStringLiteral("Bei der Aktualisierung ist ein Fehler aufgetreten. ") + kRetryDe},
        // a known text of two sentences after a known sentence
        {QStringLiteral("This router has firmware version 3.0. ") +
             QString::fromLatin1(ProductProfile::ManualUpgradeText),
         QStringLiteral("Dieser Router hat die Firmware-Version 3.0. Er kann nicht automatisch aktualisiert werden. "
                        "Rufen Sie die folgende Website auf und aktualisieren Sie die Firmware von Hand.")},
        // a file name inside, twice in one text
        {QStringLiteral("A settings backup of this router from an earlier upgrade is still pending: /tmp/a b.gws. "
                        "Restore it with --restore /tmp/a b.gws, or upgrade anyway with --new-backup."),
         QStringLiteral("Eine Sicherung der Einstellungen dieses Routers aus einer früheren Aktualisierung steht noch "
                        "aus: /tmp/a b.gws. Stellen Sie sie mit --restore /tmp/a b.gws wieder her, oder "
                        "aktualisieren Sie trotzdem mit --new-backup.")},
        // a value that holds a placeholder of its own stays as it is
        {QStringLiteral("Cannot open file \"%2.bin\"."),
         QStringLiteral("Die Datei \"%2.bin\" kann nicht geöffnet werden.")},
        // the HTTP client's socket error: number line and reason line
        {QStringLiteral("Socket Error # 10061\r\nConnection refused."),
         QStringLiteral("Socket-Fehler Nr. 10061\r\nVerbindung abgelehnt.")},
        // a value that is a known text itself
        {QStringLiteral("A settings backup from an earlier upgrade is pending: f.gws (router not recorded). Restore "
                        "it with --restore f.gws."),
         QStringLiteral("Eine Sicherung der Einstellungen aus einer früheren Aktualisierung steht aus: f.gws (Router "
                        "nicht vermerkt). Stellen Sie sie mit --restore f.gws wieder her.")},
        // unknown pieces stay English, known ones beside them are translated
        {QStringLiteral("Something odd. Connection refused."), QStringLiteral("Something odd. Verbindung abgelehnt.")},
        {QStringLiteral("3.6"), QStringLiteral("3.6")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(c.english), c.shown) << c.english.toStdString();
}

TEST(ShownText, EveryKnownTextHasAGermanForm)
{
    const German german;
    for (const QString& source : ShownTextSources()) {
        // Values in the texts are filled with a file name the translation keeps.
        QString english = source;
        english.replace(QStringLiteral("%1"), QStringLiteral("x.gws"))
            .replace(QStringLiteral("%2"), QStringLiteral("router 1"))
            .replace(QStringLiteral("%3"), QString());
        EXPECT_NE(ShownText(english), english) << source.toStdString();
    }
}

TEST(ShownText, WithoutTranslationTextsPassUnchanged)
{
    App();
    for (const QString& source : ShownTextSources())
        EXPECT_EQ(ShownText(source), source);
    const QString joined = QStringLiteral("The firmware version does not match. ") + kRetry;
    EXPECT_EQ(ShownText(joined), joined);
}

}  // namespace

#include "driver/ShownText.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <iterator>
#include <vector>

namespace {

// The texts that reach a view as English: the driver's status lines and
// outcomes, the product's sentences, and the errors the HTTP client, the
// firmware source and the program files throw.
const char* const kSources[] = {
    // Status lines
    QT_TRANSLATE_NOOP("ShownText", "Saving Router Settings..."),
    QT_TRANSLATE_NOOP("ShownText", "Uploading Router Settings..."),
    QT_TRANSLATE_NOOP("ShownText", "Finalizing Router Settings Upload..."),
    QT_TRANSLATE_NOOP("ShownText", "Upgrading Firmware..."),
    QT_TRANSLATE_NOOP("ShownText", "Finalizing Firmware Upgrade..."),
    QT_TRANSLATE_NOOP("ShownText", "Restarting Router..."),
    QT_TRANSLATE_NOOP("ShownText", "The router has finished restarting..."),
    QT_TRANSLATE_NOOP("ShownText", "Contacting the router..."),
    QT_TRANSLATE_NOOP("ShownText", "Retrieving default gateway..."),
    QT_TRANSLATE_NOOP("ShownText", "Please wait while the router writes the new firmware. Do not turn it off..."),
    // Outcomes and prompts
    QT_TRANSLATE_NOOP("ShownText",
                      "There is a problem with the firmware in this installer. Please try downloading it again."),
    QT_TRANSLATE_NOOP("ShownText",
                      "Cannot log in to the router. Please check the wiring, retype the password if "
                      "needed, then click the Next button."),
    QT_TRANSLATE_NOOP("ShownText",
                      "The router did not confirm that it received the new firmware. It may still be writing it: do "
                      "not turn the router off or unplug it for the next few minutes."),
    QT_TRANSLATE_NOOP("ShownText", "There was an error with the upgrade process."),
    QT_TRANSLATE_NOOP("ShownText", "The firmware version does not match."),
    QT_TRANSLATE_NOOP("ShownText", "Could not connect to router and/or determine firmware version."),
    QT_TRANSLATE_NOOP("ShownText", "This router has firmware version 3.0."),
    QT_TRANSLATE_NOOP("ShownText", "Error logging into router."),
    QT_TRANSLATE_NOOP("ShownText", "Congratulations! You have successfully upgraded the firmware on your router."),
    QT_TRANSLATE_NOOP("ShownText", "Congratulations! This router now contains the most current firmware."),
    QT_TRANSLATE_NOOP("ShownText",
                      "You may close this installer and try running it again or use the web interface "
                      "of your router to perform the upgrade."),
    QT_TRANSLATE_NOOP("ShownText",
                      "It cannot be updated automatically. Go to the following website and update the "
                      "firmware manually."),
    QT_TRANSLATE_NOOP("ShownText",
                      "The router did not accept the password. Type the router's current admin password "
                      "to restore the settings:"),
    QT_TRANSLATE_NOOP("ShownText",
                      "Cannot log in to the router, so the settings from \"%1\" were not sent. Please check the "
                      "wiring and the password, then click Restore Settings again."),
    QT_TRANSLATE_NOOP("ShownText",
                      "The router did not confirm that it took the settings from \"%1\". The file is kept: check "
                      "the wiring, then click Restore Settings again."),
    QT_TRANSLATE_NOOP("ShownText",
                      "\"%1\" holds your router settings from before an upgrade that did not finish. Saving now "
                      "would replace them with the router's current settings.\n\nReplace the file anyway?"),
    QT_TRANSLATE_NOOP("ShownText",
                      "An earlier upgrade did not finish. Your router settings from before it are saved in "
                      "\"%1\".\n\nOpen the Restore Settings page to put them back on the router?"),
    QT_TRANSLATE_NOOP("ShownText",
                      "The settings backup could not be noted in the folder \"%1\", so it could not be offered "
                      "again after a failure. The router has not been changed. Make sure you can write to that "
                      "folder, then try again."),
    // Errors of the firmware image and the files sent
    QT_TRANSLATE_NOOP("ShownText", "This installer carries a placeholder image, not firmware for a router."),
    QT_TRANSLATE_NOOP("ShownText", "The firmware image is missing from this installer."),
    QT_TRANSLATE_NOOP("ShownText", "The firmware image in this installer is damaged."),
    QT_TRANSLATE_NOOP("ShownText", "The firmware file changed on disk before it was sent."),
    QT_TRANSLATE_NOOP("ShownText", "The router sent empty settings."),
    QT_TRANSLATE_NOOP("ShownText", "Cannot open file \"%1\"."),
    QT_TRANSLATE_NOOP("ShownText", "Unknown error"),
    // Errors of the HTTP client
    QT_TRANSLATE_NOOP("ShownText", "Not Connected"),
    QT_TRANSLATE_NOOP("ShownText", "Connection Closed Gracefully."),
    QT_TRANSLATE_NOOP("ShownText", "Response body larger than %1 bytes."),
    QT_TRANSLATE_NOOP("ShownText", "Response header larger than %1 bytes."),
    QT_TRANSLATE_NOOP("ShownText", "Socket Error # %1"),
    QT_TRANSLATE_NOOP("ShownText", "Connection refused."),
    QT_TRANSLATE_NOOP("ShownText", "Connection timed out."),
    QT_TRANSLATE_NOOP("ShownText", "Connection reset by peer."),
    QT_TRANSLATE_NOOP("ShownText", "Network is down."),
    QT_TRANSLATE_NOOP("ShownText", "Network is unreachable."),
    QT_TRANSLATE_NOOP("ShownText", "No route to host."),
    QT_TRANSLATE_NOOP("ShownText", "Host is down."),
    QT_TRANSLATE_NOOP("ShownText", "Host not found."),
    QT_TRANSLATE_NOOP("ShownText", "Software caused connection abort."),
    QT_TRANSLATE_NOOP("ShownText", "Cannot assign requested address."),
    // The command line's lines
    QT_TRANSLATE_NOOP("ShownText",
                      "Cannot log in to the router. Please check the wiring and the password, then run "
                      "the program again."),
    QT_TRANSLATE_NOOP("ShownText",
                      "No router found: this PC has no default gateway. Check the cable to the router, "
                      "or name the router with --router."),
    QT_TRANSLATE_NOOP("ShownText",
                      "Another run of this program is changing a router from this PC. Try again when it "
                      "has finished."),
    QT_TRANSLATE_NOOP("ShownText", "router not recorded"),
    QT_TRANSLATE_NOOP("ShownText", "router %1"),
    QT_TRANSLATE_NOOP("ShownText",
                      "A settings backup from an earlier upgrade is pending: %1 (%2%3). Restore it "
                      "with --restore %1."),
    QT_TRANSLATE_NOOP("ShownText",
                      "A settings backup of this router from an earlier upgrade is still pending: %1. "
                      "Restore it with --restore %1, or upgrade anyway with --new-backup."),
    QT_TRANSLATE_NOOP("ShownText", "Unknown error."),
    QT_TRANSLATE_NOOP("ShownText", "The run failed."),
    QT_TRANSLATE_NOOP("ShownText", "Router firmware version: %1"),
    QT_TRANSLATE_NOOP("ShownText", "The router settings from \"%1\" are restored."),
    QT_TRANSLATE_NOOP("ShownText", "Settings backup kept: %1"),
    QT_TRANSLATE_NOOP("ShownText", "%1 refused: the router is being changed; the run goes on."),
    QT_TRANSLATE_NOOP("ShownText", "%1: ending now; nothing on the router has changed."),
};

QString Translated(const char* source) { return QCoreApplication::translate(kShownTextContext, source); }

// A known text with %1 in it, matched as a pattern.
struct TTemplate {
    const char* Source;
    QList<int> Numbers;  // the placeholders' numbers, in the order of the groups
    QRegularExpression Pattern;
};

const std::vector<TTemplate>& Templates()
{
    static const std::vector<TTemplate> templates = [] {
        static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
        std::vector<TTemplate> result;
        for (const char* source : kSources) {
            const QString text = QString::fromUtf8(source);
            if (!text.contains(placeholder))
                continue;
            // Each value is a group; a value named twice must be the same both times.
            QString pattern = QStringLiteral("^");
            QList<int> seen;
            qsizetype start = 0;
            QRegularExpressionMatchIterator it = placeholder.globalMatch(text);
            while (it.hasNext()) {
                const QRegularExpressionMatch match = it.next();
                pattern += QRegularExpression::escape(text.mid(start, match.capturedStart() - start));
                const int number = match.captured(1).toInt();
                if (seen.contains(number)) {
                    pattern += QStringLiteral("\\%1").arg(seen.indexOf(number) + 1);
                } else {
                    seen << number;
                    pattern += QStringLiteral("([^\\r\\n]*?)");  // a value is never more than one line
                }
                start = match.capturedEnd();
            }
            pattern += QRegularExpression::escape(text.mid(start)) + QLatin1Char('$');
            result.push_back({source, seen, QRegularExpression(pattern)});
        }
        return result;
    }();
    return templates;
}

QString KnownText(const QString& english);

// A value inside a known text may be a known text itself ("router not recorded").
QString ShownValue(const QString& value)
{
    const QString known = KnownText(value);
    return known.isNull() ? value : known;
}

// The translation of a whole known text; a null string for an unknown one.
QString KnownText(const QString& english)
{
    const QByteArray bytes = english.toUtf8();
    const QString translated = QCoreApplication::translate(kShownTextContext, bytes.constData());
    if (translated != english)
        return translated;
    for (const char* source : kSources)
        if (bytes == source)
            return translated;
    for (const TTemplate& known : Templates()) {
        const QRegularExpressionMatch match = known.Pattern.match(english);
        if (!match.hasMatch())
            continue;
        QStringList values(known.Numbers.size());
        for (int i = 0; i < known.Numbers.size(); ++i)
            values[known.Numbers[i] - 1] = ShownValue(match.captured(i + 1));
        // One arg() call for all values: a value holding "%2" stays as it is.
        const QString shown = Translated(known.Source);
        switch (values.size()) {
        case 1:
            return shown.arg(values[0]);
        case 2:
            return shown.arg(values[0], values[1]);
        default:
            return shown.arg(values[0], values[1], values[2]);
        }
    }
    return QString();
}

}  // namespace

QString ShownText(const QString& english)
{
    const QString whole = KnownText(english);
    if (!whole.isNull())
        return whole;
    // Sentence by sentence: the separators (spaces, line ends) stay as they
    // are. A known text may hold several sentences ("It cannot be updated
    // automatically. Go to ..."), so from each sentence on the longest run of
    // sentences that is known as a whole is taken.
    static const QRegularExpression separator(QStringLiteral("(?<=[.!?:])[ ]+|\\r?\\n"));
    struct TPiece {
        qsizetype Start, End;  // the sentence, without the separator after it
    };
    std::vector<TPiece> pieces;
    qsizetype start = 0;
    QRegularExpressionMatchIterator it = separator.globalMatch(english);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        pieces.push_back({start, match.capturedStart()});
        start = match.capturedEnd();
    }
    pieces.push_back({start, english.size()});
    QString shown;
    for (size_t first = 0; first < pieces.size();) {
        size_t last = pieces.size() - 1;
        QString known;
        for (; last > first; --last) {
            known = KnownText(english.mid(pieces[first].Start, pieces[last].End - pieces[first].Start));
            if (!known.isNull())
                break;
        }
        if (last == first)
            known = KnownText(english.mid(pieces[first].Start, pieces[first].End - pieces[first].Start));
        shown += known.isNull() ? english.mid(pieces[first].Start, pieces[first].End - pieces[first].Start) : known;
        if (last + 1 < pieces.size())
            shown += english.mid(pieces[last].End, pieces[last + 1].Start - pieces[last].End);
        first = last + 1;
    }
    return shown;
}

const QStringList& ShownTextSources()
{
    static const QStringList sources = [] {
        QStringList result;
        for (const char* source : kSources)
            result << QString::fromUtf8(source);
        return result;
    }();
    return sources;
}

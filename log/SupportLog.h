// The support log: what each run asked of the router, what the router
// answered, the status texts and the outcome, one line per step, for the
// user to send to support. Passwords, the login token and settings bytes
// never reach it: callers hand over only request lines, status lines, sizes
// and the window's own texts, and URLs pass through RedactedUrl.
#pragma once

#include "log/LogCategories.h"

#include <QFile>
#include <QString>

#include <string>

class TSupportLog {
public:
    static constexpr qint64 DefaultRotateBytes = 1024 * 1024;

    // Opens the log for appending (creating its folder), writes firstLine,
    // and becomes the log every SupportLogLine writes to. When the file
    // cannot be opened the run goes on without it.
    TSupportLog(const QString& path, const QString& firstLine, qint64 rotateBytes = DefaultRotateBytes);
    ~TSupportLog();
    TSupportLog(const TSupportLog&) = delete;
    TSupportLog& operator=(const TSupportLog&) = delete;

    // "norvo-firmware-upgrade.log" in the user's application data folder.
    static QString DefaultPath();
    // The log of this run, or nullptr when the program keeps none (tests).
    static TSupportLog* Current();

    QString Path() const { return file_.fileName(); }
    bool IsOpen() const { return file_.isOpen(); }
    // Appends one line with the time and the category's name. A file that
    // would grow past the rotation size first becomes "<path>.1" (replacing
    // the one before), so the log keeps the last runs only.
    void Append(const char* category, const QString& text);

private:
    void Rotate();

    QFile file_;
    qint64 rotateBytes_;
};

// Writes a line to the support log, if the program keeps one, and to the
// category (standard error, as QT_LOGGING_RULES allows).
void SupportLogLine(const QLoggingCategory& category, const QString& text);

// The URL as the log may show it: everything from the first "hash=" (the
// login token, in any case of letters) to the end is replaced by "<redacted>".
QString RedactedUrl(const std::string& url);

// Where the program keeps its own files (the settings backup of an upgrade,
// the firmware file it uploads), and the record of the backups that upgrades
// left behind.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace ProgramFiles {
// Beside the program when nobody else can change files there: a build or
// unpacked folder that the user owns and that neither the group nor others
// may write. An installed program (under /usr, /usr/local or /opt) and every
// other case use the user's application data folder, created on demand.
QString Folder();
// The file of that name in Folder().
QString Path(const char* name);
// Where the program lives; empty means the folder of the running executable.
// Tests point it elsewhere.
void SetProgramFolder(const QString& folder);

// The name of a new settings backup: "SaveRouterSettings.gws" while no
// backup is pending, otherwise "SaveRouterSettings-YYYYMMDD-HHMMSS.gws", so
// that a pending backup is never written over. Never the name of an
// existing file.
QString NewBackupPath();
// The clock that stamps backup names; tests inject one.
void SetClock(std::function<QDateTime()> clock);
}  // namespace ProgramFiles

// An upgrade records its settings backup from the download until the router
// is proven to hold those settings again, or the user restores that file;
// a later start offers it again. Several may be pending at once.
namespace PendingBackup {
// A pending backup with what its record says about it. Records of earlier
// versions name only the file: their router is empty, their time invalid.
struct TEntry {
    QString File;
    QString Router;  // the router's address as "host[:port]"
    QDateTime Time;  // when it was recorded (the clock of ProgramFiles::SetClock)
};

// Records file as the backup of router, with the time. Throws when the
// record cannot be written, naming the folder it lives in: a backup nobody
// remembers could not be offered after a failure.
void Record(const QString& file, const QString& router = QString());
// Forgets that one file, or every record without an argument.
void Clear(const QString& file);
void Clear();
// The recorded backups whose files still exist, the newest last.
QStringList Files();
// The same with their routers and times, the newest last.
QList<TEntry> Entries();
// The newest of them; empty when none.
QString File();
bool IsPending(const QString& file);
}  // namespace PendingBackup

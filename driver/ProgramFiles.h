// Where the program keeps its own files (the settings backup of an upgrade,
// the firmware file it uploads), and the record of a backup that an upgrade
// left behind.
#pragma once

#include <QString>

namespace ProgramFiles {
// Beside the program when that folder is writable (a build tree, an unpacked
// copy); otherwise the user's application data folder, created on demand.
QString Folder();
// The file of that name in Folder().
QString Path(const char* name);
// Where the program lives; empty means the folder of the running executable.
// Tests point it elsewhere.
void SetProgramFolder(const QString& folder);
}  // namespace ProgramFiles

// An upgrade records its settings backup from the download until it ends in
// success or the user restores that file; a later start offers it again.
namespace PendingBackup {
void Record(const QString& file);
void Clear();
// The recorded backup while its file still exists; empty otherwise.
QString File();
}  // namespace PendingBackup

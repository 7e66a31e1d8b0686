// Temporary files that an earlier run left beside the settings backup and the
// firmware file when it was killed in the middle of writing one of them. A
// half-written settings download holds the router's passwords, so they do not
// stay forever.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Whether a whole-file writer's target of this name (no folder) is one of the
// program's own files in its files folder: the settings backup, also under a
// dated name ("SaveRouterSettings-YYYYMMDD-HHMMSS.gws"), or the firmware file.
bool IsProgramFileTarget(const QString& name);

// Removes the writer's temporary files of those targets from folder when they
// were last written more than an hour before now, and returns their names.
// The backup and the firmware file themselves, and everything else, stay.
QStringList RemoveStaleProgramTemporaries(const QString& folder,
                                          const QDateTime& now = QDateTime::currentDateTimeUtc());

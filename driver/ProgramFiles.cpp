#include "driver/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString& ProgramFolderOverride()
{
    static QString folder;
    return folder;
}

// Permission bits do not tell (root, read-only mounts, ACLs): try it.
bool CanCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.norvo-probe-XXXXXX"));
    return probe.open();
}

const QString kPendingBackupKey = QStringLiteral("PendingSettingsBackup");

QSettings Settings()
{
    return QSettings(QStringLiteral("norvo"), QStringLiteral("firmware-upgrade"));
}

}  // namespace

namespace ProgramFiles {

void SetProgramFolder(const QString& folder)
{
    ProgramFolderOverride() = folder;
}

QString Folder()
{
    const QString program =
        ProgramFolderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : ProgramFolderOverride();
    if (CanCreateFilesIn(program))
        return program;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);  // a failure shows when the file is written, with its name
    return data;
}

QString Path(const char* name)
{
    return Folder() + QLatin1Char('/') + QString::fromLatin1(name);
}

}  // namespace ProgramFiles

namespace PendingBackup {

void Record(const QString& file)
{
    Settings().setValue(kPendingBackupKey, QFileInfo(file).absoluteFilePath());
}

void Clear()
{
    Settings().remove(kPendingBackupKey);
}

QString File()
{
    const QString file = Settings().value(kPendingBackupKey).toString();
    return !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

}  // namespace PendingBackup

#include "driver/ProgramFiles.h"

#include "base/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString& ProgramFolderOverride()
{
    static QString folder;
    return folder;
}

std::function<QDateTime()>& Clock()
{
    static std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    return clock;
}

// Permission bits do not tell everything (read-only mounts, ACLs): try it.
bool CanCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.norvo-probe-XXXXXX"));
    return probe.open();
}

bool IsUnderInstallPrefix(const QString& folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    for (const char* prefix : {"/usr/", "/opt/"})
        if (path.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

bool IsPrivateProgramFolder(const QString& folder)
{
    // The backup and the firmware file are opened again by name later:
    // another user who may write the folder could swap them meanwhile.
    struct stat info {};
    if (folder.isEmpty() || IsUnderInstallPrefix(folder) || ::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
           CanCreateFilesIn(folder);
}

const QString kPendingBackupsKey = QStringLiteral("PendingSettingsBackups");
// The single record of earlier versions, still read.
const QString kPendingBackupKey = QStringLiteral("PendingSettingsBackup");

// Per file (its absolute path): the router's address and the time of the
// record. Kept apart from the list, which earlier versions read and write.
const QString kPendingDetailsKey = QStringLiteral("PendingSettingsBackupDetails");

QSettings Settings() { return QSettings(QStringLiteral("norvo"), QStringLiteral("firmware-upgrade")); }

QStringList Recorded(QSettings& settings)
{
    QStringList files = settings.value(kPendingBackupsKey).toStringList();
    const QString single = settings.value(kPendingBackupKey).toString();
    if (!single.isEmpty() && !files.contains(single))
        files.prepend(single);
    return files;
}

// Writes the list; false when it did not reach the disk.
bool Store(QSettings& settings, const QStringList& files)
{
    // Details only of the files still recorded.
    const QVariantMap details = settings.value(kPendingDetailsKey).toMap();
    QVariantMap kept;
    for (const QString& file : files)
        if (details.contains(file))
            kept.insert(file, details.value(file));
    if (kept.isEmpty())
        settings.remove(kPendingDetailsKey);
    else
        settings.setValue(kPendingDetailsKey, kept);
    settings.remove(kPendingBackupKey);
    if (files.isEmpty())
        settings.remove(kPendingBackupsKey);
    else
        settings.setValue(kPendingBackupsKey, files);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString Absolute(const QString& file) { return QFileInfo(file).absoluteFilePath(); }

}  // namespace

namespace ProgramFiles {

void SetProgramFolder(const QString& folder) { ProgramFolderOverride() = folder; }

void SetClock(std::function<QDateTime()> clock)
{
    Clock() = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

QString Folder()
{
    const QString program =
        ProgramFolderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : ProgramFolderOverride();
    if (IsPrivateProgramFolder(program))
        return program;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);  // a failure shows when the file is written, with its name
    return data;
}

QString Path(const char* name) { return Folder() + QLatin1Char('/') + QString::fromLatin1(name); }

QString NewBackupPath()
{
    const QString plain = Path("SaveRouterSettings.gws");
    if (PendingBackup::Files().isEmpty())
        return plain;
    const QString stem =
        Folder() + QStringLiteral("/SaveRouterSettings-") + Clock()().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".gws");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QStringLiteral("-%1.gws").arg(n);
    return name;
}

}  // namespace ProgramFiles

namespace PendingBackup {

void Record(const QString& file, const QString& router)
{
    QSettings settings = Settings();
    QStringList files = Recorded(settings);
    files.removeAll(Absolute(file));
    files.append(Absolute(file));
    QVariantMap details = settings.value(kPendingDetailsKey).toMap();
    details.insert(Absolute(file), QStringList{router, Clock()().toString(Qt::ISODate)});
    settings.setValue(kPendingDetailsKey, details);
    if (!Store(settings, files)) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(settings.fileName()).absolutePath());
        throw Exception(QStringLiteral("The settings backup could not be noted in the folder \"%1\", so it could "
                                       "not be offered again after a failure. The router has not been changed. "
                                       "Make sure you can write to that folder, then try again.")
                            .arg(folder)
                            .toStdString());
    }
}

void Clear(const QString& file)
{
    QSettings settings = Settings();
    QStringList files = Recorded(settings);
    files.removeAll(Absolute(file));
    Store(settings, files);  // a record left behind only offers a file that exists
}

void Clear()
{
    QSettings settings = Settings();
    Store(settings, {});
}

QStringList Files()
{
    QSettings settings = Settings();
    QStringList existing;
    for (const QString& file : Recorded(settings))
        if (QFileInfo(file).isFile())
            existing.append(file);
    return existing;
}

QList<TEntry> Entries()
{
    QSettings settings = Settings();
    const QVariantMap details = settings.value(kPendingDetailsKey).toMap();
    QList<TEntry> entries;
    for (const QString& file : Recorded(settings)) {
        if (!QFileInfo(file).isFile())
            continue;
        const QStringList detail = details.value(file).toStringList();
        TEntry entry{file, {}, {}};
        if (detail.size() == 2) {
            entry.Router = detail[0];
            entry.Time = QDateTime::fromString(detail[1], Qt::ISODate);
        }
        entries.append(entry);
    }
    return entries;
}

QString File()
{
    const QStringList files = Files();
    return files.isEmpty() ? QString() : files.last();
}

bool IsPending(const QString& file) { return !file.trimmed().isEmpty() && Files().contains(Absolute(file)); }

}  // namespace PendingBackup

#include "driver/RunLock.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

TRunLock::TRunLock(QString path) : FPath(std::move(path)), FLock(FPath)
{
    // A run takes many minutes: only a holder that has ended makes the lock
    // stale, never the lock's age.
    FLock.setStaleLockTime(0);
}

TRunLock::~TRunLock()
{
    if (FHeld)
        FLock.unlock();
}

bool TRunLock::TryLock()
{
    if (FHeld)
        return true;
    if (FLock.tryLock(0)) {
        FHeld = true;
        return true;
    }
    return FLock.error() != QLockFile::LockFailedError;
}

QString TRunLock::DefaultPath()
{
    const QString name = QStringLiteral("norvo-firmware-upgrade.lock");
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(name);
    // No runtime folder: one lock per user in the temporary folder.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("norvo-firmware-upgrade-%1.lock").arg(::geteuid()));
}

#include "cli/RunLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

TRunLock::TRunLock()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    file_ = std::make_unique<QLockFile>(folder + QStringLiteral("/norvo-firmware-upgrade.lock"));
}

TRunLock::~TRunLock() = default;

bool TRunLock::TryLock() { return file_->tryLock(0); }

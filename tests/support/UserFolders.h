// The user's folders of a test process: its own empty configuration and
// data folders, never the real home. Removed when the process ends. For
// tests that link Qt.
#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

inline const QTemporaryDir& UserFolders()
{
    static QTemporaryDir folders = [] {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        return dir;
    }();
    return folders;
}

}  // namespace testsupport

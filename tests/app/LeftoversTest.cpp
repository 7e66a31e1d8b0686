// Which temporary files of killed runs the program removes at start-up: only
// its own writer's, beside the settings backup and the firmware file.
#include "app/Leftovers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

TEST(Leftovers, TheProgramsOwnTargetsAreTheBackupAndTheFirmwareFile)
{
    struct Case {
        const char* name;
        bool ours;
    };
    for (const Case& c :
         {Case{"SaveRouterSettings.gws", true}, Case{"SaveRouterSettings-20261210-191700.gws", true},
          Case{"WRX-270C2_FW306B01.bin", true}, Case{"norvo-firmware-upgrade.log", false},
          Case{"SaveRouterSettings.txt", false}, Case{"MySettings.gws", false}, Case{"firmware.bin", false}})
        EXPECT_EQ(IsProgramFileTarget(QString::fromLatin1(c.name)), c.ours) << c.name;
}

void Touch(const QString& path, const QDateTime& when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

TEST(Leftovers, OnlyStaleTemporaryFilesOfTheProgramsTargetsGo)
{
    QTemporaryDir folder;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime twoHoursAgo = now.addSecs(-2 * 3600);
    for (const char* name : {"SaveRouterSettings.gws", "SaveRouterSettings-20261210-191700.gws.Ab3dE9",
                             "WRX-270C2_FW306B01.bin.x1y2z3", "norvo-firmware-upgrade.log.Ab3dE9"})
        Touch(folder.filePath(QString::fromLatin1(name)), twoHoursAgo);
    Touch(folder.filePath(QStringLiteral("SaveRouterSettings.gws.Fresh1")), now.addSecs(-60));

    QStringList removed = RemoveStaleProgramTemporaries(folder.path(), now);

    removed.sort();
    EXPECT_EQ(removed, (QStringList{folder.filePath(QStringLiteral("SaveRouterSettings-20261210-191700.gws.Ab3dE9")),
                                    folder.filePath(QStringLiteral("WRX-270C2_FW306B01.bin.x1y2z3"))}));
    QStringList left = QDir(folder.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"SaveRouterSettings.gws", "SaveRouterSettings.gws.Fresh1",
                                 "norvo-firmware-upgrade.log.Ab3dE9"}));
}

}  // namespace

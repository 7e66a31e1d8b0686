// The lock that keeps two runs on one PC from changing routers at once.
#include "driver/RunLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class RunLock : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(QStringLiteral("run.lock")); }
    QTemporaryDir dir;
};

TEST_F(RunLock, OneRunAtATime)
{
    TRunLock first(Path());
    ASSERT_TRUE(first.TryLock());
    EXPECT_TRUE(first.Held());
    EXPECT_TRUE(first.TryLock());  // its holder asking again

    TRunLock second(Path());
    EXPECT_FALSE(second.TryLock());
    EXPECT_FALSE(second.Held());
}

TEST_F(RunLock, ReleasedWhenItsHolderGoes)
{
    {
        TRunLock first(Path());
        ASSERT_TRUE(first.TryLock());
    }
    EXPECT_FALSE(QFile::exists(Path()));
    TRunLock second(Path());
    EXPECT_TRUE(second.TryLock());
}

// A long run keeps its lock: only an ended holder makes it stale.
TEST_F(RunLock, AnOldLockOfALiveRunStaysHeld)
{
    TRunLock first(Path());
    ASSERT_TRUE(first.TryLock());
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600), QFileDevice::FileModificationTime));
    file.close();

    TRunLock second(Path());
    EXPECT_FALSE(second.TryLock());
}

TEST_F(RunLock, ALockOfAnEndedProcessIsTakenOver)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* lock = new TRunLock(Path());  // never released: the process ends holding it
        ::_exit(lock->TryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(Path()));

    TRunLock next(Path());
    EXPECT_TRUE(next.TryLock());
}

TEST_F(RunLock, AFolderWithoutWriteAccessLeavesTheRunUnguarded)
{
    TRunLock lock(dir.filePath(QStringLiteral("no such folder/run.lock")));
    EXPECT_TRUE(lock.TryLock());
    EXPECT_FALSE(lock.Held());
}

TEST(RunLockPath, LiesInTheUsersRuntimeFolder)
{
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(TRunLock::DefaultPath(), QDir(runtime.path()).filePath(QStringLiteral("norvo-firmware-upgrade.lock")));
    qputenv("XDG_RUNTIME_DIR", saved);
}

}  // namespace

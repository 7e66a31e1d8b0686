// The whole-file writer: the target is replaced whole or left as it was,
// never written through a link, with the permissions asked for.
#include "base/Exception.h"
#include "base/SafeFile.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;

// The names in the folder: no temporary file may stay behind.
std::vector<std::string> Names(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(dir.PathOf(""))))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned Mode(const std::string& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(SafeFile, ReplacesAnExistingFileWhole)
{
    TempDir dir;
    const std::string target = dir.Write("a.bin", "first, the longer one");
    SaveFileAtomically(target, "second", TFileAccess::Usual);
    EXPECT_EQ(ReadFile(target), "second");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.bin"});
}

TEST(SafeFile, StreamedBytesArriveWhole)
{
    TempDir dir;
    const std::string target = dir.PathOf("settings.gws");
    TSafeFile file(target, TFileAccess::OwnerOnly);
    file.Stream() << "part one, ";
    file.Stream().write("part two", 8);
    file.Write(std::string("\0three", 6));
    EXPECT_EQ(file.Size(), 24);
    EXPECT_FALSE(fs::exists(target));  // nothing shows before Commit
    file.Commit();
    EXPECT_EQ(ReadFile(target), std::string("part one, part two\0three", 24));
}

TEST(SafeFile, ALinkOfTheTargetsNameIsReplacedNotFollowed)
{
    TempDir dir;
    const std::string elsewhere = dir.Write("elsewhere", "not to be touched");
    const std::string target = dir.PathOf("link.gws");
    fs::create_symlink(elsewhere, target);
    SaveFileAtomically(target, "new", TFileAccess::OwnerOnly);
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ReadFile(elsewhere), "not to be touched");
}

TEST(SafeFile, PermissionsAsAsked)
{
    TempDir dir;
    const std::string privateFile = dir.Write("private.gws", "old");
    ::chmod(privateFile.c_str(), 0644);
    SaveFileAtomically(privateFile, "router passwords", TFileAccess::OwnerOnly);
    EXPECT_EQ(Mode(privateFile), 0600u);

    const std::string usersFile = dir.Write("kept.bin", "old");
    ::chmod(usersFile.c_str(), 0640);
    SaveFileAtomically(usersFile, "image", TFileAccess::Usual);
    EXPECT_EQ(Mode(usersFile), 0640u);

    const mode_t umask = ::umask(022);
    const std::string newFile = dir.PathOf("new.bin");
    SaveFileAtomically(newFile, "image", TFileAccess::Usual);
    ::umask(umask);
    EXPECT_EQ(Mode(newFile), 0644u);
}

TEST(SafeFile, WithoutCommitTheOldFileStays)
{
    TempDir dir;
    const std::string target = dir.Write("a.gws", "old settings");
    {
        TSafeFile file(target, TFileAccess::OwnerOnly);
        file.Write("half of the new");
    }  // a failed download ends here
    EXPECT_EQ(ReadFile(target), "old settings");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.gws"});
}

TEST(SafeFile, FailuresNameTheFileAndLeaveNothingBehind)
{
    TempDir dir;
    try {
        SaveFileAtomically(dir.PathOf("missing/a.bin"), "x", TFileAccess::Usual);
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + dir.PathOf("missing/a.bin") + "\". No such file or directory");
    }
    // A folder of the target's name cannot be replaced by a file.
    fs::create_directory(dir.PathOf("folder"));
    EXPECT_THROW(SaveFileAtomically(dir.PathOf("folder"), "x", TFileAccess::Usual), EStreamError);
    EXPECT_TRUE(fs::is_directory(dir.PathOf("folder")));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"folder"});
}

// Files a writer has open are known process-wide until they are committed or
// dropped, so that a program ending at once can remove them.
std::vector<std::string> UnfinishedIn(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const std::string& name : UnfinishedTemporaryFiles())
        if (name.rfind(dir.PathOf(""), 0) == 0)
            names.push_back(fs::path(name).filename().string());
    return names;
}

TEST(UnfinishedFiles, AreKnownUntilCommittedOrDropped)
{
    TempDir dir;
    {
        TSafeFile committed(dir.PathOf("a.gws"), TFileAccess::OwnerOnly);
        TSafeFile dropped(dir.PathOf("b.bin"), TFileAccess::Usual);
        const std::vector<std::string> open = UnfinishedIn(dir);
        EXPECT_EQ(open.size(), 2u);
        EXPECT_EQ(open, Names(dir)) << "the registry names the files on disk";
        committed.Commit();
        ASSERT_EQ(UnfinishedIn(dir).size(), 1u);
        EXPECT_EQ(UnfinishedIn(dir).front().rfind("b.bin.", 0), 0u);
    }
    EXPECT_TRUE(UnfinishedIn(dir).empty());
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.gws"});
}

TEST(UnfinishedFiles, RemovingThemLeavesTheTargetsAsTheyWere)
{
    TempDir dir;
    const std::string target = dir.Write("a.gws", "old settings");
    TSafeFile file(target, TFileAccess::OwnerOnly);
    file.Write("half of the new");
    RemoveUnfinishedTemporaryFiles();
    EXPECT_TRUE(UnfinishedIn(dir).empty());
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.gws"});
    EXPECT_EQ(ReadFile(target), "old settings");
}

// Leftovers of runs killed mid-write: what is removed at start-up and what stays.
using Clock = std::chrono::system_clock;
const Clock::time_point kNow = Clock::time_point(std::chrono::hours(500000));
constexpr std::chrono::seconds kMaxAge = std::chrono::hours(1);

enum class Kind { File, Link, Folder };

struct LeftoverCase {
    const char* name;
    std::chrono::seconds age;
    Kind kind;
    bool removed;
};

// Sets the time of last change without following a link.
void SetAge(const std::string& path, std::chrono::seconds age)
{
    const auto when = std::chrono::duration_cast<std::chrono::seconds>((kNow - age).time_since_epoch()).count();
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

bool IsProgramTarget(const std::string& target)
{
    return target.rfind("SaveRouterSettings", 0) == 0 || target == "WRX-270C2_FW306B01.bin";
}

TEST(StaleTemporaryFiles, OnlyTheWritersOwnOldOnesGo)
{
    using std::chrono::hours;
    using std::chrono::minutes;
    const std::vector<LeftoverCase> cases = {
        {"SaveRouterSettings.gws.Ab3dE9", hours(2), Kind::File, true},
        {"SaveRouterSettings-20260101-120000.gws.q7W2e4", hours(30), Kind::File, true},
        {"WRX-270C2_FW306B01.bin.x1y2z3", minutes(61), Kind::File, true},
        {"SaveRouterSettings.gws.Fresh1", minutes(59), Kind::File, false},
        {"SaveRouterSettings.gws", hours(2), Kind::File, false},  // the backup itself
        {"WRX-270C2_FW306B01.bin", hours(2), Kind::File, false},
        {"notes.txt.Ab3dE9", hours(2), Kind::File, false},             // another program's
        {"SaveRouterSettings.gws.Ab3d", hours(2), Kind::File, false},  // not the writer's suffix
        {"SaveRouterSettings.gws.Ab-dE9", hours(2), Kind::File, false},
        {"SaveRouterSettings.gws.Link12", hours(2), Kind::Link, false},
        {"SaveRouterSettings.gws.Fold12", hours(2), Kind::Folder, false},
    };
    TempDir dir;
    const std::string elsewhere = dir.Write("elsewhere", "a link's target");
    SetAge(elsewhere, hours(2));
    std::vector<std::string> expectRemoved;
    for (const LeftoverCase& c : cases) {
        const std::string path = dir.PathOf(c.name);
        if (c.kind == Kind::File)
            dir.Write(c.name, "settings");
        else if (c.kind == Kind::Link)
            fs::create_symlink(elsewhere, path);
        else
            fs::create_directory(path);
        SetAge(path, c.age);
        if (c.removed)
            expectRemoved.push_back(path);
    }

    const std::string folder = fs::path(elsewhere).parent_path().string();
    std::vector<std::string> removed = RemoveStaleTemporaryFiles(folder, IsProgramTarget, kMaxAge, kNow);

    std::sort(removed.begin(), removed.end());
    std::sort(expectRemoved.begin(), expectRemoved.end());
    EXPECT_EQ(removed, expectRemoved);
    for (const LeftoverCase& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(dir.PathOf(c.name))), !c.removed) << c.name;
    EXPECT_EQ(ReadFile(elsewhere), "a link's target");
}

TEST(StaleTemporaryFiles, AnotherUsersFileStays)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file away";
    TempDir dir;
    const std::string path = dir.Write("SaveRouterSettings.gws.Ab3dE9", "someone else's");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    SetAge(path, std::chrono::hours(2));
    const std::string folder = fs::path(path).parent_path().string();
    EXPECT_TRUE(RemoveStaleTemporaryFiles(folder, IsProgramTarget, kMaxAge, kNow).empty());
    EXPECT_TRUE(fs::exists(path));
}

TEST(StaleTemporaryFiles, AMissingFolderRemovesNothing)
{
    EXPECT_TRUE(RemoveStaleTemporaryFiles("/nonexistent/norvo", IsProgramTarget, kMaxAge, kNow).empty());
}

}  // namespace

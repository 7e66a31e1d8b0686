// The whole-file writer: the target is replaced whole or left as it was,
// never written through a link, with the permissions asked for.
#include "base/Exception.h"
#include "base/SafeFile.h"
#include "tests/http/TempFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using httptest::ReadFile;
using httptest::TempDir;

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

}  // namespace

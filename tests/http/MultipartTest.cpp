#include "http/IdMultipartFormData.h"

#include "tests/support/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using testsupport::TempDir;

TIdLocalTime SeventhOfDecember() { return {2026, 12, 7, 10, 15, 32, 47}; }
const std::string kBoundary = "--------120726101532047";

std::string ReadAll(TIdMultiPartFormDataStream& body, std::size_t piece)
{
    std::string out;
    std::string buffer(piece, '\0');
    while (std::size_t got = body.Read(buffer.data(), piece))
        out.append(buffer.data(), got);
    return out;
}

std::string Part(const std::string& field, const std::string& fileName, const std::string& type,
                 const std::string& data)
{
    return "--" + kBoundary + "\r\nContent-Disposition: form-data; name=\"" + field + "\"; filename=\"" + fileName +
           "\"\r\nContent-Type: " + type + "\r\n\r\n" + data + "\r\n";
}

const std::string kClosing = "--" + kBoundary + "--\r\n";

class MultipartBody : public ::testing::Test {
protected:
    TempDir dir;
    TIdMultiPartFormDataStream body{SeventhOfDecember};
};

TEST_F(MultipartBody, BoundaryComesFromTheCreationTime)
{
    EXPECT_EQ(body.Boundary(), kBoundary);
    EXPECT_EQ(body.Boundary().size(), 23u);
    EXPECT_EQ(body.RequestContentType(), "multipart/form-data; boundary=" + kBoundary);
    EXPECT_EQ(kClosing.size(), 29u);
}

TEST_F(MultipartBody, EmptyFileWithTenCharacterNameIsOneHundredSeventyBytes)
{
    // The file name is given as the caller holds it: a relative ten-character name.
    std::string path = dir.Write("empty.gws1", "");
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(path).parent_path());
    body.AddFile("upfile", "empty.gws1", "application/octet-stream");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(body.Size(), 170);
    std::string bytes = ReadAll(body, 32768);
    EXPECT_EQ(bytes, Part("upfile", "empty.gws1", "application/octet-stream", "") + kClosing);
    EXPECT_EQ(bytes.size(), 170u);
    EXPECT_EQ(bytes.substr(bytes.size() - 33), "\r\n\r\n" + kClosing);
}

TEST_F(MultipartBody, PartsFollowEachOtherInTheExactLayout)
{
    std::string first = dir.Write("first.bin", "hello");
    std::string second = dir.Write("a\"quote.bin", std::string("\0\r\n--x", 6));
    body.AddFile("upfile", first, "application/octet-stream");
    body.AddFile("other", second, "text/plain");
    std::string expected = Part("upfile", first, "application/octet-stream", "hello") +
                           Part("other", second, "text/plain", std::string("\0\r\n--x", 6)) + kClosing;
    EXPECT_EQ(body.Size(), static_cast<std::int64_t>(expected.size()));
    EXPECT_EQ(ReadAll(body, 32768), expected);
}

TEST_F(MultipartBody, PieceSizeDoesNotChangeTheBytesAndSeekToStartRereads)
{
    std::string data;
    for (int i = 0; i < 100000; ++i)
        data += static_cast<char>(i * 7 + i / 256);
    body.AddFile("upfile", dir.Write("fw.bin", data), "application/octet-stream");
    std::string reference = ReadAll(body, 32768);
    EXPECT_EQ(static_cast<std::int64_t>(reference.size()), body.Size());
    EXPECT_EQ(body.Seek(0, TIdSeekOrigin::soCurrent), body.Size());
    for (std::size_t piece : {1u, 7u, 32768u}) {
        EXPECT_EQ(body.Seek(0, TIdSeekOrigin::soBeginning), 0);
        EXPECT_EQ(ReadAll(body, piece), reference) << "piece " << piece;
    }
}

TEST_F(MultipartBody, SeekToStartInTheMiddleOfAFileRestartsCleanly)
{
    body.AddFile("upfile", dir.Write("fw.bin", std::string(5000, 'z')), "application/octet-stream");
    std::string reference = ReadAll(body, 32768);
    body.Seek(0, TIdSeekOrigin::soBeginning);
    char scratch[300];
    ASSERT_EQ(body.Read(scratch, sizeof scratch), sizeof scratch);  // into the file's bytes
    EXPECT_EQ(body.Seek(5, TIdSeekOrigin::soBeginning), 300);       // other offsets only report
    EXPECT_EQ(body.Seek(0, TIdSeekOrigin::soEnd), body.Size());
    EXPECT_EQ(body.Seek(0, TIdSeekOrigin::soBeginning), 0);
    EXPECT_EQ(ReadAll(body, 999), reference);
}

TEST_F(MultipartBody, AFileThatGrowsAfterAddingChangesNothing)
{
    std::string path = dir.Write("settings.gws", "original");
    body.AddFile("upfile", path, "application/octet-stream");
    std::int64_t size = body.Size();
    std::ofstream(path, std::ios::binary | std::ios::app) << "-appended later";
    EXPECT_EQ(body.Size(), size);
    EXPECT_EQ(ReadAll(body, 7), Part("upfile", path, "application/octet-stream", "original") + kClosing);
}

TEST_F(MultipartBody, AFileThatShrinksEndsTheBodyBeforeItsAnnouncedSize)
{
    std::string path = dir.Write("settings.gws", std::string(1000, 'a'));
    body.AddFile("upfile", path, "application/octet-stream");
    ASSERT_EQ(::truncate(path.c_str(), 400), 0);
    std::string bytes = ReadAll(body, 32768);
    EXPECT_LT(static_cast<std::int64_t>(bytes.size()), body.Size());
    // No closing delimiter after short data: the receiver cannot mistake it for a whole file.
    EXPECT_EQ(bytes.find(kClosing), std::string::npos);
    EXPECT_EQ(bytes, Part("upfile", path, "application/octet-stream", std::string(400, 'a')).substr(0, bytes.size()));
}

TEST_F(MultipartBody, WritingOrResizingIsUnsupported)
{
    for (auto attempt : {+[](TIdMultiPartFormDataStream& b) { b.Write("x", 1); },
                         +[](TIdMultiPartFormDataStream& b) { b.SetSize(3); }}) {
        try {
            attempt(body);
            FAIL();
        } catch (const EStreamError& e) {
            EXPECT_STREQ(e.what(), "Unsupported operation.");
        }
    }
}

TEST_F(MultipartBody, AMissingFileIsReportedAndAddsNoPart)
{
    std::int64_t size = body.Size();
    std::string missing = dir.PathOf("missing.bin");
    try {
        body.AddFile("upfile", missing, "application/octet-stream");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_EQ(body.Size(), size);
    EXPECT_EQ(ReadAll(body, 100), kClosing);
}

TEST_F(MultipartBody, HoldsASharedLockThatKeepsCooperatingWritersOut)
{
    std::string path = dir.Write("fw.bin", "data");
    {
        TIdMultiPartFormDataStream locked(SeventhOfDecember);
        locked.AddFile("upfile", path, "application/octet-stream");
        int writer = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        EXPECT_NE(::flock(writer, LOCK_EX | LOCK_NB), 0);
        ::close(writer);
        // Other readers still may read.
        body.AddFile("upfile", path, "application/octet-stream");
    }
    int writer = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    EXPECT_NE(::flock(writer, LOCK_EX | LOCK_NB), 0) << "the second body still holds its lock";
    ::close(writer);
}

TEST_F(MultipartBody, AFileLockedByAWriterCannotBeAdded)
{
    std::string path = dir.Write("fw.bin", "data");
    int writer = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
    EXPECT_THROW(body.AddFile("upfile", path, "application/octet-stream"), EFOpenError);
    ::close(writer);
}

}  // namespace

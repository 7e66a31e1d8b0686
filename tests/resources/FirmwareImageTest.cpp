// The firmware image inside the executables: present, byte-identical to the
// file the build embedded, checked against the recorded digest.
#include "base/Exception.h"
#include "resources/FirmwareImage.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

TEST(FirmwareImage, ResourceIsTheEmbeddedFileAndMatchesTheRecordedDigest)
{
    const QByteArray built = ReadFile(QStringLiteral(NORVO_FIRMWARE_FILE));
    ASSERT_FALSE(built.isEmpty());
    const QByteArray loaded = FirmwareImage::Load();
    EXPECT_TRUE(loaded == built);
    EXPECT_EQ(QCryptographicHash::hash(loaded, QCryptographicHash::Sha256).toHex(),
              QByteArray(FirmwareImage::RecordedSha256));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/FIRMWARE_BINARY")));
}

#if NORVO_PLACEHOLDER_FIRMWARE
TEST(FirmwareImage, PlaceholderHasTheShippedSizeAndTheSameBytesInEveryBuild)
{
    const QByteArray image = FirmwareImage::Load();
    EXPECT_EQ(image.size(), 1441792);
    EXPECT_EQ(QByteArray(FirmwareImage::RecordedSha256),
              QByteArray("6db9f974a98d9c670d17f5dad58a64a0544aad0195d66429658e126fd985e230"));
    // Binary content: the image exercises NUL and line-end bytes wherever it travels.
    EXPECT_TRUE(image.contains('\0'));
    EXPECT_TRUE(image.contains("\r\n") || image.contains('\r'));
}
#endif

// The build says whether it embedded the placeholder, so that the program
// can keep it away from routers.
TEST(FirmwareImage, KnowsWhetherItIsThePlaceholder)
{
    EXPECT_EQ(FirmwareImage::IsPlaceholder, NORVO_PLACEHOLDER_FIRMWARE != 0);
}

TEST(FirmwareImage, DamagedOrMissingImageIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    QByteArray image = FirmwareImage::Load();
    const QByteArray digest = QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();

    struct Case {
        const char* name;
        std::function<void(QByteArray&)> damage;
    };
    const Case cases[] = {
        {"one bit flipped", [](QByteArray& b) { b[b.size() / 2] = static_cast<char>(b[b.size() / 2] ^ 0x01); }},
        {"truncated", [](QByteArray& b) { b.chop(1); }},
        {"extended", [](QByteArray& b) { b.append('\0'); }},
        {"empty", [](QByteArray& b) { b.clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray damaged = image;
        c.damage(damaged);
        ASSERT_NO_FATAL_FAILURE(WriteFile(path, damaged));
        EXPECT_THROW(FirmwareImage::LoadVerified(path, digest), Exception);
    }

    ASSERT_NO_FATAL_FAILURE(WriteFile(path, image));
    EXPECT_TRUE(FirmwareImage::LoadVerified(path, digest) == image);
    EXPECT_TRUE(FirmwareImage::LoadVerified(path, digest.toUpper()) == image);

    EXPECT_THROW(FirmwareImage::LoadVerified(dir.filePath(QStringLiteral("absent.bin")), digest), Exception);
}

// The program itself must carry the image: static libraries drop unused
// objects, and a resource that is not linked in is simply absent at run time.
TEST(FirmwareImage, ProgramExecutableCarriesTheImageByteForByte)
{
    const QByteArray program = ReadFile(QStringLiteral(NORVO_PROGRAM_FILE));
    ASSERT_FALSE(program.isEmpty());
    const QByteArray image = FirmwareImage::Load();
    const auto found =
        std::search(program.begin(), program.end(), std::boyer_moore_horspool_searcher(image.begin(), image.end()));
    EXPECT_NE(found, program.end());
}

}  // namespace

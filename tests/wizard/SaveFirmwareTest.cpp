// Saving the embedded firmware image from the outcome page: all bytes or
// nothing, and the user is told which it was.
#include "resources/FirmwareImage.h"
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace wizardtest;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class SaveFirmware : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = MakeTestWindow(MakeFakeUpgrader);
        window->Form().Upgrader().Firmware().AllowPlaceholder = true;
        form().ShowOutcome("There was an error.", false);
    }
    TfrmMain& form() { return window->Form(); }
    QStringList FolderContent() { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<TTestWindow> window;
    QTemporaryDir folder;
};

TEST_F(SaveFirmware, WritesTheEmbeddedImageUnchangedOverAnExistingFile)
{
    ASSERT_TRUE(form().btnSaveFirmware->isVisible());
    const QString target = folder.filePath("manual-upgrade");  // no extension is added
    WriteFile(target, "an older file that is longer than nothing");
    window->Seams.DialogAnswers = {target};
    form().btnSaveFirmware->click();

    const QByteArray image = FirmwareImage::Load();
    EXPECT_EQ(image.size(), 1441792);
    EXPECT_EQ(ReadFile(target), image);
    EXPECT_EQ(FolderContent(), QStringList{"manual-upgrade"});
    const std::vector<QString> saved{"The firmware file has been saved."};
    EXPECT_EQ(window->Seams.Messages, saved);
    const std::vector<QString> offered{QCoreApplication::applicationDirPath() + "/WRX-270C2_FW306B01.bin"};
    EXPECT_EQ(window->Seams.DialogNames, offered);
    EXPECT_EQ(window->Seams.DialogFilters[0], "Binary Files (*.bin)|*.bin|All Files (*.*)|*.*");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SaveFirmware, CancelWritesNothingAndSaysNothing)
{
    window->Seams.DialogAnswers = {std::nullopt};
    form().btnSaveFirmware->click();
    EXPECT_TRUE(window->Seams.Messages.empty());
    EXPECT_TRUE(window->Seams.Errors.empty());
    EXPECT_FALSE(QFile::exists(QCoreApplication::applicationDirPath() + "/WRX-270C2_FW306B01.bin"));
}

TEST_F(SaveFirmware, FailureLeavesNoPartialFileKeepsTheOldOneAndSaysSo)
{
    struct TCase {
        const char* Name;
        QString Target;
        bool ImageFails;
    };
    const QString existing = folder.filePath("existing.bin");
    const TCase cases[] = {
        {"FolderMissing", folder.filePath("no/such/folder/fw.bin"), false},
        {"TargetIsAFolder", folder.path(), false},
        {"DamagedImage", existing, true},
    };
    for (const TCase& c : cases) {
        WriteFile(existing, "old firmware");
        window->Seams.Messages.clear();
        window->Seams.LoadFirmware = [&]() -> QByteArray {
            if (c.ImageFails)
                throw Exception("The embedded firmware image is damaged.");
            return FirmwareImage::Load();
        };
        window->Seams.DialogAnswers = {c.Target};
        form().btnSaveFirmware->click();

        ASSERT_EQ(window->Seams.Messages.size(), 1u) << c.Name;
        EXPECT_TRUE(window->Seams.Messages[0].startsWith("The firmware file could not be saved.")) << c.Name;
        if (c.ImageFails) {
            EXPECT_TRUE(window->Seams.Messages[0].contains("damaged")) << c.Name;
        }
        EXPECT_EQ(ReadFile(existing), "old firmware") << c.Name;
        EXPECT_EQ(FolderContent(), QStringList{"existing.bin"}) << c.Name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.Name;
        EXPECT_EQ(form().pcCards->currentWidget(), form().tsOutcome) << c.Name;
    }
}

TEST_F(SaveFirmware, PlaceholderIsSavedOnlyWhenAllowed)
{
    const QString target = folder.filePath("fw.bin");
    form().Upgrader().Firmware().IsPlaceholder = [] { return true; };
    form().Upgrader().Firmware().AllowPlaceholder = false;
    window->Seams.DialogAnswers = {target};
    form().btnSaveFirmware->click();
    ASSERT_EQ(window->Seams.Messages.size(), 1u);
    EXPECT_EQ(window->Seams.Messages[0],
              "The firmware file could not be saved.\n"
              "This installer carries a placeholder image, not firmware for a router.");
    EXPECT_FALSE(QFile::exists(target));

    form().Upgrader().Firmware().AllowPlaceholder = true;
    window->Seams.DialogAnswers = {target};
    form().btnSaveFirmware->click();
    EXPECT_EQ(ReadFile(target), FirmwareImage::Load());
}

}  // namespace

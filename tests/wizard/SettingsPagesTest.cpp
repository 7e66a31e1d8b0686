// The Save Settings and Restore Settings pages: default name, browse
// dialogs, when the buttons are offered and what reaches the driver.
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace wizardtest;

namespace {

const QString GwsFilter = "GWS File (*.gws)|*.gws|All Files (*.*)|*.*";

class SettingsPages : public ::testing::Test {
protected:
    void SetUp() override { window = MakeTestWindow(MakeFakeUpgrader); }
    TfrmMain& form() { return window->Form(); }
    TFakeUpgrader& driver() { return FakeOf(form()); }
    void Show(QWidget* page)
    {
        form().pcCards->setCurrentWidget(page);
        form().UpdateActions();
    }
    QString MakeFile(const QString& name)
    {
        const QString path = folder.filePath(name);
        testsupport::WriteFile(path, "settings");
        return path;
    }
    std::unique_ptr<TTestWindow> window;
    QTemporaryDir folder;
};

TEST_F(SettingsPages, SaveNameIsFilledOnTheFirstShowingOnly)
{
    Show(form().tsSaveSettings);
    EXPECT_EQ(form().edSaveSettingsFile->text(), QCoreApplication::applicationDirPath() + "/SaveRouterSettings.gws");
    for (const char* typed : {"mine.gws", ""}) {
        form().edSaveSettingsFile->setText(typed);
        Show(form().tsUpgradeType);
        Show(form().tsSaveSettings);
        EXPECT_EQ(form().edSaveSettingsFile->text(), typed);
    }
}

TEST_F(SettingsPages, SaveIsOfferedForANonBlankNameWhichReachesTheDriverAsTyped)
{
    Show(form().tsSaveSettings);
    struct TCase {
        const char* Name;
        bool Enabled;
    };
    for (const TCase& c : {TCase{"", false}, TCase{"   ", false}, TCase{" a.gws", true}, TCase{"b", true}}) {
        form().edSaveSettingsFile->setText(c.Name);
        form().UpdateActions();
        EXPECT_EQ(form().btnSaveSettings->isEnabled(), c.Enabled) << '"' << c.Name << '"';
    }
    form().edSaveSettingsFile->setText(" a.gws");
    form().UpdateActions();
    form().btnSaveSettings->click();
    EXPECT_EQ(driver().Calls.back(), "SaveSettings: a.gws");
    EXPECT_EQ(form().btnSaveSettings->text(), "&Save Settings");
}

TEST_F(SettingsPages, ButtonsFollowTheBoxesWheneverTheWindowIsIdle)
{
    Show(form().tsSaveSettings);
    form().edSaveSettingsFile->clear();
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_FALSE(form().btnSaveSettings->isEnabled());
    form().edSaveSettingsFile->setText("x.gws");
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_TRUE(form().btnSaveSettings->isEnabled());
}

TEST_F(SettingsPages, SaveErrorGoesToTheErrorBox)
{
    Show(form().tsSaveSettings);
    driver().Failure = "HTTP/1.0 404 Not Found";
    form().btnSaveSettings->click();
    ASSERT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_EQ(window->Seams.Errors[0], "HTTP/1.0 404 Not Found");
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsSaveSettings);
}

TEST_F(SettingsPages, BrowseDialogsFillTheBoxesAndKeepTheLastName)
{
    Show(form().tsSaveSettings);
    form().edSaveSettingsFile->setText("before");
    window->Seams.DialogAnswers = {QString("/data/router-backup"), std::nullopt};
    form().btnBrowseSaveSettings->click();
    EXPECT_EQ(form().edSaveSettingsFile->text(), "/data/router-backup") << "no extension is added";
    form().btnBrowseSaveSettings->click();  // cancelled
    EXPECT_EQ(form().edSaveSettingsFile->text(), "/data/router-backup");

    Show(form().tsRestoreSettings);
    window->Seams.DialogAnswers = {QString("/data/old.gws")};
    form().btnBrowseRestore->click();
    EXPECT_EQ(form().edRestoreSettingsFilename->text(), "/data/old.gws");

    const std::vector<QString> filters{GwsFilter, GwsFilter, GwsFilter};
    EXPECT_EQ(window->Seams.DialogFilters, filters);
    const std::vector<QString> offered{"", "/data/router-backup", ""};
    EXPECT_EQ(window->Seams.DialogNames, offered) << "no initial name; the last choice comes back";
}

TEST_F(SettingsPages, RestorePageTakesTheSavedNameWhenThatFileExists)
{
    const QString saved = MakeFile("saved.gws");
    Show(form().tsSaveSettings);
    form().edSaveSettingsFile->setText("  " + saved + " ");
    form().edRestoreSettingsFilename->setText("typed.gws");
    Show(form().tsRestoreSettings);
    EXPECT_EQ(form().edRestoreSettingsFilename->text(), saved);

    form().edRestoreSettingsFilename->setText("typed.gws");
    Show(form().tsStatus);
    Show(form().tsRestoreSettings);  // every showing applies the rule again
    EXPECT_EQ(form().edRestoreSettingsFilename->text(), saved);

    for (const QString& missing : {folder.filePath("missing.gws"), folder.path(), QString("   ")}) {
        form().edSaveSettingsFile->setText(missing);
        form().edRestoreSettingsFilename->setText("typed.gws");
        Show(form().tsStatus);
        Show(form().tsRestoreSettings);
        EXPECT_EQ(form().edRestoreSettingsFilename->text(), "typed.gws") << missing.toStdString();
    }
}

TEST_F(SettingsPages, RestoreIsOfferedOnlyWhileTheNamedFileExists)
{
    const QString file = MakeFile("r.gws");
    Show(form().tsRestoreSettings);
    struct TCase {
        QString Name;
        bool Enabled;
    };
    for (const TCase& c : {TCase{"", false}, TCase{" " + file + " ", true}, TCase{folder.path(), false},
                           TCase{file + ".missing", false}}) {
        form().edRestoreSettingsFilename->setText(c.Name);
        form().UpdateActions();
        EXPECT_EQ(form().btnRestoreSettings->isEnabled(), c.Enabled) << c.Name.toStdString();
    }
    form().edRestoreSettingsFilename->setText(file);
    form().UpdateActions();
    ASSERT_TRUE(form().btnRestoreSettings->isEnabled());
    QFile::remove(file);
    form().UpdateActions();
    EXPECT_FALSE(form().btnRestoreSettings->isEnabled());
}

TEST_F(SettingsPages, RestoreSendsTheTrimmedNameThenRestartsUnlessTheUploadFails)
{
    const QString file = MakeFile("r.gws");
    Show(form().tsRestoreSettings);
    form().edRestoreSettingsFilename->setText(" " + file);
    form().UpdateActions();
    driver().Calls.clear();
    form().btnRestoreSettings->click();
    const std::vector<QString> expected{"Login", "RestoreSettings:" + file, "RestartRouter"};
    EXPECT_EQ(driver().Calls, expected);

    driver().Calls.clear();
    driver().Failure = "Socket Error # 10054\r\nConnection reset by peer.";
    form().btnRestoreSettings->click();
    const std::vector<QString> onlyUpload{"Login", "RestoreSettings:" + file};
    EXPECT_EQ(driver().Calls, onlyUpload);
    EXPECT_EQ(window->Seams.Errors.size(), 1u);
}

// A router just upgraded is on factory settings without a password: a
// refused login is tried again with none, then with a password the user is
// asked for; the boxes keep what was typed. Nothing is sent without a login.
TEST_F(SettingsPages, RestoreLogsInFirstWithTheBoxesThenWithNoPasswordThenAsks)
{
    const QString file = MakeFile("r.gws");
    Show(form().tsRestoreSettings);
    form().edRestoreSettingsFilename->setText(file);
    form().edExpressAdminPassword->setText("typed");
    form().UpdateActions();
    driver().LoginResult = false;
    driver().Calls.clear();
    form().btnRestoreSettings->click();
    // All refused and the prompt cancelled: nothing goes to the router, and the user is told.
    EXPECT_EQ(driver().Calls, std::vector<QString>({"Login", "Login"}));
    EXPECT_EQ(window->Seams.PasswordPrompts.size(), 1u);
    ASSERT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_TRUE(window->Seams.Errors[0].contains(QStringLiteral("were not sent")));
    EXPECT_EQ(form().edExpressAdminPassword->text(), "typed");

    // A password typed into the prompt gets one more login.
    driver().Calls.clear();
    window->Seams.PasswordAnswers.push_back(QStringLiteral("current"));
    form().btnRestoreSettings->click();
    EXPECT_EQ(driver().Calls, std::vector<QString>({"Login", "Login", "Login"}));
    EXPECT_EQ(window->Seams.Errors.size(), 2u);
    EXPECT_EQ(form().edExpressAdminPassword->text(), "typed");
}

}  // namespace

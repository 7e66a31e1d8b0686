#include "wizard/Accessibility.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace {

// Name: only for controls whose own text (or the label that names them)
// says nothing to a listener: pictures, "..." buttons, the answer box.
// Description: what the control is for, read after the name.
struct TControlText {
    const char* ObjectName;
    const char* Name;  // nullptr: the control's own text or its label names it
    const char* Description;
};

const TControlText ControlTexts[] = {
    // Header
    {"imgNorvo", QT_TRANSLATE_NOOP("Accessibility", "Norvo logo"),
     QT_TRANSLATE_NOOP("Accessibility", "The maker's logo")},
    {"lblRouterModel", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The router model this program upgrades")},
    {"lblHeaderFirmware", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The version of this upgrade program")},
    {"pcCards", QT_TRANSLATE_NOOP("Accessibility", "Upgrade steps"),
     QT_TRANSLATE_NOOP("Accessibility", "The page of the upgrade shown now")},
    // Upgrade Type page
    {"edExpressAdminPassword", nullptr,
     QT_TRANSLATE_NOOP("Accessibility",
                       "The router's administrator password; leave it empty if the router has none. Enter starts "
                       "the upgrade")},
    {"WiredChk", nullptr,
     QT_TRANSLATE_NOOP("Accessibility",
                       "Tick it when this PC is connected to the router by a cable; then the upgrade can start")},
    // Status page
    {"lblStatus", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The step the upgrade is at")},
    {"ProgressBar1", nullptr, QT_TRANSLATE_NOOP("Accessibility", "How far the current operation has come")},
    // Configuration page
    {"edIPAddress", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The router's address; found as the default gateway")},
    {"edPort", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The port of the router's web interface, normally 80")},
    {"edUsername", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The router's administrator user name")},
    {"edPassword", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "The router's administrator password; when empty the one of the first page")},
    {"btnCheckFirmware", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Asks the router for its firmware version and shows it below")},
    {"lblFirmwareVersion", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The firmware version the router reported")},
    // Save Settings page
    {"edSaveSettingsFile", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The file the router settings are saved to")},
    {"btnBrowseSaveSettings", QT_TRANSLATE_NOOP("Accessibility", "Choose settings file"),
     QT_TRANSLATE_NOOP("Accessibility", "Opens a dialog to choose the file the router settings are saved to")},
    {"btnSaveSettings", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Downloads the router settings into the file named above")},
    // Output page
    {"mmoOutput", QT_TRANSLATE_NOOP("Accessibility", "Router answer"),
     QT_TRANSLATE_NOOP("Accessibility", "The router's answer to the last upload")},
    // Restore Settings page
    {"edRestoreSettingsFilename", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "The settings file that is sent back to the router")},
    {"btnRestoreSettings", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Sends the settings file to the router and restarts the router")},
    {"btnBrowseRestore", QT_TRANSLATE_NOOP("Accessibility", "Choose settings file"),
     QT_TRANSLATE_NOOP("Accessibility", "Opens a dialog to choose the settings file to restore")},
    // Outcome page
    {"imgSuccess", QT_TRANSLATE_NOOP("Accessibility", "Success"),
     QT_TRANSLATE_NOOP("Accessibility", "The upgrade succeeded")},
    {"imgFailure", QT_TRANSLATE_NOOP("Accessibility", "Failure"),
     QT_TRANSLATE_NOOP("Accessibility", "The upgrade did not succeed")},
    {"lblSuccessFailureMessage", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The outcome of the upgrade")},
    {"Link_Label", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "The product support web site; Enter or Space opens it")},
    {"lblSupportLog", nullptr, QT_TRANSLATE_NOOP("Accessibility", "The file to send to support")},
    {"btnRestoreBackup", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Opens the page that puts the saved router settings back")},
    {"btnSaveFirmware", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Saves the firmware file, for an upgrade through the router's own pages")},
    // Footer
    {"btnCancel", nullptr, QT_TRANSLATE_NOOP("Accessibility", "Closes the program")},
    {"btnNext", nullptr,
     QT_TRANSLATE_NOOP("Accessibility", "Goes on; on the first page it starts the upgrade of the router")},
    {"btnPrevious", nullptr, QT_TRANSLATE_NOOP("Accessibility", "Goes back to the page before")},
    {"btnTest", nullptr, QT_TRANSLATE_NOOP("Accessibility", "Runs the test code")},
    {"ckShowTabs", nullptr, QT_TRANSLATE_NOOP("Accessibility", "Shows the tabs of all pages")},
};

QString Translated(const char* text) { return QCoreApplication::translate("Accessibility", text); }

void Raise(QObject* object, QAccessible::Event kind)
{
    QAccessibleEvent event(object, kind);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

namespace Accessibility {

void DescribeControls(QWidget& root)
{
    for (const TControlText& control : ControlTexts) {
        auto* widget = root.findChild<QWidget*>(QLatin1String(control.ObjectName));
        if (!widget)
            continue;
        if (control.Name)
            widget->setAccessibleName(Translated(control.Name));
        widget->setAccessibleDescription(Translated(control.Description));
    }
}

// The label raises its own name change, as long as it has no fixed
// accessible name (the table above gives it none); the bar, named by the
// label, does not know that its name changed with it.
void AnnounceStatus(QProgressBar& bar) { Raise(&bar, QAccessible::NameChanged); }

void AnnounceOutcome(QLabel& outcome)
{
    outcome.setFocus(Qt::OtherFocusReason);
    Raise(&outcome, QAccessible::Alert);
}

}  // namespace Accessibility

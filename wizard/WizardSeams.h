// Everything the window does that would open something modal or leave the
// program: message boxes, file dialogs, the web browser, ending the program,
// holding the desktop's logout. The window calls
// them only through this object, so tests replace them and nothing blocks.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// A file dialog as the window keeps it: its filter list in the form
// "description|pattern|description|pattern" and the name chosen last, which
// the next run offers again.
struct TFileDialog {
    enum class TKind { Open, Save };
    TKind Kind = TKind::Open;
    QString Filter;
    QString FileName;
};

// Hands an address to the desktop's opener exactly as given: start(program,
// arguments) starts it detached and says whether it started. A URL type
// would decode escapes such as "%2D" on the way.
using TProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
bool OpenWithDesktopOpener(const QString& address, const TProcessStarter& start);

// The filter list as the toolkit's file dialog wants it. "*.*" means every
// file, also one without an extension.
QStringList FileDialogNameFilters(const QString& filter);

class TWizardSeams {
public:
    // Installs the desktop implementations.
    TWizardSeams();

    // A message box with an OK button.
    std::function<void(const QString& text)> ShowMessage;
    // The same box, but returning at once: for telling the user something
    // while a router operation must go on underneath.
    std::function<void(const QString& text)> ShowNotice;
    // A question with Yes and No; true for Yes.
    std::function<bool(const QString& text)> AskYesNo;
    // A small prompt for a password, typed without echo; nothing when the
    // user cancels.
    std::function<std::optional<QString>(const QString& text)> AskPassword;
    // The box of the default error handler: an error that escaped a handler.
    std::function<void(const QString& text)> ShowError;
    // Runs a file dialog; on confirmation it stores the full chosen name in
    // dialog.FileName and returns true. Cancel returns false and changes nothing.
    std::function<bool(TFileDialog& dialog)> ExecuteDialog;
    // Opens an address, given as encoded text, with the desktop's default
    // action (the web browser); the text reaches it unchanged.
    std::function<void(const QString& url)> OpenUrl;
    // Ends the program at once with exitCode, from the middle of a run that
    // must not go on to change the router: its driver code is on the stack
    // under the event loop that asked. This run's unfinished temporary files
    // are removed; the support log has each line on disk already. Does not
    // return (a test's replacement does, and the run goes on).
    std::function<void(int exitCode)> EndProgramNow;
    // Asks the desktop to hold a logout until the returned object goes (best
    // effort: it may hold nothing). Never waits for the desktop's answer.
    std::function<std::shared_ptr<void>()> HoldLogout;
    // Takes the lock that keeps two runs on this PC, the window's or the
    // command line's, from changing routers at the same time: held while the
    // returned object lives; nothing when another run holds it.
    std::function<std::shared_ptr<void>()> TakeRunLock;
};

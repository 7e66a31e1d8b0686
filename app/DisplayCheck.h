// Finding out whether there is a display by trying it. Qt connects to the
// window system while the application object is made, and when that fails
// (no DISPLAY, a DISPLAY no server answers, WAYLAND_DISPLAY in a build without
// the Wayland plugin, an unknown -platform) it aborts with advice to
// reinstall. While a TDisplayCheck lives, Qt's messages are held back; a fatal
// one prints the program's own one line instead and ends with exit status 1.
//
//   TDisplayCheck check(NoDisplayMessage(...));
//   TApplication application(argc, argv);   // ends here without a display
//   check.Passed();                          // Qt's held-back warnings go out
#pragma once

#include <QString>

class TDisplayCheck {
public:
    static constexpr int NoDisplayExitCode = 1;

    explicit TDisplayCheck(QString noDisplayLine);
    // Passed, if that has not been said.
    ~TDisplayCheck();
    TDisplayCheck(const TDisplayCheck&) = delete;
    TDisplayCheck& operator=(const TDisplayCheck&) = delete;

    // Qt is connected: the messages held back go to the handler from before,
    // which handles every message from now on.
    void Passed();

private:
    bool active_ = true;
};

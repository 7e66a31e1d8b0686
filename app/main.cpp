// Start-up: the socket library, the application, the wizard window with its
// router driver, the data module; then the event loop until the window closes.
#include "app/Application.h"
#include "app/SocketLibrary.h"
#include "driver/utWrx310.h"
#include "net/dmMain.h"
#include "wizard/fmMain.h"

#include <QCommandLineParser>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        TSocketLibraryGuard sockets;
        int result = 0;
        {
            TApplication application(argc, argv);
            QCommandLineParser parser;
            const QCommandLineOption allowPlaceholder(
                QStringLiteral("allow-placeholder-firmware"),
                QStringLiteral("Send and save the build's placeholder firmware image (for simulated routers only)."));
            parser.addOption(allowPlaceholder);
            parser.process(application);
            TfrmMain frmMain(MakeWrx310);
            frmMain.SetAllowPlaceholderFirmware(parser.isSet(allowPlaceholder));
            TdtmMain dataModule;
            dtmMain = &dataModule;
            frmMain.move(0, 0);
            frmMain.show();
            result = application.exec();
            dtmMain = nullptr;
        }
        sockets.Cleanup();
        return result;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

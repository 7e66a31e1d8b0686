// The program's application object. Handlers of the window catch their own
// errors; this is the last line behind them, so that an error that still
// escapes is shown instead of ending the program.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

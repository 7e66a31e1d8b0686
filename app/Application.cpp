#include "app/Application.h"

#include <QMessageBox>

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("norvo-firmware-upgrade"));
    setApplicationDisplayName(QStringLiteral("Norvo Firmware Upgrade"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), applicationDisplayName(), QString::fromUtf8(error.what()));
    }
    return false;
}

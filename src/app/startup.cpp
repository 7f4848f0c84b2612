#include "startup.h"

#include <QGuiApplication>
#include <QIcon>
#include <QWidget>

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1.2"));
    // Lets the desktop match the windows with the installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tavrelo.Tavrelo"));
}

void decorateMainWindow(QWidget &window)
{
    // The resources live in a static library; this keeps the linker from
    // dropping them.
    Q_INIT_RESOURCE(resources);
    window.setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" v")
                          + QCoreApplication::applicationVersion());
    window.setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
}

#include "startup.h"

#include <QCoreApplication>
#include <QIcon>
#include <QWidget>

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1.2"));
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

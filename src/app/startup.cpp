#include "startup.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
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

void installTranslations(QCoreApplication &application, const QLocale &locale)
{
    auto *program = new QTranslator(&application);
    // Tries the locale's languages in the user's order of preference.
    if (!program->load(locale, QStringLiteral("tavrelo"), QStringLiteral("_"),
                       QStringLiteral(":/i18n"))) {
        delete program;
        return;
    }
    QCoreApplication::installTranslator(program);

    // Qt's buttons follow the language the program speaks, not the next
    // language on the user's list; a missing file leaves them in English.
    auto *qt = new QTranslator(&application);
    if (qt->load(QLocale(program->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

#include "startup.h"

#include "version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRELO_VERSION));
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
    // Tries the locale's languages in the user's order of preference; a
    // language the program does not speak gets English, whose file holds
    // the singular forms of the texts that count.
    if (!program->load(locale, QStringLiteral("tavrelo"), QStringLiteral("_"),
                       QStringLiteral(":/i18n"))
        && !program->load(QStringLiteral("tavrelo_en"), QStringLiteral(":/i18n"))) {
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

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Startup", "Renames files in batches."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("paths"),
        QCoreApplication::translate("Startup", "Files and folders to put in the input list."),
        QStringLiteral("[PATH...]"));

    CommandLine commandLine;
    if (!parser.parse(arguments)) {
        commandLine.answered = true;
        commandLine.exitCode = 1;
        commandLine.errorOutput = parser.errorText() + QLatin1Char('\n');
        return commandLine;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        commandLine.answered = true;
        commandLine.output = parser.helpText();
        return commandLine;
    }
    if (parser.isSet(version)) {
        commandLine.answered = true;
        commandLine.output = QCoreApplication::applicationName() + QLatin1Char(' ')
                             + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return commandLine;
    }
    const QStringList positional = parser.positionalArguments();
    for (const QString &argument : positional) {
        // Desktop launchers may hand over file URLs instead of paths.
        const QUrl url(argument);
        const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
        commandLine.paths.append(
            QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
    }
    return commandLine;
}

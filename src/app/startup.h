#ifndef STARTUP_H
#define STARTUP_H

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;
class QWidget;

// Gives the application its name and version; the window titles and the
// update check read them back.
void setApplicationIdentity();

// Title "<name> v<version>" and the program's icon.
void decorateMainWindow(QWidget &window);

// Installs the program's texts in the locale's language, German or French,
// with Qt's own for the standard buttons; any other language stays English.
void installTranslations(QCoreApplication &application, const QLocale &locale = QLocale::system());
// What the command line asks for: paths for the input list, made absolute,
// or an answer on the console (--help, --version, a mistake) and no window.
struct CommandLine
{
    QStringList paths;
    bool answered = false;
    int exitCode = 0;
    QString output;
    QString errorOutput;
};

// Needs the application object (for the program name in the help text).
CommandLine readCommandLine(const QStringList &arguments);

#endif // STARTUP_H

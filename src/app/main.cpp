#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setApplicationIdentity();
    installTranslations(application);

    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments());
    if (commandLine.answered) {
        std::fputs(commandLine.output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.errorOutput.toLocal8Bit().constData(), stderr);
        return commandLine.exitCode;
    }

    MainWindow window;
    decorateMainWindow(window);
    window.show();
    window.addPaths(commandLine.paths);
    return application.exec();
}

#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setApplicationIdentity();
    installTranslations(application);

    MainWindow window;
    decorateMainWindow(window);
    window.show();
    return application.exec();
}

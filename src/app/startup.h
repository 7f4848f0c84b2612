#ifndef STARTUP_H
#define STARTUP_H

#include <QLocale>

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

#endif // STARTUP_H

#ifndef STARTUP_H
#define STARTUP_H

class QWidget;

// Gives the application its name and version; the window titles and the
// update check read them back.
void setApplicationIdentity();

// Title "<name> v<version>" and the program's icon.
void decorateMainWindow(QWidget &window);

#endif // STARTUP_H

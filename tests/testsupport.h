#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include "testdir.h"

#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>

class QMimeData;
class QWidget;

// Drags data onto target and drops it there, as the desktop does: a drag
// enter first, then the drop only when the enter was accepted. Returns
// whether the drop took place.
bool dropOn(QWidget *target, const QMimeData &data);
// A drop of local files.
bool dropPaths(QWidget *target, const QStringList &paths);

// Runs action on the next modal widget (message box, file dialog) as soon as
// it appears, from a timer, so that a test never blocks on a dialog. Gives up
// after timeoutMs.
void onNextModal(const std::function<void(QWidget *)> &action, int timeoutMs = 60000);

// Picks path in the next file dialog, as a user typing it would, and accepts.
void chooseInNextFileDialog(const QString &path);

// What a modal message box said.
struct ModalRecord
{
    QString title;
    QString text;
    QString details;
};

// While it lives, answers every modal message box with the button of the given
// text and records what each box said.
class MessageBoxWatcher
{
public:
    explicit MessageBoxWatcher(const QString &buttonText = QStringLiteral("OK"));
    void setButtonText(const QString &text) { buttonText = text; }
    const QList<ModalRecord> &boxes() const { return records; }

private:
    QString buttonText;
    QList<ModalRecord> records;
    QTimer timer;
};

#endif // TESTSUPPORT_H

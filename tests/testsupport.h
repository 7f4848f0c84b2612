#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class QMimeData;
class QWidget;

// A temporary folder that makes "these files, these sizes, these dates" one line each.
class TestDir : public QTemporaryDir
{
public:
    // Path of a name inside the folder.
    QString at(const QString &relativePath) const;
    // Creates the file (and its folders) with the given content; when mtime is
    // valid, sets the file's modification time to it. Returns the file's path.
    QString file(const QString &relativePath, const QByteArray &content = QByteArray(),
                 const QDateTime &mtime = QDateTime());
    QString sizedFile(const QString &relativePath, qint64 size,
                      const QDateTime &mtime = QDateTime());
    QString folder(const QString &relativePath);
    // Names directly inside a folder of this tree (files and folders, hidden
    // ones too), sorted.
    QStringList names(const QString &relativePath = QString()) const;
    QByteArray content(const QString &relativePath) const;
};

// One row of a data-driven test, its columns in order.
template <typename... Columns> void addRow(const char *tag, Columns... columns)
{
    (QTest::newRow(tag) << ... << columns);
}

// Reads a whole file; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Drags data onto target and drops it there, as the desktop does: a drag
// enter first, then the drop only when the enter was accepted. Returns
// whether the drop took place.
bool dropOn(QWidget *target, const QMimeData &data);
// A drop of local files.
bool dropPaths(QWidget *target, const QStringList &paths);

// Runs action on the next modal widget (message box, file dialog) as soon as
// it appears, from a timer, so that a test never blocks on a dialog. Gives up
// after timeoutMs.
void onNextModal(const std::function<void(QWidget *)> &action, int timeoutMs = 5000);

// Picks path in the next file dialog, as a user typing it would, and accepts.
void chooseInNextFileDialog(const QString &path);

// What a modal message box said.
struct ModalRecord
{
    QString title;
    QString text;
};

// While it lives, answers every modal message box with the button of the given
// text and records what each box said.
class MessageBoxWatcher
{
public:
    explicit MessageBoxWatcher(const QString &buttonText = QStringLiteral("OK"));
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher &) = delete;
    MessageBoxWatcher &operator=(const MessageBoxWatcher &) = delete;

    void setButtonText(const QString &buttonText);
    const QList<ModalRecord> &boxes() const;

private:
    struct State;
    std::unique_ptr<State> state;
};

#endif // TESTSUPPORT_H

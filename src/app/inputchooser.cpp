#include "inputchooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

InputChooser::InputChooser(QWidget *window) : QObject(window), window(window) {}

void InputChooser::chooseFiles()
{
    choose(tr("Add files"), QFileDialog::ExistingFiles);
}

void InputChooser::chooseFolder()
{
    choose(tr("Add folder"), QFileDialog::Directory);
}

void InputChooser::choose(const QString &title, QFileDialog::FileMode mode)
{
    QFileDialog dialog(window, title, lastFolder.isEmpty() ? QDir::homePath() : lastFolder);
    dialog.setFileMode(mode);
    if (mode == QFileDialog::Directory)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList paths = dialog.selectedFiles();
    if (paths.isEmpty())
        return;
    lastFolder = QFileInfo(paths.first()).absolutePath();
    emit pathsChosen(paths);
}

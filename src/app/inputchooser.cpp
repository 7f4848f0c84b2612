#include "inputchooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

InputChooser::InputChooser(QWidget *window) : QObject(window), window(window) {}

void InputChooser::chooseFiles()
{
    QFileDialog dialog(window, tr("Add files"),
                       lastFolder.isEmpty() ? QDir::homePath() : lastFolder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList paths = dialog.selectedFiles();
    if (paths.isEmpty())
        return;
    lastFolder = QFileInfo(paths.first()).absolutePath();
    emit pathsChosen(paths);
}

void InputChooser::chooseFolder()
{
    QFileDialog dialog(window, tr("Add folder"),
                       lastFolder.isEmpty() ? QDir::homePath() : lastFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList paths = dialog.selectedFiles();
    if (paths.isEmpty())
        return;
    lastFolder = QFileInfo(paths.first()).absolutePath();
    emit pathsChosen(paths);
}

#include "replace.h"

#include "grouping.h"
#include "replaceplan.h"

#include <QDir>
#include <QHash>

namespace {

// The plain files directly inside dirPath, as paths, in the order the file
// system gives them.
QStringList listFilesUnsorted(const QString &dirPath)
{
    QStringList files = QDir(dirPath).entryList(QDir::Files, QDir::NoSort);
    prependDirectoryPath(dirPath, files);
    return files;
}

} // namespace

Replace::Replace(QObject *parent) : QThread(parent) {}

void Replace::setParameters(const QStringList &pathList, const QString &replaceIn,
                            const QString &replaceOut, bool replaceRegExp, bool replaceSuffix,
                            bool replaceDeleteIfExists, bool keepListView)
{
    this->pathList = pathList;
    this->replaceIn = replaceIn;
    this->replaceOut = replaceOut;
    this->replaceRegExp = replaceRegExp;
    this->replaceSuffix = replaceSuffix;
    this->replaceDeleteIfExists = replaceDeleteIfExists;
    this->keepListView = keepListView;
}

void Replace::run()
{
    const ReplaceRule rule = ReplaceRule::make(replaceIn, replaceOut, replaceRegExp, replaceSuffix);
    // Every listing is taken before the first rename.
    const GroupList groups = groupInput(pathList, listFilesUnsorted);

    QStringList refreshList;
    // A file reached twice (given by itself and through its folder, or a
    // folder given twice) is renamed once: the second path names what the
    // first rename left, which is no longer that file.
    QHash<QString, QString> nameAfterRun;

    for (const FileGroup &group : groups) {
        for (const QString &path : group.files) {
            const QString name = fileNameOf(path);
            const QString key = group.folderPrefix + name;
            QString finalName = name;
            const auto seen = nameAfterRun.constFind(key);
            if (seen != nameAfterRun.constEnd()) {
                finalName = seen.value();
            } else {
                const QString newName = replacedFileName(name, rule);
                if (newName != name) {
                    const FileRenameResult result =
                        renameInPlace(path, name, newName, replaceDeleteIfExists);
                    if (result.renamed)
                        finalName = newName;
                    if (result.priority >= 0)
                        emit errorAtRename(result.priority, result.message);
                }
                nameAfterRun.insert(key, finalName);
            }
            if (group.kind == FileGroup::Files)
                refreshList.append(group.folderPrefix + finalName);
        }
        if (group.kind == FileGroup::Directory)
            refreshList.append(group.folderPrefix);
    }

    if (!keepListView)
        emit refreshListView(refreshList);
}

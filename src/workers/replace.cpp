#include "replace.h"

#include "directorylisting.h"
#include "grouping.h"
#include "replaceplan.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

// The plain files directly inside dirPath (hidden ones left out), as paths,
// in the order the file system gives them.
QStringList listFilesUnsorted(const QString &dirPath)
{
    QStringList files = listPlainFileNames(dirPath);
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

    // A file reached twice (given by itself and through its folder, or a
    // folder given twice) is renamed once: the second path names what the
    // first rename left, which is no longer that file. Only folders met by
    // more than one group need the bookkeeping.
    QHash<QString, int> groupsPerFolder;
    for (const FileGroup &group : groups)
        ++groupsPerFolder[group.folderPrefix];
    QHash<QString, QString> nameAfterRun;

    QStringList refreshList;
    for (const FileGroup &group : groups) {
        const bool folderShared = groupsPerFolder.value(group.folderPrefix) > 1;
        for (const QString &path : group.files) {
            const QString name = fileNameOf(path);
            QString finalName = name;
            QString key;
            if (folderShared) {
                key = group.folderPrefix + name;
                const auto seen = nameAfterRun.constFind(key);
                if (seen != nameAfterRun.constEnd()) {
                    if (group.kind == FileGroup::Files)
                        refreshList.append(group.folderPrefix + seen.value());
                    continue;
                }
            }
            const QString newName = replacedFileName(name, rule);
            if (newName != name) {
                const FileRenameResult result =
                    renameInPlace(path, name, newName, replaceDeleteIfExists);
                if (result.renamed)
                    finalName = newName;
                if (result.priority >= 0)
                    emit errorAtRename(result.priority, result.message);
            }
            if (folderShared)
                nameAfterRun.insert(key, finalName);
            if (group.kind == FileGroup::Files)
                refreshList.append(group.folderPrefix + finalName);
        }
        if (group.kind == FileGroup::Directory)
            refreshList.append(group.folderPrefix);
    }

    if (!keepListView)
        emit refreshListView(refreshList);
}

#include "replaceplan.h"

#include "filemoves.h"
#include "grouping.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Replace", text);
}

FileRenameResult report(int priority, const QString &message, bool renamed = false)
{
    FileRenameResult result;
    result.renamed = renamed;
    result.priority = priority;
    result.message = message;
    return result;
}

} // namespace

ReplaceRule ReplaceRule::make(const QString &replaceIn, const QString &replaceOut, bool regExp,
                              bool suffix)
{
    ReplaceRule rule;
    rule.replaceIn = replaceIn;
    rule.replaceOut = replaceOut;
    if (regExp) {
        rule.mode = RegExp;
        rule.pattern = QRegExp(replaceIn, Qt::CaseSensitive, QRegExp::RegExp);
    } else if (suffix) {
        rule.mode = Suffix;
    }
    return rule;
}

QString replacedFileName(const QString &fileName, const ReplaceRule &rule)
{
    if (rule.replaceIn.isEmpty())
        return fileName;
    const NameParts parts = splitFileName(fileName);

    switch (rule.mode) {
    case ReplaceRule::BaseName: {
        if (!parts.baseName.contains(rule.replaceIn))
            return fileName;
        QString base = parts.baseName;
        base.replace(rule.replaceIn, rule.replaceOut);
        return parts.compose(base, parts.suffix);
    }
    case ReplaceRule::Suffix: {
        if (!parts.suffix.contains(rule.replaceIn))
            return fileName;
        QString suffix = parts.suffix;
        suffix.replace(rule.replaceIn, rule.replaceOut);
        // Removing the whole suffix removes its dot too, rather than leaving
        // a name that ends in a dot.
        if (suffix.isEmpty())
            return parts.baseName + parts.middle;
        return parts.compose(parts.baseName, suffix);
    }
    case ReplaceRule::RegExp:
        if (!rule.pattern.isValid() || !rule.pattern.exactMatch(parts.baseName))
            return fileName;
        return parts.compose(rule.pattern.replaceIn(parts.baseName, rule.replaceOut), parts.suffix);
    }
    return fileName;
}

QString fileNameOf(const QString &path)
{
    qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    separator = qMax(separator, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return path.mid(separator + 1);
}

QString takenNameMessage(const QString &fileName, const QString &newName)
{
    return tr("\"%1\" couldn't be renamed because \"%2\" already exists !").arg(fileName, newName);
}

FileRenameResult renameInPlace(const QString &path, const QString &fileName, const QString &newName,
                               bool replaceExisting)
{
    if (newName == fileName)
        return FileRenameResult();
    if (!isPlainFileName(newName))
        return report(1, tr("\"%1\" couldn't be renamed because \"%2\" is not a valid file name !")
                             .arg(fileName, newName));

    const QString target = path.left(path.size() - fileName.size()) + newName;
    QString reason;
    // The common case costs one system call; why it failed is looked into
    // only when it did.
    if (renameNoReplace(path, target, &reason))
        return report(-1, QString(), true);

    const bool targetExists = pathExists(target);
    if (!pathExists(path)) {
        // Nothing of ours to move: whatever bears the new name stays as it is.
        if (!targetExists)
            return FileRenameResult();
        if (!replaceExisting)
            return report(1, takenNameMessage(fileName, newName));
        return report(2,
                      tr("\"%1\" couldn't be renamed because it no longer exists !").arg(fileName));
    }
    if (!targetExists)
        return report(
            2, tr("\"%1\" couldn't be renamed to \"%2\" : %3").arg(fileName, newName, reason));

    if (isSameFile(path, target) && fileName.compare(newName, Qt::CaseInsensitive) == 0) {
        // A file system that ignores letter case sees the file itself at the
        // new name: nothing to set aside.
        QFile file(path);
        if (file.rename(target))
            return report(-1, QString(), true);
        return report(2, tr("\"%1\" couldn't be renamed to \"%2\" : %3")
                             .arg(fileName, newName, file.errorString()));
    }
    if (!replaceExisting || QFileInfo(target).isDir())
        return report(1, takenNameMessage(fileName, newName));
    return replaceExistingFile(path, target);
}

FileRenameResult replaceExistingFile(const QString &source, const QString &target)
{
    const QString sourceName = fileNameOf(source);
    const QString targetName = fileNameOf(target);
    QString reason;

    QString aside;
    bool setAside = false;
    // The no-replace move makes a name taken meanwhile fail instead of being
    // overwritten; then the next free name is tried.
    for (int attempt = 0; attempt < 100 && !setAside; ++attempt) {
        aside = freeSetAsideName(target);
        setAside = renameNoReplace(target, aside, &reason);
        if (!setAside && !pathExists(aside))
            break;
    }
    if (!setAside)
        return report(2,
                      tr("\"%1\" couldn't replace \"%2\" because \"%2\" couldn't be set aside : %3")
                          .arg(sourceName, targetName, reason));

    if (renameNoReplace(source, target, &reason)) {
        if (QFile::remove(aside))
            return report(-1, QString(), true);
        return report(1,
                      tr("\"%1\" was renamed to \"%2\", but the file it replaced couldn't be "
                         "deleted : it is kept as \"%3\".")
                          .arg(sourceName, targetName, fileNameOf(aside)),
                      true);
    }

    QString backReason;
    if (renameNoReplace(aside, target, &backReason))
        return report(2, tr("\"%1\" couldn't be renamed to \"%2\" : %3. The existing \"%2\" was "
                            "left as it was.")
                             .arg(sourceName, targetName, reason));
    return report(2, tr("\"%1\" couldn't be renamed to \"%2\" : %3. The existing \"%2\" couldn't "
                        "be put back : it is kept as \"%4\".")
                         .arg(sourceName, targetName, reason, fileNameOf(aside)));
}

QString freeSetAsideName(const QString &target)
{
    const QString first = target + QLatin1String(".bak");
    if (!pathExists(first))
        return first;
    for (int n = 2;; ++n) {
        const QString candidate = first + QString::number(n);
        if (!pathExists(candidate))
            return candidate;
    }
}

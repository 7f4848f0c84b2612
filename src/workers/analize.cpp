#include "analize.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

Analize::Analize(QObject *parent) : QThread(parent) {}

void Analize::setPathList(const QStringList &pathList)
{
    this->pathList = pathList;
    fileCount = 0;
    listExtensions.clear();
    knownExtensions.clear();
}

void Analize::addSuffix(const QString &suffix)
{
    if (knownExtensions.contains(suffix))
        return;
    knownExtensions.insert(suffix);
    listExtensions.append(suffix);
}

static int clampedCount(qsizetype count)
{
    return int(qMin<qsizetype>(count, std::numeric_limits<int>::max()));
}

void Analize::run()
{
    for (const QString &entry : std::as_const(pathList)) {
        const QFileInfo info(entry);
        if (info.isDir()) {
            const QStringList names = QDir(entry).entryList(QDir::Files, QDir::NoSort);
            // A listing holds bare names, so the suffix is simply what follows
            // the last dot; most neighbours share theirs, which spares the
            // set lookup.
            QString lastSuffix;
            bool haveLast = false;
            for (const QString &name : names) {
                const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
                const QStringView suffix = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
                if (haveLast && suffix == lastSuffix)
                    continue;
                lastSuffix = suffix.toString();
                haveLast = true;
                addSuffix(lastSuffix);
            }
            fileCount += names.size();
        } else {
            // The entry counts as base name + "." + suffix, whose suffix is
            // the entry's own.
            addSuffix(info.suffix());
            ++fileCount;
        }
        emit resetListExtensions();
        emit setFilesInformations(clampedCount(fileCount), clampedCount(listExtensions.size()));
        emit setListExtensions(listExtensions);
    }
    listExtensions.clear();
    knownExtensions.clear();
}

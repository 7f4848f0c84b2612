// Replaces a text in the names of every file of one directory, through
// Replace::run() and, on a fresh copy in the same run, the plainest way: one
// readdir listing and one rename(2) per file. Prints both times (the mean of two
// runs, one in each order) and the ratio.

#include "replace.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char oldText[] = "file";
const char newText[] = "photo";

void fillDirectory(const QString &path, int count)
{
    QDir().mkpath(path);
    const std::string dir = QFile::encodeName(path).toStdString();
    char name[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "/%s_%06d.jpg", oldText, i);
        const int fd = ::open((dir + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd < 0) {
            std::perror("open");
            std::exit(1);
        }
        ::close(fd);
    }
}

qint64 plainRun(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const std::string dir = QFile::encodeName(path).toStdString() + '/';
    std::vector<std::string> names;
    DIR *stream = ::opendir(dir.c_str());
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    ::closedir(stream);
    for (const std::string &name : names) {
        std::string newName = name;
        std::string::size_type at = 0;
        while ((at = newName.find(oldText, at)) != std::string::npos) {
            newName.replace(at, std::strlen(oldText), newText);
            at += std::strlen(newText);
        }
        if (::rename((dir + name).c_str(), (dir + newName).c_str()) != 0)
            std::perror("rename");
    }
    return timer.nsecsElapsed();
}

qint64 replaceRun(const QString &path, int *messages, qsizetype *listed)
{
    Replace replace(nullptr);
    QObject::connect(
        &replace, &Replace::errorAtRename, &replace,
        [messages](int, const QString &) { ++*messages; }, Qt::DirectConnection);
    QObject::connect(
        &replace, &Replace::refreshListView, &replace,
        [listed](const QStringList &list) { *listed = list.size(); }, Qt::DirectConnection);
    QElapsedTimer timer;
    timer.start();
    replace.setParameters({path}, QString::fromLatin1(oldText), QString::fromLatin1(newText), false,
                          false, false, false);
    replace.start();
    replace.wait();
    return timer.nsecsElapsed();
}

int renamedCount(const QString &path)
{
    return int(QDir(path).entryList({QStringLiteral("photo_*")}, QDir::Files, QDir::NoSort).size());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    // Renames run slower the more the file system has been busy just before,
    // so each size is run twice, once in each order, on fresh copies.
    std::printf("%8s %12s %12s %7s\n", "files", "plain ms", "Replace ms", "ratio");
    for (const int count : {10000, 100000}) {
        qint64 plain = 0;
        qint64 worker = 0;
        for (const bool plainFirst : {true, false}) {
            const QString plainDir = root.filePath(QStringLiteral("plain"));
            const QString replaceDir = root.filePath(QStringLiteral("replace"));
            fillDirectory(plainDir, count);
            fillDirectory(replaceDir, count);
            ::sync();

            int messages = 0;
            qsizetype listed = -1;
            if (plainFirst)
                plain += plainRun(plainDir);
            worker += replaceRun(replaceDir, &messages, &listed);
            if (!plainFirst)
                plain += plainRun(plainDir);

            if (renamedCount(plainDir) != count || renamedCount(replaceDir) != count
                || messages != 0 || listed != 1) {
                std::fprintf(stderr, "files were not all renamed\n");
                return 1;
            }
            QDir(plainDir).removeRecursively();
            QDir(replaceDir).removeRecursively();
        }
        std::printf("%8d %12.1f %12.1f %7.2f\n", count, plain / 2e6, worker / 2e6,
                    double(worker) / double(plain));
    }
    return 0;
}

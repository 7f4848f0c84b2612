// Renames every file of one large folder, ordered by date, through the rename
// worker, and does the same job the plainest way on a fresh copy: one readdir
// listing, one stat per file, one sort, one rename(2) per file. With --loops,
// also compares bare rename loops (rename(2), renameNoReplace, QFile::rename).
// Usage: bench_rename [--loops] [file counts...]
#include "filemoves.h"
#include "rename.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string fileName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%07d.jpg", i);
    return name;
}

// n empty files with dates spread over a few days, some equal.
void fill(const std::string &dir, int n, quint32 seed)
{
    QRandomGenerator rng(seed);
    for (int i = 0; i < n; ++i) {
        const std::string path = dir + "/" + fileName(i);
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            std::exit(1);
        }
        struct timespec times[2];
        times[0].tv_sec = times[1].tv_sec = 1700000000 + rng.bounded(n / 2 + 1);
        times[0].tv_nsec = times[1].tv_nsec = long(rng.bounded(1000)) * 1000000;
        ::futimens(fd, times);
        ::close(fd);
    }
}

double plainRun(const std::string &dir)
{
    QElapsedTimer timer;
    timer.start();
    struct Entry
    {
        std::string name;
        struct timespec mtime;
    };
    std::vector<Entry> entries;
    DIR *d = ::opendir(dir.c_str());
    const int fd = ::dirfd(d);
    while (const struct dirent *e = ::readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        struct stat st;
        if (::fstatat(fd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            entries.push_back({e->d_name, st.st_mtim});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.mtime.tv_sec != b.mtime.tv_sec)
            return a.mtime.tv_sec > b.mtime.tv_sec;
        if (a.mtime.tv_nsec != b.mtime.tv_nsec)
            return a.mtime.tv_nsec > b.mtime.tv_nsec;
        return a.name < b.name;
    });
    const int width = int(std::to_string(entries.size()).size());
    char target[64];
    for (size_t i = 0; i < entries.size(); ++i) {
        std::snprintf(target, sizeof target, "Trip%0*zu.jpg", width, i + 1);
        const std::string from = dir + "/" + entries[i].name;
        const std::string to = dir + "/" + target;
        if (::rename(from.c_str(), to.c_str()) != 0)
            std::perror(target);
    }
    ::closedir(d);
    return double(timer.nsecsElapsed()) / 1e9;
}

double workerRun(const QString &dir)
{
    Rename rename(nullptr);
    int failures = 0;
    QObject::connect(&rename, &Rename::errorAtRename, [&failures] { ++failures; });
    QElapsedTimer timer;
    timer.start();
    rename.setParameters({dir}, QStringLiteral("Trip"), false, 0, {QStringLiteral("jpg")}, 0, false,
                         false);
    rename.start();
    rename.wait();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (failures)
        std::fprintf(stderr, "the worker reported failures\n");
    return seconds;
}

template <typename Move> double renameLoop(const std::string &dir, int n, Move move)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i) {
        const std::string from = dir + "/" + fileName(i);
        const std::string to = dir + "/R" + fileName(i);
        move(from, to);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    bool loops = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--loops")
            loops = true;
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {10000, 100000};

    // Two rounds, each on fresh copies, the second in the other order, so that
    // neither side profits from running first or second.
    std::printf("%10s %12s %12s %8s\n", "files", "worker (s)", "plain (s)", "ratio");
    for (int n : sizes) {
        double workerSeconds = 0;
        double plainSeconds = 0;
        for (int round = 0; round < 2; ++round) {
            QTemporaryDir worker;
            QTemporaryDir plain;
            fill(QFile::encodeName(worker.path()).toStdString(), n, 42);
            fill(QFile::encodeName(plain.path()).toStdString(), n, 42);
            // Neither run should pay for writing back the other's files.
            ::sync();
            if (round == 0) {
                plainSeconds += plainRun(QFile::encodeName(plain.path()).toStdString());
                ::sync();
                workerSeconds += workerRun(worker.path());
            } else {
                workerSeconds += workerRun(worker.path());
                ::sync();
                plainSeconds += plainRun(QFile::encodeName(plain.path()).toStdString());
            }
        }
        std::printf("%10d %12.3f %12.3f %8.2f\n", n, workerSeconds / 2, plainSeconds / 2,
                    workerSeconds / plainSeconds);
        std::fflush(stdout);
    }
    if (!loops)
        return 0;

    std::printf("\nbare rename loops\n%10s %12s %12s %12s\n", "files", "rename(2)", "noReplace",
                "QFile");
    for (int n : sizes) {
        QTemporaryDir a;
        QTemporaryDir b;
        QTemporaryDir c;
        const std::string pa = QFile::encodeName(a.path()).toStdString();
        const std::string pb = QFile::encodeName(b.path()).toStdString();
        const std::string pc = QFile::encodeName(c.path()).toStdString();
        fill(pa, n, 7);
        fill(pb, n, 7);
        fill(pc, n, 7);
        ::sync();
        const double bare = renameLoop(pa, n, [](const std::string &from, const std::string &to) {
            ::rename(from.c_str(), to.c_str());
        });
        const double noReplace =
            renameLoop(pb, n, [](const std::string &from, const std::string &to) {
                renameNoReplace(QFile::decodeName(from.c_str()), QFile::decodeName(to.c_str()));
            });
        const double qfile = renameLoop(pc, n, [](const std::string &from, const std::string &to) {
            QFile::rename(QFile::decodeName(from.c_str()), QFile::decodeName(to.c_str()));
        });
        std::printf("%10d %12.3f %12.3f %12.3f\n", n, bare, noReplace, qfile);
    }
    return 0;
}
#else
int main()
{
    std::printf("this benchmark needs a POSIX system\n");
    return 0;
}
#endif

// The analysis of one large folder (its files counted and their distinct
// suffixes gathered, on a thread of its own) against a plain readdir loop
// that does the same job on the calling thread, with QDir::entryList, which
// only lists, as a second reference. Same run, same warm folder, who goes
// first rotating from one repetition to the next; medians and ranges. The
// plain loop must find the same count and the same suffixes in the same
// order as the analysis.

#include "analize.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unordered_set>
#include <vector>

namespace {

const char *const suffixes[] = {"jpg", "JPG", "png", "txt", "", "tar.gz", "cr2"};

void createFiles(const QString &dir, int count)
{
    for (int i = 0; i < count; ++i) {
        // Mostly runs of one suffix, as in a folder of photos, with others mixed in.
        const char *suffix = suffixes[(i / 7 + i % 3) % 7];
        QString name = QStringLiteral("IMG_%1").arg(i, 6, 10, QLatin1Char('0'));
        if (*suffix)
            name += QLatin1Char('.') + QLatin1String(suffix);
        QFile f(dir + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot create %s", qPrintable(f.fileName()));
    }
}

struct Count
{
    qsizetype files = 0;
    QStringList suffixes; // in order of first appearance
};

// What a C programmer would write: the entries QDir::Files lists (no hidden
// ones, no folders, links followed), the text after the last dot of each.
Count plainCount(const QString &dir)
{
    Count count;
    std::vector<std::string> found;
    std::unordered_set<std::string> seen;
    DIR *stream = ::opendir(QFile::encodeName(dir).constData());
    if (!stream)
        qFatal("cannot list %s", qPrintable(dir));
    const int fd = ::dirfd(stream);
    while (const dirent *entry = ::readdir(stream)) {
        const char *name = entry->d_name;
        if (name[0] == '.')
            continue;
        if (entry->d_type != DT_REG) {
            struct stat info;
            if (entry->d_type == DT_DIR || ::fstatat(fd, name, &info, 0) != 0
                || S_ISDIR(info.st_mode))
                continue;
        }
        ++count.files;
        const char *dot = std::strrchr(name, '.');
        std::string suffix = dot ? dot + 1 : "";
        if (seen.insert(suffix).second)
            found.push_back(std::move(suffix));
    }
    ::closedir(stream);
    // Only the few distinct suffixes become QStrings, as the analysis hands them on.
    for (const std::string &suffix : found)
        count.suffixes.append(QFile::decodeName(suffix.c_str()));
    return count;
}

qint64 timePlain(const QString &dir, Count *count)
{
    QElapsedTimer timer;
    timer.start();
    *count = plainCount(dir);
    return timer.nsecsElapsed();
}

qint64 timeEntryList(const QString &dir, Count *count)
{
    QElapsedTimer timer;
    timer.start();
    const QStringList names = QDir(dir).entryList(QDir::Files, QDir::NoSort);
    const qint64 ns = timer.nsecsElapsed();
    count->files = names.size();
    return ns;
}

qint64 timeAnalize(const QString &dir, Count *count)
{
    Analize analize(nullptr);
    QObject::connect(
        &analize, &Analize::setFilesInformations, &analize,
        [count](int files, int) { count->files = files; }, Qt::DirectConnection);
    QObject::connect(
        &analize, &Analize::setListExtensions, &analize,
        [count](const QStringList &suffixes) { count->suffixes = suffixes; }, Qt::DirectConnection);
    QElapsedTimer timer;
    timer.start();
    analize.setPathList({dir});
    analize.start();
    analize.wait();
    return timer.nsecsElapsed();
}

struct Figures
{
    double median;
    double low;
    double high;
};

Figures figures(std::vector<qint64> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    const double middle =
        n % 2 ? double(times[n / 2]) : (double(times[n / 2 - 1] + times[n / 2])) / 2;
    return {middle / 1e6, double(times.front()) / 1e6, double(times.back()) / 1e6};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = 21;
    using Method = qint64 (*)(const QString &, Count *);
    const Method methods[] = {timePlain, timeEntryList, timeAnalize};
    const char *const names[] = {"plain readdir count", "QDir::entryList (lists only)", "Analize"};
    const int methodCount = 3;

    for (const int files : {10000, 100000}) {
        QTemporaryDir tmp;
        if (!tmp.isValid())
            qFatal("no temporary directory");
        createFiles(tmp.path(), files);

        Count counts[methodCount];
        for (int m = 0; m < methodCount; ++m) // warms the folder's caches
            methods[m](tmp.path(), &counts[m]);
        std::vector<qint64> times[methodCount];
        for (int r = 0; r < repetitions; ++r) {
            for (int k = 0; k < methodCount; ++k) {
                const int m = (k + r) % methodCount;
                times[m].push_back(methods[m](tmp.path(), &counts[m]));
            }
        }
        const Count &plain = counts[0];
        const Count &analysed = counts[2];
        if (plain.files != files || counts[1].files != files || analysed.files != files
            || plain.suffixes != analysed.suffixes)
            qFatal("counted %lld, %lld and %lld of %d files; suffixes %s against %s",
                   qlonglong(plain.files), qlonglong(counts[1].files), qlonglong(analysed.files),
                   files, qPrintable(plain.suffixes.join(QLatin1Char(' '))),
                   qPrintable(analysed.suffixes.join(QLatin1Char(' '))));

        std::printf("%d files, %d runs each, ms: median (range), median against each\n", files,
                    repetitions);
        Figures result[methodCount];
        for (int m = 0; m < methodCount; ++m)
            result[m] = figures(times[m]);
        for (int m = 0; m < methodCount; ++m)
            std::printf("  %-30s %8.2f  (%6.2f - %6.2f)  %6.2f of plain  %6.2f of QDir\n", names[m],
                        result[m].median, result[m].low, result[m].high,
                        result[m].median / result[0].median, result[m].median / result[1].median);
    }
    return 0;
}

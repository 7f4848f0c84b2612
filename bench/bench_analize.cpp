// Times the analysis of one large directory against plain unsorted listings
// of the same directory (QDir's, and the readdir one the analysis uses), in
// the same run and on the same (warm) data.

#include "analize.h"
#include "directorylisting.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

static const char *const suffixes[] = {"jpg", "JPG", "png", "txt", "", "tar.gz", "cr2"};

static void createFiles(const QString &dir, int count)
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

static qint64 timeListing(const QString &dir, qsizetype *found)
{
    QElapsedTimer t;
    t.start();
    const QStringList names = QDir(dir).entryList(QDir::Files, QDir::NoSort);
    const qint64 ns = t.nsecsElapsed();
    *found = names.size();
    return ns;
}

static qint64 timeReaddirListing(const QString &dir, qsizetype *found)
{
    QElapsedTimer t;
    t.start();
    const QStringList names = listPlainFileNames(dir);
    const qint64 ns = t.nsecsElapsed();
    *found = names.size();
    return ns;
}

// The same listing on a thread of its own, as the analysis runs: a fresh
// thread allocates from its own heap, whose pages come cold.
static qint64 timeThreadedListing(const QString &dir, qsizetype *found)
{
    QElapsedTimer t;
    t.start();
    QThread *thread = QThread::create([&] { *found = listPlainFileNames(dir).size(); });
    thread->start();
    thread->wait();
    const qint64 ns = t.nsecsElapsed();
    delete thread;
    return ns;
}

static qint64 timeAnalize(const QString &dir, int *found)
{
    Analize analize(nullptr);
    QObject::connect(
        &analize, &Analize::setFilesInformations, &analize,
        [found](int files, int) { *found = files; }, Qt::DirectConnection);
    QElapsedTimer t;
    t.start();
    analize.setPathList({dir});
    analize.start();
    analize.wait();
    return t.nsecsElapsed();
}

static double median(QVector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return double(v[v.size() / 2]) / 1e6;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = 7;

    std::printf("%-8s %9s %11s %13s %11s %8s %10s %10s\n", "files", "QDir ms", "readdir ms",
                "on thread ms", "Analize ms", "/ QDir", "/ readdir", "/ thread");
    for (const int count : {10000, 100000}) {
        QTemporaryDir tmp;
        if (!tmp.isValid())
            qFatal("no temporary directory");
        createFiles(tmp.path(), count);

        qsizetype listed = 0, readdirListed = 0, threadListed = 0;
        int analysed = 0;
        timeListing(tmp.path(), &listed); // warm the directory caches
        timeAnalize(tmp.path(), &analysed);

        QVector<qint64> listing, readdirListing, threadListing, analysis;
        for (int r = 0; r < repetitions; ++r) {
            listing << timeListing(tmp.path(), &listed);
            readdirListing << timeReaddirListing(tmp.path(), &readdirListed);
            threadListing << timeThreadedListing(tmp.path(), &threadListed);
            analysis << timeAnalize(tmp.path(), &analysed);
        }
        if (listed != count || readdirListed != count || threadListed != count || analysed != count)
            qFatal("counted %lld, %lld and %d of %d files", qlonglong(listed),
                   qlonglong(readdirListed), analysed, count);

        const double base = median(listing);
        const double readdirBase = median(readdirListing);
        const double threadBase = median(threadListing);
        const double ours = median(analysis);
        std::printf("%-8d %9.2f %11.2f %13.2f %11.2f %8.2f %10.2f %10.2f\n", count, base,
                    readdirBase, threadBase, ours, ours / base, ours / readdirBase,
                    ours / threadBase);
    }
    std::printf("(median of %d runs each; aim: within 1.1 of a plain listing)\n", repetitions);
    return 0;
}

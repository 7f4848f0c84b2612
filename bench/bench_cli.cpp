// Whole runs of tavrelo-cli, as a user starts them, against the plainest ways
// of doing the same job on 100,000 files in one folder, in the same run:
//   replace --find f --with Trip DIR    against  mmv 'f*.jpg' 'Trip#1.jpg'
//                                       and      readdir + rename(2) in C
//   rename --text Trip --order date DIR against  readdir + stat + sort by date
//                                                + rename(2) in C
// Every contender gets a fresh folder of the same names; the order of the
// contenders rotates from round to round and the times are summed over the
// rounds. The command line writes its journal into a temporary folder and
// its output to /dev/null. mmv comes from the Debian package mmv
// (apt-get install mmv); without it its column says "mmv not found".

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int fileCount = 100000;
const int rounds = 2;

// f000000.jpg ... each a second newer than the one before, so that an order
// by date has work to do.
void fillDirectory(const QString &path)
{
    QDir().mkpath(path);
    const std::string dir = QFile::encodeName(path).toStdString();
    char name[64];
    for (int i = 0; i < fileCount; ++i) {
        std::snprintf(name, sizeof name, "/f%06d.jpg", (i * 7919) % fileCount);
        const int fd = ::open((dir + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd < 0) {
            std::perror("open");
            std::exit(1);
        }
        const timespec times[2] = {{1700000000 + i, 0}, {1700000000 + i, 0}};
        ::futimens(fd, times);
        ::close(fd);
    }
    ::sync();
}

int countStartingWith(const QString &path, const QString &prefix)
{
    return int(QDir(path).entryList({prefix + QLatin1Char('*')}, QDir::Files, QDir::NoSort).size());
}

std::vector<std::string> listNames(const std::string &dir)
{
    std::vector<std::string> names;
    DIR *stream = ::opendir(dir.c_str());
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    ::closedir(stream);
    return names;
}

qint64 timed(const std::function<bool()> &job)
{
    QElapsedTimer timer;
    timer.start();
    if (!job()) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(1);
    }
    return timer.nsecsElapsed();
}

bool runProcess(const QString &program, const QStringList &arguments, const QString &workDir,
                const QString &journal)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVRELO_JOURNAL_DIR"), journal);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workDir);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    return true;
}

bool plainReplace(const QString &path)
{
    const std::string dir = QFile::encodeName(path).toStdString() + '/';
    for (const std::string &name : listNames(dir)) {
        if (name[0] != 'f')
            continue;
        if (::rename((dir + name).c_str(), (dir + "Trip" + name.substr(1)).c_str()) != 0)
            return false;
    }
    return true;
}

bool plainRename(const QString &path)
{
    const std::string dir = QFile::encodeName(path).toStdString() + '/';
    struct Entry
    {
        std::string name;
        timespec modified;
    };
    std::vector<Entry> entries;
    for (std::string &name : listNames(dir)) {
        struct stat info;
        if (::stat((dir + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        entries.push_back({std::move(name), info.st_mtim});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.modified.tv_sec != b.modified.tv_sec)
            return a.modified.tv_sec > b.modified.tv_sec;
        if (a.modified.tv_nsec != b.modified.tv_nsec)
            return a.modified.tv_nsec > b.modified.tv_nsec;
        return a.name < b.name;
    });
    const int width = int(std::to_string(entries.size()).size());
    char number[32];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string &name = entries[i].name;
        std::snprintf(number, sizeof number, "%0*zu", width, i + 1);
        const std::string::size_type dot = name.rfind('.');
        const std::string suffix = dot == std::string::npos ? std::string() : name.substr(dot);
        // The new names are all free here; a general tool would have to
        // check that, as the command line does.
        if (::rename((dir + name).c_str(), (dir + "Trip" + number + suffix).c_str()) != 0)
            return false;
    }
    return true;
}

struct Contender
{
    const char *name;
    std::function<bool(const QString &dir)> run;
    qint64 nanoseconds = 0;
    bool available = true;
};

// Runs every contender once per round on a fresh folder, rotating who goes
// first, and checks that each renamed every file.
void race(const char *job, std::vector<Contender> &contenders, const QString &root)
{
    const int count = int(contenders.size());
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            Contender &contender = contenders[(k + round) % count];
            if (!contender.available)
                continue;
            const QString dir = root + QStringLiteral("/run");
            fillDirectory(dir);
            contender.nanoseconds += timed([&] { return contender.run(dir); });
            if (countStartingWith(dir, QStringLiteral("Trip")) != fileCount) {
                std::fprintf(stderr, "%s: %s did not rename every file\n", job, contender.name);
                std::exit(1);
            }
            QDir(dir).removeRecursively();
        }
    }
    const double base = double(contenders.back().nanoseconds);
    std::printf("%s, %d files, %d rounds:\n", job, fileCount, rounds);
    for (const Contender &contender : contenders) {
        if (!contender.available)
            std::printf("  %-32s mmv not found\n", contender.name);
        else
            std::printf("  %-32s %9.1f ms  %6.2fx\n", contender.name,
                        double(contender.nanoseconds) / rounds / 1e6,
                        double(contender.nanoseconds) / base);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QString cli = QStringLiteral(TAVRELO_CLI);
    const QString journal = root.filePath(QStringLiteral("journal"));
    const QString mmv = QStandardPaths::findExecutable(QStringLiteral("mmv"));

    std::vector<Contender> replace{
        {"tavrelo-cli replace",
         [&](const QString &dir) {
             return runProcess(cli,
                               {QStringLiteral("replace"), QStringLiteral("--find"),
                                QStringLiteral("f"), QStringLiteral("--with"),
                                QStringLiteral("Trip"), dir},
                               dir, journal);
         }},
        {"mmv 'f*.jpg' 'Trip#1.jpg'",
         [&](const QString &dir) {
             return runProcess(mmv, {QStringLiteral("f*.jpg"), QStringLiteral("Trip#1.jpg")}, dir,
                               journal);
         },
         0, !mmv.isEmpty()},
        {"readdir + rename(2)", plainReplace},
    };
    race("replace f by Trip", replace, root.path());

    std::vector<Contender> rename{
        {"tavrelo-cli rename --order date",
         [&](const QString &dir) {
             return runProcess(cli,
                               {QStringLiteral("rename"), QStringLiteral("--text"),
                                QStringLiteral("Trip"), QStringLiteral("--order"),
                                QStringLiteral("date"), dir},
                               dir, journal);
         }},
        {"readdir + stat + sort + rename(2)", plainRename},
    };
    race("numbered by date", rename, root.path());
    return 0;
}

// The rename of one large folder and its undo on mounted volumes: an exFAT
// drive through FUSE (exfat-fuse, mounted from a block device as a drive is)
// and, for comparison, ext4 on a loop device. The program takes the command
// line's road (a RenamePlan numbered by name, BatchRun::carryOut with a
// journal in a temporary folder, then BatchRun::undo); the baseline lists the
// folder with readdir and does the same renames in the same order with a bare
// rename(2) each, the new names worked out beforehand, and takes them back
// with a bare rename(2) loop.
// Every measurement starts from a fresh folder; the program and the baseline
// take turns at going first. Mounting needs root: without it the benchmark
// says so and measures nothing.
// exfat-fuse lists every file with the same unknown inode number, and an undo
// that trusts the journal's ids then leaves every file alone; the benchmark
// says so. --ids-by-stat drops the listing's ids from the plan, so that the
// journal reads them with lstat and the undo can be timed at all.
// --readdir-order renames in the order of the listing instead of the
// program's order, by name.
// Usage: bench_volume [--rounds R] [--ext4 N] [--exfat N] [--ids-by-stat]
//                     [--readdir-order]          (N 0 leaves a volume out)
#include "batchrun.h"
#include "renameplan.h"
#include "testvolume.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// exfat-fuse looks a name up by walking its folder, so every create, stat and
// rename costs time in proportion to the folder: 10,000 files keep one round
// within about a minute there.
const int defaultExt4Files = 100000;
const int defaultExfatFiles = 10000;
// Sparse images: room for 100,000 inodes on ext4 costs no disk space.
const int ext4Megabytes = 2048;
const int exfatMegabytes = 512;

std::string oldNameOf(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%07d.jpg", i);
    return name;
}

// What the program gives IMG_<i>.jpg when it numbers the folder by name.
std::string newNameOf(int i, int count)
{
    const int width = int(std::to_string(count).size());
    char name[48];
    std::snprintf(name, sizeof name, "Trip%0*d.jpg", width, i + 1);
    return name;
}

// Empty on success, else what failed.
std::string fill(const std::string &dir, int count)
{
    if (::mkdir(dir.c_str(), 0755) != 0)
        return dir + ": " + std::strerror(errno);
    for (int i = 0; i < count; ++i) {
        const std::string path = dir + '/' + oldNameOf(i);
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0)
            return path + ": " + std::strerror(errno);
        ::close(fd);
    }
    // Neither side should pay for writing back the files made for it.
    ::sync();
    return std::string();
}

int countStartingWith(const std::string &dir, const char *prefix)
{
    int count = 0;
    DIR *stream = ::opendir(dir.c_str());
    if (!stream)
        return -1;
    const size_t length = std::strlen(prefix);
    while (const dirent *entry = ::readdir(stream))
        count += std::strncmp(entry->d_name, prefix, length) == 0 ? 1 : 0;
    ::closedir(stream);
    return count;
}

// Empty when the folder holds count files named prefix...
std::string checkNames(const std::string &dir, const char *prefix, int count, const char *when)
{
    const int found = countStartingWith(dir, prefix);
    if (found == count)
        return std::string();
    return std::string(when) + ": " + std::to_string(found) + " of " + std::to_string(count)
           + " files are named " + prefix + "...";
}

struct Times
{
    qint64 rename = 0;
    qint64 undo = 0;
};

struct ProgramTimes : Times
{
    qint64 plan = 0; // the part of the rename spent listing and planning
    // The first undo that did not take every file back, and why.
    std::string undoProblem;
};

// The same road as tavrelo-cli rename --text Trip --order name --ext jpg DIR.
// With idsByStat, the plan carries no file ids, so that the journal reads
// them with lstat instead of taking them from the listing. Empty when all
// went well; a failed undo is only noted, since the next round starts afresh.
std::string programRound(const QString &dir, int count, bool idsByStat, Journal &journal,
                         ProgramTimes &times)
{
    QElapsedTimer timer;
    timer.start();
    RenameOptions options;
    options.outputFormat = QStringLiteral("Trip");
    options.listExtensions = QStringList{QStringLiteral("jpg")};
    options.renameBy = 2;
    const BatchPlan plan = RenamePlan::make({dir}, options);
    QVector<PlannedRename> renames = plan.renames();
    if (idsByStat) {
        for (PlannedRename &rename : renames)
            rename.fileId = 0;
    }
    const qint64 planned = timer.nsecsElapsed();
    const BatchRun::Result result =
        BatchRun::carryOut(renames, Journal::Kind::Rename, {}, &journal);
    const qint64 renamed = timer.nsecsElapsed();
    if (!result.ran())
        return "the program's rename did not run: " + result.journalError.toStdString();
    if (!result.outcome.failures.isEmpty()) {
        const FileFailure &failure = result.outcome.failures.first();
        return "the program's rename failed: " + failure.path.toStdString() + ": "
               + failure.reason.toStdString();
    }
    const std::string path = QFile::encodeName(dir).toStdString();
    std::string problem = checkNames(path, "Trip", count, "after the program's rename");
    if (!problem.empty())
        return problem;
    ::sync();

    timer.restart();
    const BatchRun::UndoResult undo = BatchRun::undo(journal, result.batchId, {});
    const qint64 undone = timer.nsecsElapsed();
    if (!undo.run.ran())
        return "the program's undo did not run: " + undo.run.journalError.toStdString();
    if (!undo.leftAlone.isEmpty() && times.undoProblem.empty())
        times.undoProblem =
            "took back " + std::to_string(undo.run.outcome.renamed) + " of " + std::to_string(count)
            + " files; first left alone: " + undo.leftAlone.first().line().toStdString();
    if (undo.leftAlone.isEmpty()) {
        problem = checkNames(path, "IMG_", count, "after the program's undo");
        if (!problem.empty())
            return problem;
    }
    times.plan += planned;
    times.rename += renamed;
    times.undo += undone;
    return std::string();
}

std::string baselineRound(const QString &dir, int count, bool readdirOrder, Times &times)
{
    const std::string path = QFile::encodeName(dir).toStdString() + '/';
    // Worked out beforehand, as the program's plan would be.
    std::vector<std::pair<std::string, std::string>> pairs;
    std::unordered_map<std::string, std::string> newNames;
    pairs.reserve(size_t(count));
    newNames.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        pairs.emplace_back(oldNameOf(i), newNameOf(i, count));
        newNames.insert(pairs.back());
    }

    QElapsedTimer timer;
    timer.start();
    std::vector<std::string> names;
    names.reserve(size_t(count));
    DIR *stream = ::opendir(path.c_str());
    if (!stream)
        return path + ": " + std::strerror(errno);
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    ::closedir(stream);
    // In the program's order, by name: ext4 renames files in the order of
    // their inodes (here the order of their names) nearly twice as fast as in
    // the order its listing gives, which would flatter the program.
    if (!readdirOrder)
        std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        if (::rename((path + name).c_str(), (path + newNames.at(name)).c_str()) != 0)
            return "the baseline's rename failed: " + name + ": " + std::strerror(errno);
    }
    const qint64 renamed = timer.nsecsElapsed();
    std::string problem = checkNames(path, "Trip", count, "after the baseline's rename");
    if (!problem.empty())
        return problem;
    ::sync();

    // In the order of the journal, which the program's undo follows.
    timer.restart();
    for (const auto &[oldName, newName] : pairs) {
        if (::rename((path + newName).c_str(), (path + oldName).c_str()) != 0)
            return "the baseline's undo failed: " + newName + ": " + std::strerror(errno);
    }
    const qint64 undone = timer.nsecsElapsed();
    problem = checkNames(path, "IMG_", count, "after the baseline's undo");
    if (!problem.empty())
        return problem;
    times.rename += renamed;
    times.undo += undone;
    return std::string();
}

void removeFolder(const QString &dir)
{
    QDir(dir).removeRecursively();
    ::sync();
}

struct Settings
{
    int rounds = 2;
    bool idsByStat = false;
    bool readdirOrder = false;
};

// Returns on every failure, so that the volume is always unmounted.
void measure(TestVolume::Kind kind, int megabytes, int count, const Settings &settings)
{
    const QString name = TestVolume::nameOf(kind);
    QElapsedTimer total;
    total.start();
    const TestVolume volume(kind, megabytes);
    if (!volume.isMounted()) {
        std::printf("%s: not measured: %s\n", qPrintable(name), qPrintable(volume.skipReason()));
        return;
    }
    QTemporaryDir journalDir;
    Journal journal(journalDir.filePath(QStringLiteral("journal")));
    const QString dir = volume.path() + QStringLiteral("/photos");
    const std::string path = QFile::encodeName(dir).toStdString();
    ProgramTimes program;
    Times baseline;
    const int rounds = settings.rounds;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            std::string problem = fill(path, count);
            if (problem.empty()) {
                problem = (turn + round) % 2 == 0
                              ? programRound(dir, count, settings.idsByStat, journal, program)
                              : baselineRound(dir, count, settings.readdirOrder, baseline);
            }
            removeFolder(dir);
            if (!problem.empty()) {
                std::printf("%s: not measured: %s\n", qPrintable(name), problem.c_str());
                return;
            }
        }
    }
    const auto ms = [rounds](qint64 nanoseconds) { return double(nanoseconds) / rounds / 1e6; };
    std::printf("%s, %d files in one folder, %d rounds%s, %.0f s in all (mean ms per round):\n",
                qPrintable(name), count, rounds,
                settings.idsByStat ? ", file ids read by the journal" : "",
                double(total.elapsed()) / 1e3);
    std::printf("  %-8s %12s %12s %8s\n", "", "program", "baseline", "ratio");
    std::printf("  %-8s %12.1f %12.1f %8.2f   (of it listing and planning: %.1f ms)\n", "rename",
                ms(program.rename), ms(baseline.rename),
                double(program.rename) / double(baseline.rename), ms(program.plan));
    std::printf("  %-8s %12.1f %12.1f %8.2f\n", "undo", ms(program.undo), ms(baseline.undo),
                double(program.undo) / double(baseline.undo));
    if (settings.readdirOrder)
        std::printf("  the baseline renamed in the order of the listing\n");
    if (!program.undoProblem.empty())
        std::printf("  the program's undo FAILED: %s\n", program.undoProblem.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int ext4Files = defaultExt4Files;
    int exfatFiles = defaultExfatFiles;
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const int value = i + 1 < argc ? std::atoi(argv[i + 1]) : -1;
        if (option == "--ids-by-stat") {
            settings.idsByStat = true;
        } else if (option == "--readdir-order") {
            settings.readdirOrder = true;
        } else if (option == "--ext4" && value >= 0) {
            ext4Files = value;
            ++i;
        } else if (option == "--exfat" && value >= 0) {
            exfatFiles = value;
            ++i;
        } else if (option == "--rounds" && value > 0) {
            settings.rounds = value;
            ++i;
        } else {
            std::fprintf(stderr, "usage: bench_volume [--rounds R] [--ext4 N] [--exfat N] "
                                 "[--ids-by-stat] [--readdir-order]\n");
            return 2;
        }
    }
    if (::geteuid() != 0) {
        std::printf("bench_volume: mounting a volume needs root; nothing was measured\n");
        return 0;
    }
    if (exfatFiles > 0)
        measure(TestVolume::Exfat, exfatMegabytes, exfatFiles, settings);
    if (ext4Files > 0)
        measure(TestVolume::Ext4, ext4Megabytes, ext4Files, settings);
    return 0;
}

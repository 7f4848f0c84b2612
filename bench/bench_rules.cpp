// Rule stacks on one large folder, side by side in one run:
//  plan    a four-rule stack (replace, case, counter, characters) planned,
//          against the Rename tab's numbering alone on the same files;
//  live    the rules tab's table recomputed after one edit: planned on the
//          planner's thread, shown by the preview's model, with the longest
//          pause of the event loop on the way;
//  run     the stack carried out with its journal, against a readdir listing
//          and a rename(2) loop to the same names.
// Usage: bench_rules [file count] [plan|live|run]
#include "batchrun.h"
#include "planner.h"
#include "previewmodel.h"
#include "renameplan.h"
#include "ruleplan.h"
#include "ruleregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void fill(const QString &dir, int n)
{
    QRandomGenerator rng(42);
    const std::string base = QFile::encodeName(dir).toStdString();
    char name[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(name, sizeof name, "/IMG_%07d Été.JPG", i);
        const std::string path = base + name;
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        struct timespec times[2];
        times[0].tv_sec = times[1].tv_sec = 1700000000 + rng.bounded(n / 2 + 1);
        times[0].tv_nsec = times[1].tv_nsec = 0;
        ::futimens(fd, times);
        ::close(fd);
    }
}

RuleStack fourRules()
{
    QString error;
    RuleStack stack;
    for (const char *shortForm : {"replace:IMG_:Trip ", "case:lower:both", "counter:1:1:0:after:-",
                                  "characters:none:true:true:_:underscore"}) {
        std::unique_ptr<Rule> rule =
            RuleStack::ruleFromShortForm(QString::fromUtf8(shortForm), &error);
        if (!rule) {
            std::fprintf(stderr, "%s: %s\n", shortForm, qPrintable(error));
            std::exit(1);
        }
        stack.append(std::move(rule));
    }
    stack.order = ListingOrder::Time;
    return stack;
}

double cpuSeconds()
{
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void comparePlanning(const QString &dir)
{
    RenameOptions numbering;
    numbering.outputFormat = QStringLiteral("Trip");
    numbering.everySuffix = true;
    const RuleStack stack = fourRules();
    std::vector<double> alone;
    std::vector<double> rules;
    for (int round = 0; round < 6; ++round) {
        // Alternating, so that neither profits from a warmer cache.
        for (int side = 0; side < 2; ++side) {
            const bool first = (round + side) % 2 == 0;
            const double start = cpuSeconds();
            const BatchPlan plan =
                first ? RenamePlan::make({dir}, numbering) : RulePlan::make({dir}, stack);
            (first ? alone : rules).push_back(cpuSeconds() - start);
            if (plan.renames().isEmpty())
                std::fprintf(stderr, "nothing planned\n");
        }
    }
    std::printf("plan: numbering alone %.3f s, four rules %.3f s (CPU, medians): ratio %.2f\n",
                median(alone), median(rules), median(rules) / median(alone));
    {
        const BatchPlan plan = RulePlan::make({dir}, stack);
        std::vector<double> walls;
        const int rounds = qMax(3, qEnvironmentVariableIntValue("TAVRELO_BENCH_ROUNDS"));
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer wall;
            wall.start();
            QVector<PlannedRename> rows = plan.renames();
            BatchPlan::foreseeConflicts(rows, false);
            walls.push_back(double(wall.nsecsElapsed()) / 1e9);
        }
        std::printf("      conflicts foreseen in %.3f s (wall, median of 3)\n", median(walls));
    }
    // Where the stack's time goes: each rule alone, in the same order.
    for (int i = 0; i < stack.size(); ++i) {
        RuleStack one;
        one.order = stack.order;
        one.append(stack.at(i).clone());
        std::vector<double> seconds;
        for (int round = 0; round < 3; ++round) {
            const double start = cpuSeconds();
            const BatchPlan plan = RulePlan::make({dir}, one);
            seconds.push_back(cpuSeconds() - start);
        }
        std::printf("      %-40s %.3f s\n", qPrintable(one.at(0).shortForm()), median(seconds));
    }
}

void measureLiveTable(const QString &dir)
{
    Planner planner(nullptr);
    PreviewModel model(nullptr);
    QObject::connect(&planner, &Planner::planned, &model, &PreviewModel::setPreview);
    PlanRequest request;
    request.applyingRules = true;
    request.pathList = {dir};
    request.rules = fourRules();
    std::vector<double> walls;
    qint64 longestPause = 0;
    for (int round = 0; round < 5; ++round) {
        // One edit: the text to find changes.
        request.rules.at(0).setValue(QStringLiteral("with"), QStringLiteral("Trip%1 ").arg(round));
        QElapsedTimer sincePause;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestPause = std::max(longestPause, sincePause.restart()); });
        QEventLoop shown;
        QObject::connect(&model, &QAbstractItemModel::modelReset, &shown, &QEventLoop::quit);
        QElapsedTimer wall;
        wall.start();
        sincePause.start();
        ticker.start();
        planner.setRequest(request);
        planner.start();
        // The model's reset, on this thread, is part of what the user waits for.
        shown.exec();
        walls.push_back(double(wall.nsecsElapsed()) / 1e9);
        ticker.stop();
        planner.wait();
    }
    std::printf("live: recomputed and shown in %.3f s (median of 5), longest pause of the event "
                "loop %lld ms, %d rows\n",
                median(walls), static_cast<long long>(longestPause), model.rowCount());
}

double plainRun(const QString &dir, const QHash<QString, QString> &targets)
{
    const std::string base = QFile::encodeName(dir).toStdString();
    QElapsedTimer timer;
    timer.start();
    DIR *d = ::opendir(base.c_str());
    std::vector<std::string> names;
    while (const struct dirent *e = ::readdir(d)) {
        if (e->d_name[0] != '.')
            names.emplace_back(e->d_name);
    }
    ::closedir(d);
    for (const std::string &name : names) {
        const QByteArray to = QFile::encodeName(targets.value(QString::fromStdString(name)));
        if (::rename((base + "/" + name).c_str(), (base + "/" + to.toStdString()).c_str()) != 0)
            std::perror(name.c_str());
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

void compareRun(int n)
{
    std::vector<double> program;
    std::vector<double> plain;
    const RuleStack stack = fourRules();
    for (int round = 0; round < 2; ++round) {
        QTemporaryDir ours;
        QTemporaryDir theirs;
        QTemporaryDir journalDir;
        fill(ours.path(), n);
        fill(theirs.path(), n);
        // The plain loop gets the names ready-made, from the same plan.
        QHash<QString, QString> targets;
        const BatchPlan theirPlan = RulePlan::make({theirs.path()}, stack);
        for (const PlannedRename &row : theirPlan.renames())
            targets.insert(row.oldName, row.newName);
        ::sync();
        Journal journal(journalDir.path());
        const auto runOurs = [&] {
            QElapsedTimer timer;
            timer.start();
            const BatchPlan plan = RulePlan::make({ours.path()}, stack);
            const BatchRun::Result result =
                BatchRun::carryOut(plan.renames(), Journal::Kind::Rules, BatchExecutor::Options(),
                                   &journal, QString(), {}, stack.toJson(true));
            if (result.outcome.renamed != n)
                std::fprintf(stderr, "renamed %lld of %d\n",
                             static_cast<long long>(result.outcome.renamed), n);
            program.push_back(double(timer.nsecsElapsed()) / 1e9);
        };
        if (round == 0) {
            plain.push_back(plainRun(theirs.path(), targets));
            ::sync();
            runOurs();
        } else {
            runOurs();
            ::sync();
            plain.push_back(plainRun(theirs.path(), targets));
        }
    }
    const double ours = (program[0] + program[1]) / 2;
    const double theirs = (plain[0] + plain[1]) / 2;
    std::printf("run: rules batch %.3f s, listing + rename(2) %.3f s (means of 2): ratio %.2f\n",
                ours, theirs, ours / theirs);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    fill(dir.path(), n);
    std::printf("%d files in one folder\n", n);
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only.isEmpty() || only == QLatin1String("plan"))
        comparePlanning(dir.path());
    if (only.isEmpty() || only == QLatin1String("live"))
        measureLiveTable(dir.path());
    if (only.isEmpty() || only == QLatin1String("run"))
        compareRun(n);
    return 0;
}
#else
int main()
{
    std::printf("this benchmark needs a POSIX system\n");
    return 0;
}
#endif

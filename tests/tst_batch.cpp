#include "batchexecutor.h"
#include "filemoves.h"
#include "rename.h"
#include "renameplan.h"
#include "replace.h"
#include "replaceplan.h"
#include "startup.h"
#include "testdir.h"

#include <QtTest>

#include <algorithm>

namespace {

// Every file of the tree, relative. Each file is made holding its own path,
// so one that now bears another name shows as "old>new", and a lost or
// overwritten one cannot hide.
QStringList tree(const TestDir &dir)
{
    QStringList files;
    const QMap<QString, QByteArray> all = snapshot(dir.path());
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const QString name = it.key().mid(dir.path().size() + 1);
        const QString origin = QString::fromUtf8(it.value());
        files << (origin == name ? name : origin + '>' + name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct RunResult
{
    QStringList message; // the one message of the run, split in lines; its priority first
    QStringList refreshed;
};

// Runs a worker to its end and reads what it told the window, with the
// test folder's path taken out.
RunResult finish(BatchWorker &worker, const TestDir &dir)
{
    QSignalSpy errors(&worker, &BatchWorker::errorAtRename);
    QSignalSpy refresh(&worker, &BatchWorker::refreshListView);
    worker.start();
    if (!worker.wait(60000))
        qFatal("the run did not end");
    RunResult result;
    const QString root = QDir::toNativeSeparators(dir.path() + '/');
    if (errors.size() > 1)
        result.message << QStringLiteral("more than one message");
    if (!errors.isEmpty())
        result.message =
            QString(QString::number(errors[0][0].toInt()) + '\n' + errors[0][1].toString())
                .remove(root)
                .split('\n', Qt::SkipEmptyParts);
    if (!refresh.isEmpty())
        result.refreshed = refresh[0][0].toStringList().join('|').remove(root).split('|');
    return result;
}

QStringList inside(const TestDir &dir, QStringList paths)
{
    for (QString &path : paths)
        path = QDir::toNativeSeparators(dir.at(path));
    return paths;
}

void makeFiles(TestDir &dir, const QStringList &files)
{
    // Each a day newer than the one before, holding its own path.
    for (int i = 0; i < files.size(); ++i) {
        if (files[i].endsWith('/'))
            dir.folder(files[i]);
        else
            dir.file(files[i], files[i].toUtf8(),
                     QDateTime(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC).addDays(i));
    }
}

} // namespace

// Carrying out batches on disk, through the threads of both jobs and the
// executor they share: no file lost, none overwritten, failures told once.
class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Worded as the program words them, counts in the singular included.
        installTranslations(*QCoreApplication::instance(),
                            QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void renaming_data();
    void renaming();
    void replacing_data();
    void replacing();
    void failedMoveAfterSetAsidePutsTheFileBack();
    void cancelStopsBetweenChainsAndCycles();
    void cancelAtOnceIsNeverLost();
    void randomBatchesLoseNothing_data();
    void randomBatchesLoseNothing();
};

void TestBatch::renaming_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("request");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("renameBy");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("refreshed");
    QTest::addColumn<QStringList>("message");

    addRow(
        "numbered per folder, jpg only", QStringList{"p/a.jpg", "p/b.png", "p/c.jpg", "q/x.jpg"},
        QStringList{"p", "q/x.jpg"}, QString("Trip"), 2, false,
        QStringList{"p/a.jpg>p/Trip1.jpg", "p/b.png", "p/c.jpg>p/Trip2.jpg", "q/x.jpg>q/Trip1.jpg"},
        QStringList{"p/", "q/Trip1.jpg"}, QStringList());
    addRow("single files of one folder gathered at the first",
           QStringList{"a/1.jpg", "a/n.txt", "p/z.jpg", "a/2.jpg"},
           QStringList{"a/1.jpg", "p", "a/n.txt", "a/2.jpg"}, QString("T"), 2, false,
           QStringList{"a/1.jpg>a/T1.jpg", "a/2.jpg>a/T2.jpg", "a/n.txt", "p/z.jpg>p/T1.jpg"},
           QStringList{"a/T1.jpg", "a/n.txt", "a/T2.jpg", "p/"}, QStringList());
    addRow("chain of names, newest first",
           QStringList{"d/T3.jpg", "d/T2.jpg", "d/T1.jpg", "d/new.jpg"}, QStringList{"d"},
           QString("T"), 0, false,
           QStringList{"d/T1.jpg>d/T2.jpg", "d/T2.jpg>d/T3.jpg", "d/T3.jpg>d/T4.jpg",
                       "d/new.jpg>d/T1.jpg"},
           QStringList{"d/"}, QStringList());
    addRow("cycle of names, oldest first", QStringList{"d/3.jpg", "d/2.jpg", "d/1.jpg"},
           QStringList{"d"}, QString(), 0, true,
           QStringList{"d/1.jpg>d/3.jpg", "d/2.jpg", "d/3.jpg>d/1.jpg"}, QStringList{"d/"},
           QStringList());
    addRow("file then its folder", QStringList{"d/a.jpg", "d/b.jpg"}, QStringList{"d/a.jpg", "d"},
           QString("T"), 2, false, QStringList{"d/a.jpg>d/T1.jpg", "d/b.jpg>d/T2.jpg"},
           QStringList{"d/T1.jpg", "d/"}, QStringList());
    addRow("name held by a file outside the request", QStringList{"d/a.jpg", "d/b.jpg", "d/T1.jpg"},
           QStringList{"d/a.jpg", "d/b.jpg"}, QString("T"), 2, false,
           QStringList{"d/T1.jpg", "d/a.jpg", "d/b.jpg>d/T2.jpg"},
           QStringList{"d/a.jpg", "d/T2.jpg"},
           QStringList{"1", "1 file could not be renamed:",
                       "d/a.jpg (to \"T1.jpg\"): a file named \"T1.jpg\" already exists"});
    addRow("text with a separator", QStringList{"d/a.jpg", "d/x/"}, QStringList{"d/a.jpg"},
           QString("x/"), 2, false, QStringList{"d/a.jpg"}, QStringList{"d/a.jpg"},
           QStringList{"1", "1 file could not be renamed:",
                       "d/a.jpg (to \"x/1.jpg\"): stays: its new name would not be a valid file "
                       "name"});
}

void TestBatch::renaming()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, request);
    QFETCH(QString, text);
    QFETCH(int, renameBy);
    QFETCH(bool, reversed);
    TestDir dir;
    makeFiles(dir, files);
    Rename rename(nullptr);
    rename.setParameters(inside(dir, request), text, false, 0, {"jpg", ""}, renameBy, reversed,
                         false);
    const RunResult result = finish(rename, dir);
    QTEST(tree(dir), "after");
    QTEST(result.refreshed, "refreshed");
    QTEST(result.message, "message");
}

void TestBatch::replacing_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("request");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("put");
    QTest::addColumn<bool>("regExp");
    QTest::addColumn<bool>("deleteIfExists");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("refreshed");
    QTest::addColumn<QStringList>("message");
    const QString taken("\"a.tar.txt\" couldn't be renamed because \"b.tar.txt\" already exists !");

    addRow("taken name kept and told", QStringList{"a.tar.txt", "b.tar.txt"},
           QStringList{"a.tar.txt"}, QString("a"), QString("b"), false, false,
           QStringList{"a.tar.txt", "b.tar.txt"}, QStringList{"a.tar.txt"},
           QStringList{"1", taken});
    addRow("taken name replaced, an older .bak kept",
           QStringList{"a.tar.txt", "b.tar.txt", "b.tar.txt.bak"}, QStringList{"a.tar.txt"},
           QString("a"), QString("b"), false, true,
           QStringList{"a.tar.txt>b.tar.txt", "b.tar.txt.bak"}, QStringList{"b.tar.txt"},
           QStringList());
    addRow("a folder at the new name is never replaced", QStringList{"a.tar.txt", "b.tar.txt/"},
           QStringList{"a.tar.txt"}, QString("a"), QString("b"), false, true,
           QStringList{"a.tar.txt"}, QStringList{"a.tar.txt"}, QStringList{"1", taken});
    addRow("a file of the request is not in the way", QStringList{"d/a.txt", "d/aa.txt"},
           QStringList{"d"}, QString("a"), QString("aa"), false, true,
           QStringList{"d/a.txt>d/aa.txt", "d/aa.txt>d/aaaa.txt"}, QStringList{"d/"},
           QStringList());
    addRow("two files of the request for one new name",
           QStringList{"d/a1.txt", "d/a2.txt", "d/b.txt"}, QStringList{"d/a1.txt", "d/a2.txt"},
           QString("a\\d"), QString("b"), true, true, QStringList{"d/a1.txt>d/b.txt", "d/a2.txt"},
           QStringList{"d/b.txt", "d/a2.txt"},
           QStringList{"1", "\"a2.txt\" couldn't be renamed because \"b.txt\" already exists !"});
    addRow("a file of the request that stays is not in the way", QStringList{"d/a1.txt", "d/b.txt"},
           QStringList{"d"}, QString("a\\d"), QString("b"), true, true,
           QStringList{"d/a1.txt", "d/b.txt"}, QStringList{"d/"},
           QStringList{"1", "\"a1.txt\" couldn't be renamed because \"b.txt\" already exists !"});
    addRow("subfolders and hidden files untouched",
           QStringList{"d/old.txt", "d/sub/old.txt", "d/.old.txt"}, QStringList{"d"},
           QString("old"), QString("new"), false, false,
           QStringList{"d/.old.txt", "d/old.txt>d/new.txt", "d/sub/old.txt"}, QStringList{"d/"},
           QStringList());
    addRow("reached twice, replacing", QStringList{"d/a.txt"}, QStringList{"d", "d/a.txt", "d/"},
           QString("a"), QString("aa"), false, true, QStringList{"d/a.txt>d/aa.txt"},
           QStringList{"d/", "d/aa.txt"}, QStringList());
    QStringList files, message{"1"};
    for (int i = 1; i <= 11; ++i) {
        files << QStringLiteral("d/a%1.txt").arg(i) << QStringLiteral("d/b%1.txt").arg(i);
        if (i <= 10)
            message << QStringLiteral("\"a%1.txt\" couldn't be renamed because \"b%1.txt\" "
                                      "already exists !")
                           .arg(i);
    }
    QStringList request = files.filter("/a");
    QStringList after = files;
    after.sort();
    addRow("many taken names, one message", files, request, QString("a"), QString("b"), false,
           false, after, request, message << "and 1 more.");
}

void TestBatch::replacing()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, request);
    QFETCH(QString, find);
    QFETCH(QString, put);
    QFETCH(bool, regExp);
    QFETCH(bool, deleteIfExists);
    TestDir dir;
    makeFiles(dir, files);
    Replace replace(nullptr);
    replace.setParameters(inside(dir, request), find, put, regExp, false, deleteIfExists, false);
    const RunResult result = finish(replace, dir);
    QTEST(tree(dir), "after");
    QTEST(result.refreshed, "refreshed");
    QTEST(result.message, "message");
}

void TestBatch::failedMoveAfterSetAsidePutsTheFileBack()
{
    TestDir dir;
    const QString target = dir.file("b.txt", "b.txt");
    dir.file("b.txt.bak", "b.txt.bak");
    // A source that is gone makes the move fail whoever runs the test.
    const Displacement displacement =
        replaceExistingFile(dir.at("a.txt"), target, target + ".bak2");
    QCOMPARE(displacement, Displacement::MovePutBack);
    QCOMPARE(tree(dir), (QStringList{"b.txt", "b.txt.bak"}));
}

void TestBatch::cancelStopsBetweenChainsAndCycles()
{
    TestDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
    std::atomic<bool> cancel{false};
    BatchExecutor::Options options;
    options.cancel = &cancel;
    // The first report comes after the first whole chain or cycle.
    options.progress = [&](qsizetype, qsizetype) { cancel = true; };

    QVector<PlannedRename> cycle;
    for (const QString name : {"1", "2", "3"}) {
        dir.file(name, name.toUtf8());
        cycle.append({folder, name, QString::number(name.toInt() % 3 + 1)});
    }
    BatchOutcome outcome = BatchExecutor::carryOut(cycle, options);
    QCOMPARE(outcome.renamed, 3);
    QCOMPARE(dir.content("2"), QByteArray("1"));

    cancel = false;
    QVector<PlannedRename> singles;
    for (int i = 0; i < 20; ++i)
        singles.append({folder, dir.file(QStringLiteral("f%1").arg(i)).mid(folder.size()),
                        QStringLiteral("g%1").arg(i)});
    outcome = BatchExecutor::carryOut(singles, options);
    QVERIFY(outcome.cancelled);
    QVERIFY(outcome.failures.isEmpty());
    QCOMPARE(outcome.renamed, 1);
    QCOMPARE(dir.names().filter("g"), QStringList{"g0"});
    QCOMPARE(outcome.finalNames.mid(1, 2), (QStringList{"f1", "f2"}));
}

void TestBatch::randomBatchesLoseNothing_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("replacing");
    QRandomGenerator seeds(20261206);
    for (int round = 0; round < 150; ++round) {
        const quint32 seed = seeds.generate();
        QTest::addRow("rename %u", seed) << seed << false;
        QTest::addRow("replace %u", seed) << seed << true;
    }
}

// A random request over folders full of names it may give: every file of the
// request ends under exactly one name, a file outside it stays unless it was
// displaced on request, and no rename fails needlessly.
void TestBatch::randomBatchesLoseNothing()
{
    QFETCH(quint32, seed);
    QFETCH(bool, replacing);
    QRandomGenerator rng(seed);
    const auto pick = [&](const QStringList &l) { return l[rng.bounded(int(l.size()))]; };
    RenameOptions options;
    options.outputFormat = pick({"", "Trip", "IMG", "0"});
    options.reverseFormat = rng.bounded(2);
    options.formatPosition = int(rng.bounded(3));
    options.listExtensions = pick({"jpg", "jpg txt", " gz", "jpg  txt gz"}).split(' ');
    options.renameBy = int(rng.bounded(3));
    options.renameByReversed = rng.bounded(2);
    const ReplaceRequest rule = ReplaceRequest::make(
        pick({"a", "Trip", "1", "IMG"}), pick({"aa", "", "Trip", "2", "IMG1"}), false, false);
    const bool replaceExisting = replacing && rng.bounded(2);
    const QStringList patterns =
        QString("IMG.%1.jpg Trip%1.jpg Trip0%1.jpg %1.jpg 0%1 Trip%1 a%1.tar.gz a%1a.jpg .x%1.jpg")
            .split(' ');
    TestDir dir;
    QStringList request;
    for (int f = 0, folders = 1 + int(rng.bounded(3)), serial = 0; f < folders; ++f) {
        const QString folder = dir.folder(QString::number(f));
        const int count = int(rng.bounded(11));
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QString name = pick(patterns).arg(1 + rng.bounded(6));
            if (rng.bounded(3) == 0) // a name this very request may give
                name = replacing
                           ? ReplacePlan::newName(name, rule)
                           : RenamePlan::composeName(
                               name, RenamePlan::formatNumber(count, 1 + rng.bounded(4)), options);
            paths << dir.file(QString::number(f) + '/' + name,
                              QByteArray::number(++serial) + QByteArray(int(rng.bounded(3)), 'x'));
        }
        for (const QString &path : QStringList{folder, folder + '/'} + paths)
            if (rng.bounded(3) == 0)
                request << path;
    }
    std::shuffle(request.begin(), request.end(), rng);

    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    const QMap<QString, QByteArray> before = snapshot(root);
    const BatchPlan plan =
        replacing ? ReplacePlan::make(request, rule) : RenamePlan::make(request, options);
    const QVector<PlannedRename> &renames = plan.renames();
    for (const PlannedRename &rename : renames) // the identity undo will trust
        QCOMPARE(rename.fileId ? rename.fileId : fileIdOf(rename.sourcePath()),
                 fileIdOf(rename.sourcePath()));
    QVector<PlannedRename> foreseen = renames;
    BatchPlan::foreseeConflicts(foreseen, replaceExisting);
    BatchExecutor::Options executorOptions;
    executorOptions.replaceExisting = replaceExisting;
    const BatchOutcome outcome = BatchExecutor::carryOut(renames, executorOptions);
    const QMap<QString, QByteArray> after = snapshot(root);
    // The preview told the truth: exactly the files it showed moving moved.
    for (int i = 0; i < renames.size(); ++i)
        QVERIFY2(foreseen[i].willMove() == (outcome.finalNames[i] != renames[i].oldName),
                 qPrintable(renames[i].sourcePath()));

    QSet<QString> sources;
    QHash<QString, int> mover;
    QHash<QString, int> taker; // the first rename to each new name
    for (int i = 0; i < renames.size(); ++i) {
        sources << renames[i].sourcePath();
        if (renames[i].changesName()) {
            mover.insert(renames[i].sourcePath(), i);
            taker.insert(renames[i].targetPath(), taker.value(renames[i].targetPath(), i));
        }
    }
    QSet<int> failed;
    QSet<int> refused; // names no volume should hold, such as ".jpg" for "a.jpg"
    for (const FileFailure &failure : outcome.failures) {
        failed << failure.index;
        if (failure.cause == FileFailure::Cause::InvalidName)
            refused << failure.index;
    }
    // A rename may fail only when an earlier one wants its name, or a file
    // that stays holds it.
    for (const int i : std::as_const(failed)) {
        const QString target = renames[i].targetPath();
        const bool freed = mover.contains(target) && !failed.contains(mover[target]);
        const bool holderStays =
            before.contains(target) && !freed && (!replaceExisting || sources.contains(target));
        QVERIFY2(taker.value(target, -1) != i || holderStays || refused.contains(i),
                 qPrintable(target));
    }

    // Each content is different: every one of the request is where the
    // outcome says, every other one stays or was displaced on request.
    int displaced = 0;
    for (int i = 0; i < renames.size(); ++i)
        QVERIFY2(after.value(renames[i].folder + outcome.finalNames[i])
                     == before.value(renames[i].sourcePath()),
                 qPrintable(renames[i].sourcePath()));
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (sources.contains(it.key()) || after.value(it.key()) == it.value())
            continue;
        const int by = taker.value(it.key(), -1);
        QVERIFY2(replaceExisting && by >= 0 && !failed.contains(by), qPrintable(it.key()));
        ++displaced;
    }
    QCOMPARE(after.size(), before.size() - displaced);
}

// A Cancel clicked the moment the run starts, before its thread is even
// scheduled, stops it before the first file.
void TestBatch::cancelAtOnceIsNeverLost()
{
    TestDir dir;
    for (int i = 0; i < 2000; ++i)
        dir.file(QString("IMG_%1.jpg").arg(i), QByteArray::number(i));
    Rename rename(nullptr);
    rename.setParameters({dir.path()}, "T", false, 0, {"jpg"}, 2, false, false);
    QSignalSpy finished(&rename, &BatchWorker::batchFinished);
    rename.startBatch();
    rename.cancel();
    QVERIFY(rename.wait(30000));
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toLongLong(), 0); // renamed
    QVERIFY(finished.first().at(2).toBool());         // cancelled
    QVERIFY(dir.names().contains("IMG_0.jpg"));
}

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"

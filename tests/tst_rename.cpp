#include "directorylisting.h"
#include "rename.h"
#include "renameexecutor.h"
#include "renameplan.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

class TestRename : public QObject
{
    Q_OBJECT

private slots:
    void statusAndReset();
    void workedRunThroughTheThread();
    void renumberingFreesEachNameBeforeTakingIt();
    void cycleGoesThroughATemporaryName();
    void outsideFileIsLeftAloneAndReported();
    void messageNamesTenAndCountsTheRest();
    void fileGivenTwiceIsRenamedOnce();
    void separatorInTheTextIsRefused();
    void emptyDirectoryKeepsItsEntry();
    void brokenCycleIsPutBack();
    void listingMatchesQDir_data();
    void listingMatchesQDir();
    void randomRequestsLoseNothing();
};

struct Run
{
    QStringList refreshed;
    QList<QList<QVariant>> errors;
};

static Run runRename(const QStringList &paths, const QString &text, int position,
                     const QStringList &extensions, int renameBy = 2, bool reversed = false)
{
    Rename rename(nullptr);
    QSignalSpy refresh(&rename, &Rename::refreshListView);
    QSignalSpy errors(&rename, &Rename::errorAtRename);
    rename.setParameters(paths, text, false, position, extensions, renameBy, reversed, false);
    rename.start();
    rename.wait();
    Run run;
    if (refresh.size() == 1)
        run.refreshed = refresh.at(0).at(0).toStringList();
    run.errors = errors;
    return run;
}

static QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void TestRename::statusAndReset()
{
    Rename rename(nullptr);
    QCOMPARE(rename.status(), QString());
    QSignalSpy informations(&rename, &Rename::setFilesInformations);
    QSignalSpy extensions(&rename, &Rename::setListExtensions);

    rename.reset();

    QCOMPARE(rename.status(), QStringLiteral("Reseting"));
    QCOMPARE(informations.size(), 1);
    QCOMPARE(informations.at(0), QList<QVariant>({0, 0}));
    QCOMPARE(extensions.size(), 1);
    QCOMPARE(extensions.at(0).at(0).toStringList(), QStringList());
    rename.setParameters({}, QString(), false, 0, {}, 0, false, false);
    QCOMPARE(rename.status(), QStringLiteral("Renaming"));
}

void TestRename::workedRunThroughTheThread()
{
    TestDir dir;
    dir.file(QStringLiteral("photos/a.jpg"), "a");
    dir.file(QStringLiteral("photos/b.png"), "b");
    dir.file(QStringLiteral("photos/c.jpg"), "c");
    const QString x = dir.file(QStringLiteral("docs/x.jpg"), "x");

    const Run run = runRename({native(dir.at(QStringLiteral("photos"))), native(x)},
                              QStringLiteral("Trip"), 0, {QStringLiteral("jpg")});

    QCOMPARE(dir.names(QStringLiteral("photos")), QStringList({"Trip1.jpg", "Trip2.jpg", "b.png"}));
    QCOMPARE(dir.content(QStringLiteral("photos/Trip1.jpg")), QByteArray("a"));
    QCOMPARE(dir.content(QStringLiteral("photos/Trip2.jpg")), QByteArray("c"));
    QCOMPARE(dir.content(QStringLiteral("docs/Trip1.jpg")), QByteArray("x"));
    QCOMPARE(run.refreshed, QStringList({native(dir.at(QStringLiteral("photos/"))),
                                         native(dir.at(QStringLiteral("docs/Trip1.jpg")))}));
    QVERIFY(run.errors.isEmpty());
}

void TestRename::renumberingFreesEachNameBeforeTakingIt()
{
    TestDir dir;
    const QDateTime day(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC);
    dir.file(QStringLiteral("d/Trip3.jpg"), "oldest", day);
    dir.file(QStringLiteral("d/Trip2.jpg"), "older", day.addDays(1));
    dir.file(QStringLiteral("d/Trip1.jpg"), "old", day.addDays(2));
    dir.file(QStringLiteral("d/new.jpg"), "new", day.addDays(3));

    const Run run = runRename({dir.at(QStringLiteral("d"))}, QStringLiteral("Trip"), 0,
                              {QStringLiteral("jpg")}, 0);

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(dir.names(QStringLiteral("d")),
             QStringList({"Trip1.jpg", "Trip2.jpg", "Trip3.jpg", "Trip4.jpg"}));
    QCOMPARE(dir.content(QStringLiteral("d/Trip1.jpg")), QByteArray("new"));
    QCOMPARE(dir.content(QStringLiteral("d/Trip2.jpg")), QByteArray("old"));
    QCOMPARE(dir.content(QStringLiteral("d/Trip3.jpg")), QByteArray("older"));
    QCOMPARE(dir.content(QStringLiteral("d/Trip4.jpg")), QByteArray("oldest"));
}

void TestRename::cycleGoesThroughATemporaryName()
{
    TestDir dir;
    const QDateTime day(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC);
    dir.file(QStringLiteral("d/1.jpg"), "one", day);
    dir.file(QStringLiteral("d/2.jpg"), "two", day.addDays(1));
    dir.file(QStringLiteral("d/3.jpg"), "three", day.addDays(2));

    const Run run =
        runRename({dir.at(QStringLiteral("d"))}, QString(), 0, {QStringLiteral("jpg")}, 0);

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"1.jpg", "2.jpg", "3.jpg"}));
    QCOMPARE(dir.content(QStringLiteral("d/1.jpg")), QByteArray("three"));
    QCOMPARE(dir.content(QStringLiteral("d/2.jpg")), QByteArray("two"));
    QCOMPARE(dir.content(QStringLiteral("d/3.jpg")), QByteArray("one"));
}

void TestRename::outsideFileIsLeftAloneAndReported()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("d/a.jpg"), "a");
    const QString b = dir.file(QStringLiteral("d/b.jpg"), "b");
    dir.file(QStringLiteral("d/Trip1.jpg"), "outside");

    const Run run =
        runRename({native(a), native(b)}, QStringLiteral("Trip"), 0, {QStringLiteral("jpg")});

    QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"Trip1.jpg", "Trip2.jpg", "a.jpg"}));
    QCOMPARE(dir.content(QStringLiteral("d/Trip1.jpg")), QByteArray("outside"));
    QCOMPARE(dir.content(QStringLiteral("d/a.jpg")), QByteArray("a"));
    QCOMPARE(dir.content(QStringLiteral("d/Trip2.jpg")), QByteArray("b"));
    QCOMPARE(run.refreshed,
             QStringList({native(a), native(dir.at(QStringLiteral("d/Trip2.jpg")))}));
    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.at(0).at(0).toInt(), 1);
    const QString message = run.errors.at(0).at(1).toString();
    QVERIFY2(message.contains(native(a)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("already exists")), qPrintable(message));
}

void TestRename::messageNamesTenAndCountsTheRest()
{
    TestDir dir;
    QStringList request;
    for (int i = 1; i <= 12; ++i) {
        request.append(
            native(dir.file(QStringLiteral("d/a%1.jpg").arg(i, 2, 10, QLatin1Char('0')))));
        dir.file(QStringLiteral("d/Trip%1.jpg").arg(i, 2, 10, QLatin1Char('0')), "outside");
    }

    const Run run = runRename(request, QStringLiteral("Trip"), 0, {QStringLiteral("jpg")});

    QCOMPARE(run.refreshed, request);
    QCOMPARE(run.errors.size(), 1);
    const QString message = run.errors.at(0).at(1).toString();
    QVERIFY2(message.startsWith(QStringLiteral("12 files could not be renamed")),
             qPrintable(message));
    QVERIFY(message.contains(request[9]));
    QVERIFY(!message.contains(request[10]));
    QVERIFY(message.contains(QStringLiteral("and 2 more.")));
}

void TestRename::fileGivenTwiceIsRenamedOnce()
{
    TestDir dir;
    dir.file(QStringLiteral("d/a.jpg"), "a");
    const QString b = dir.file(QStringLiteral("d/b.jpg"), "b");
    const QString d = dir.at(QStringLiteral("d"));

    const Run run = runRename({native(b), native(d), native(d + "/")}, QStringLiteral("Trip"), 1,
                              {QStringLiteral("jpg")});

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"Trip1-a.jpg", "Trip1-b.jpg"}));
    QCOMPARE(dir.content(QStringLiteral("d/Trip1-b.jpg")), QByteArray("b"));
    QCOMPARE(run.refreshed,
             QStringList({native(dir.at(QStringLiteral("d/Trip1-b.jpg"))), native(d + "/")}));
}

void TestRename::separatorInTheTextIsRefused()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("d/a.jpg"), "a");
    dir.folder(QStringLiteral("d/x"));

    const Run run = runRename({native(a)}, QStringLiteral("x/"), 0, {QStringLiteral("jpg")});

    QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"a.jpg", "x"}));
    QCOMPARE(dir.names(QStringLiteral("d/x")), QStringList());
    QCOMPARE(run.refreshed, QStringList({native(a)}));
    QCOMPARE(run.errors.size(), 1);
}

void TestRename::emptyDirectoryKeepsItsEntry()
{
    TestDir dir;
    const QString empty = dir.folder(QStringLiteral("empty"));
    dir.file(QStringLiteral("empty/.hidden.jpg"), "h");
    dir.folder(QStringLiteral("empty/sub"));

    const Run run = runRename({empty}, QStringLiteral("Trip"), 0, {QStringLiteral("jpg")});

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(run.refreshed, QStringList({native(empty + "/")}));
    QCOMPARE(dir.names(QStringLiteral("empty")), QStringList({".hidden.jpg", "sub"}));
}

void TestRename::brokenCycleIsPutBack()
{
    TestDir dir;
    dir.file(QStringLiteral("d/a"), "a");
    dir.file(QStringLiteral("d/c"), "c");
    const QString folder = QFileInfo(dir.at(QStringLiteral("d"))).canonicalFilePath() + "/";

    // b has vanished since the plan was made: c reaches a, then b cannot
    // reach c, so everything goes back to where it was.
    const RenameOutcome outcome =
        RenameExecutor::carryOut({{folder, "a", "b"}, {folder, "b", "c"}, {folder, "c", "a"}});

    QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"a", "c"}));
    QCOMPARE(dir.content(QStringLiteral("d/a")), QByteArray("a"));
    QCOMPARE(dir.content(QStringLiteral("d/c")), QByteArray("c"));
    QCOMPARE(outcome.finalNames, QStringList({"a", "b", "c"}));
    QCOMPARE(outcome.failures.size(), 3);
}

void TestRename::listingMatchesQDir_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("time") << int(QDir::Time);
    QTest::newRow("size") << int(QDir::Size);
    QTest::newRow("name") << int(QDir::Name);
    QTest::newRow("unsorted") << int(QDir::Unsorted);
}

void TestRename::listingMatchesQDir()
{
    QFETCH(int, order);

    TestDir dir;
    const QDateTime t(QDate(2023, 3, 26), QTime(1, 30), Qt::UTC);
    dir.sizedFile(QStringLiteral("d/b.jpg"), 5, t);
    dir.sizedFile(QStringLiteral("d/B.jpg"), 5, t);
    dir.sizedFile(QStringLiteral("d/a.jpg"), 7, t.addMSecs(1));
    dir.sizedFile(QStringLiteral("d/A.JPG"), 7, t.addMSecs(-1));
    dir.sizedFile(QStringLiteral("d/10.txt"), 5, t.addSecs(3600));
    dir.sizedFile(QStringLiteral("d/9.txt"), 0, t.addSecs(-3600));
    dir.sizedFile(QStringLiteral("d/\u00e9t\u00e9.txt"), 7, t);
    dir.sizedFile(QStringLiteral("d/README"), 5, t);
    dir.sizedFile(QStringLiteral("d/.hidden"), 5, t);
    dir.sizedFile(QStringLiteral("d/sub/inner.txt"), 5, t);
    dir.sizedFile(QStringLiteral("target.txt"), 9, t.addDays(-1));
    QFile::link(dir.at(QStringLiteral("target.txt")), dir.at(QStringLiteral("d/link.txt")));
    QFile::link(dir.at(QStringLiteral("gone.txt")), dir.at(QStringLiteral("d/broken.txt")));
    QFile::link(dir.at(QStringLiteral("d/sub")), dir.at(QStringLiteral("d/dirlink")));

    const QString d = dir.at(QStringLiteral("d"));
    const QStringList expected = QDir(d).entryList(QDir::Files, QDir::SortFlags(order));
    const ListingOrder ours = order == QDir::Time   ? ListingOrder::Time
                              : order == QDir::Size ? ListingOrder::Size
                              : order == QDir::Name ? ListingOrder::Name
                                                    : ListingOrder::Unsorted;
    QStringList listed;
    for (const ListedFile &file : listPlainFiles(d, ours))
        listed.append(file.name);
    if (ours == ListingOrder::Unsorted) {
        std::sort(listed.begin(), listed.end());
        QStringList sorted = expected;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(listed, sorted);
    } else {
        QCOMPARE(listed, expected);
    }
    QVERIFY(listed.contains(QStringLiteral("link.txt")));
}

// The whole tree below root, every file (hidden ones too), path -> content.
static QHash<QString, QByteArray> snapshot(const QString &root)
{
    QHash<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

// One random request over random folders; returns what went wrong, if anything.
static QString randomRound(quint32 seed)
{
    QRandomGenerator rng(seed);
    TestDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    const QStringList patterns = {"IMG.%1.jpg",     "IMG%1.jpg",  "Trip%1.jpg",    "Trip0%1.jpg",
                                  "%1.jpg",         "0%1.jpg",    "README%1",      "Trip%1",
                                  "notes.%1.txt",   "a%1.tar.gz", ".hidden%1.jpg", "Trip%1-x.jpg",
                                  "x-Trip%1.jpg",   "%1Trip.jpg", "0%1Trip.jpg",   "IMG-Trip%1.jpg",
                                  "Trip%1-IMG.jpg", "0%1"};
    const QDateTime day(QDate(2024, 6, 1), QTime(9, 0), Qt::UTC);

    RenameOptions options;
    options.outputFormat = QStringList({"", "Trip", "IMG", "0"})[rng.bounded(4)];
    options.formatPosition = int(rng.bounded(3));
    options.reverseFormat = rng.bounded(2);
    options.renameBy = int(rng.bounded(3));
    options.renameByReversed = rng.bounded(2);
    for (const QString &extension : QStringList({"jpg", "txt", "", "gz"})) {
        if (rng.bounded(4))
            options.listExtensions.append(extension);
    }

    QStringList request;
    int serial = 0;
    const int folderCount = 1 + int(rng.bounded(3));
    for (int f = 0; f < folderCount; ++f) {
        const QString folder = QStringLiteral("f%1").arg(f);
        dir.folder(folder);
        QStringList names;
        const int fileCount = int(rng.bounded(11));
        // A folder numbered before, to be numbered again in another order.
        const bool numbered = rng.bounded(3) == 0;
        for (int i = 0; i < fileCount; ++i) {
            QString name =
                QString(patterns[rng.bounded(int(patterns.size()))]).arg(1 + rng.bounded(6));
            // Often a name this very request may want to give.
            if (rng.bounded(3) == 0)
                name = RenamePlan::composeName(
                    name, RenamePlan::formatNumber(int(rng.bounded(12)), 1 + int(rng.bounded(4))),
                    options);
            if (numbered)
                name = RenamePlan::composeName(QStringLiteral("IMG.jpg"),
                                               RenamePlan::formatNumber(fileCount, i + 1), options);
            if (names.contains(name))
                continue;
            names.append(name);
            dir.file(folder + "/" + name,
                     QByteArray::number(++serial) + QByteArray(int(rng.bounded(3)), 'x'),
                     day.addSecs(3600 * qint64(rng.bounded(3))));
        }
        const QString folderPath = dir.at(folder);
        switch (rng.bounded(6)) {
        case 0:
            request.append(folderPath);
            break;
        case 1:
            request.append(folderPath);
            request.append(folderPath + "/");
            break;
        case 2:
            if (!names.isEmpty())
                request.append(dir.at(folder + "/" + names[rng.bounded(int(names.size()))]));
            request.append(folderPath);
            break;
        case 3:
        case 4:
            for (const QString &name : names) {
                if (rng.bounded(2))
                    request.append(dir.at(folder + "/" + name));
            }
            break;
        default:
            break; // every file of this folder lies outside the request
        }
    }
    std::shuffle(request.begin(), request.end(), rng);

    const QHash<QString, QByteArray> before = snapshot(root);
    const RenamePlan plan = RenamePlan::make(request, options);
    const QVector<PlannedRename> &renames = plan.renames();
    const RenameOutcome outcome = RenameExecutor::carryOut(renames);
    const QHash<QString, QByteArray> after = snapshot(root);

    // Which renames must succeed: those whose chain of held names ends at a
    // free name or closes on itself.
    QHash<QString, int> moverBySource;
    QHash<QString, int> firstByTarget;
    QVector<bool> loser(renames.size(), false);
    for (int i = 0; i < renames.size(); ++i) {
        if (renames[i].newName == renames[i].oldName)
            continue;
        if (moverBySource.contains(renames[i].sourcePath()))
            return QStringLiteral("%1 planned twice").arg(renames[i].sourcePath());
        moverBySource.insert(renames[i].sourcePath(), i);
        if (firstByTarget.contains(renames[i].targetPath()))
            loser[i] = true;
        else
            firstByTarget.insert(renames[i].targetPath(), i);
    }
    QSet<int> expectedFailures;
    for (auto it = moverBySource.cbegin(); it != moverBySource.cend(); ++it) {
        const int i = it.value();
        bool ok = false;
        for (int j = i, steps = 0; steps <= renames.size(); ++steps) {
            if (loser[j])
                break;
            const int k = moverBySource.value(renames[j].targetPath(), -1);
            if (k < 0) {
                ok = !before.contains(renames[j].targetPath());
                break;
            }
            if (k == i) {
                ok = true;
                break;
            }
            j = k;
        }
        if (!ok)
            expectedFailures.insert(i);
    }
    QSet<int> failures;
    for (const RenameFailure &failure : outcome.failures)
        failures.insert(failure.index);
    if (failures != expectedFailures)
        return QStringLiteral("%1 renames failed, %2 expected to")
            .arg(failures.size())
            .arg(expectedFailures.size());

    if (after.size() != before.size())
        return QStringLiteral("%1 files before, %2 after").arg(before.size()).arg(after.size());
    QSet<QByteArray> contentsBefore;
    QSet<QByteArray> contentsAfter;
    for (const QByteArray &content : before)
        contentsBefore.insert(content);
    for (const QByteArray &content : after)
        contentsAfter.insert(content);
    if (contentsBefore != contentsAfter)
        return QStringLiteral("contents differ");
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!moverBySource.contains(it.key()) && after.value(it.key()) != it.value())
            return QStringLiteral("%1, outside the renaming, changed").arg(it.key());
    }
    for (int i = 0; i < renames.size(); ++i) {
        const QString now = renames[i].folder + outcome.finalNames[i];
        if (after.value(now) != before.value(renames[i].sourcePath()))
            return QStringLiteral("%1 is not at %2").arg(renames[i].sourcePath(), now);
    }
    return QString();
}

void TestRename::randomRequestsLoseNothing()
{
    QRandomGenerator seeds(20261206);
    for (int round = 0; round < 200; ++round) {
        const quint32 seed = seeds.generate();
        const QString problem = randomRound(seed);
        QVERIFY2(problem.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(problem)));
    }
}

QTEST_GUILESS_MAIN(TestRename)
#include "tst_rename.moc"

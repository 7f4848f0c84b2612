#include "directorylisting.h"
#include "rename.h"
#include "renameexecutor.h"
#include "renameplan.h"
#include "testsupport.h"

#include <QtTest>

#include <algorithm>

// One renaming through the thread; lists are separated by blanks. The files
// are made in this order, each a day newer, each holding its own name.
struct Run
{
    QString files, request, text;
    int position = 0, by = 2;          // by: 0 date, 1 size, 2 name; 3 to 5 the same, reversed
    QString after, refreshed, message; // after: every file as path=content
};
Q_DECLARE_METATYPE(Run)

class TestRename : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void composedNames_data();
    void composedNames();
    void widths_data();
    void widths();
    void listingMatchesQDir_data();
    void listingMatchesQDir();
    void randomRequestsLoseNothing_data();
    void randomRequestsLoseNothing();
};

// Every file below root, hidden ones too: path -> content.
static QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

static Run row(const char *files, const char *request, const char *text, int position, int by,
               const char *after, const char *refreshed, const QString &message = QString())
{
    return {files, request, text, position, by, after, refreshed, message};
}

void TestRename::runs_data()
{
    const QString taken = "\n%1 (to \"%2\"): a file named \"%2\" already exists";
    QTest::addColumn<Run>("run");
    QTest::newRow("worked") << row(
        "photos/a.jpg photos/b.png photos/c.jpg docs/x.jpg", "photos docs/x.jpg", "Trip", 0, 2,
        "photos/Trip1.jpg=a.jpg photos/Trip2.jpg=c.jpg photos/b.png=b.png docs/Trip1.jpg=x.jpg",
        "photos/ docs/Trip1.jpg");
    // Single files of one folder form one group at the first one's place.
    QTest::newRow("gathered") << row("a/1.jpg a/n.txt p/z.jpg a/2.jpg", "a/1.jpg p a/n.txt a/2.jpg",
                                     "T", 0, 2,
                                     "a/T1.jpg=1.jpg a/T2.jpg=2.jpg a/n.txt=n.txt p/T1.jpg=z.jpg",
                                     "a/T1.jpg a/n.txt a/T2.jpg p/");
    QTest::newRow("chain") << row(
        "d/T3.jpg d/T2.jpg d/T1.jpg d/new.jpg", "d", "T", 0, 0,
        "d/T1.jpg=new.jpg d/T2.jpg=T1.jpg d/T3.jpg=T2.jpg d/T4.jpg=T3.jpg", "d/");
    QTest::newRow("cycle, oldest first") << row("d/3.jpg d/2.jpg d/1.jpg", "d", "", 0, 3,
                                                "d/1.jpg=3.jpg d/2.jpg=2.jpg d/3.jpg=1.jpg", "d/");
    QTest::newRow("outside") << row(
        "d/a.jpg d/b.jpg d/T1.jpg", "d/a.jpg d/b.jpg", "T", 0, 2,
        "d/a.jpg=a.jpg d/T2.jpg=b.jpg d/T1.jpg=T1.jpg", "d/a.jpg d/T2.jpg",
        "1 file could not be renamed:\n" + taken.arg("d/a.jpg", "T1.jpg"));
    QTest::newRow("given twice") << row("d/a.jpg d/b.jpg", "d/b.jpg d d/", "T", 1, 2,
                                        "d/T1-a.jpg=a.jpg d/T1-b.jpg=b.jpg", "d/T1-b.jpg d/");
    QTest::newRow("own name") << row("d/a.b.jpg d/a.jpg e/README", "d/a.b.jpg e/README", "T", 0, 2,
                                     "d/T1.jpg=a.b.jpg d/a.jpg=a.jpg e/T1=README", "d/T1.jpg e/T1");
    QTest::newRow("separator") << row("d/a.jpg d/x/y", "d/a.jpg", "x/", 0, 2,
                                      "d/a.jpg=a.jpg d/x/y=y", "d/a.jpg",
                                      "1 file could not be renamed:\n\nd/a.jpg (to \"x/1.jpg\"): "
                                      "\"x/1.jpg\" cannot be a file name in this folder");
    QTest::newRow("empty folder") << row("e/.hidden.jpg e/sub/a.jpg", "e", "Trip", 0, 2,
                                         "e/.hidden.jpg=.hidden.jpg e/sub/a.jpg=a.jpg", "e/");
    // The message names ten files and counts the rest.
    Run many = row("", "", "Trip", 0, 2, "", "", "12 files could not be renamed:\n");
    for (int i = 1; i <= 12; ++i) {
        const QString n = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        many.files += QStringLiteral(" d/a%1.jpg d/Trip%1.jpg").arg(n);
        many.request += QStringLiteral(" d/a%1.jpg").arg(n);
        many.after += QStringLiteral(" d/a%1.jpg=a%1.jpg d/Trip%1.jpg=Trip%1.jpg").arg(n);
        if (i <= 10)
            many.message += taken.arg("d/a" + n + ".jpg", "Trip" + n + ".jpg");
    }
    many.refreshed = many.request.trimmed();
    many.message += "\n\nand 2 more.";
    QTest::newRow("twelve outside") << many;
}

void TestRename::runs()
{
    QFETCH(Run, run);
    TestDir dir;
    const QStringList files = run.files.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < files.size(); ++i)
        dir.file(files[i], QFileInfo(files[i]).fileName().toUtf8(),
                 QDateTime(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC).addDays(i));
    QStringList request = run.request.split(' ', Qt::SkipEmptyParts);
    for (QString &path : request)
        path = QDir::toNativeSeparators(dir.at(path));

    Rename rename(nullptr);
    QSignalSpy refresh(&rename, &Rename::refreshListView);
    QSignalSpy errors(&rename, &Rename::errorAtRename);
    QSignalSpy informations(&rename, &Rename::setFilesInformations);
    QSignalSpy extensions(&rename, &Rename::setListExtensions);
    rename.setParameters(request, run.text, false, run.position, {"jpg", ""}, run.by % 3,
                         run.by >= 3, false);
    QCOMPARE(rename.status(), QStringLiteral("Renaming"));
    rename.start();
    rename.wait();

    const QString root = QFileInfo(dir.path()).canonicalFilePath() + '/';
    QStringList now;
    const QMap<QString, QByteArray> tree = snapshot(root);
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        now << it.key().mid(root.size()) + '=' + QString::fromUtf8(it.value());
    QStringList after = run.after.split(' ', Qt::SkipEmptyParts);
    after.sort();
    QCOMPARE(now, after);
    QCOMPARE(refresh.size(), 1);
    QCOMPARE(refresh[0][0].toStringList().join(' ').remove(QDir::toNativeSeparators(root)),
             QDir::toNativeSeparators(run.refreshed));
    QCOMPARE(errors.size(), run.message.isEmpty() ? 0 : 1);
    QCOMPARE(errors.value(0).value(0, 1).toInt(), 1); // the priority
    QCOMPARE(errors.value(0).value(1).toString().remove(QDir::toNativeSeparators(root)),
             run.message);

    rename.reset();
    QCOMPARE(rename.status(), QStringLiteral("Reseting"));
    QCOMPARE(informations, QList<QList<QVariant>>({{0, 0}}));
    QCOMPARE(extensions, QList<QList<QVariant>>({{QStringList()}}));
}

void TestRename::composedNames_data()
{
    // The old name is the row's; positions 0, 1 and 2, each plain then reversed.
    QTest::addColumn<QString>("expected");
    QTest::newRow("a.jpg") << "T7.jpg 7T.jpg T7-a.jpg 7T-a.jpg a-T7.jpg a-7T.jpg";
    QTest::newRow("a.b.jpg") << "T7.jpg 7T.jpg T7-a.b.jpg 7T-a.b.jpg a.b-T7.jpg a.b-7T.jpg";
    QTest::newRow("README") << "T7 7T T7-README 7T-README README-T7 README-7T";
}

void TestRename::composedNames()
{
    QFETCH(QString, expected);
    QStringList names;
    for (int i = 0; i < 6; ++i)
        names << RenamePlan::composeName(QTest::currentDataTag(), "7",
                                         {"T", i % 2 == 1, i / 2, {}, 0, false, false});
    QCOMPARE(names.join(' '), expected);
}

void TestRename::widths_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("names"); // the first, the last, the next group's first
    QTest::newRow("9") << 9 << 9 << "T1.jpg T9.jpg T1.jpg";
    QTest::newRow("10") << 10 << 10 << "T01.jpg T10.jpg T1.jpg";
    QTest::newRow("100") << 100 << 100 << "T001.jpg T100.jpg T1.jpg";
    QTest::newRow("5 of 12") << 12 << 5 << "T01.jpg T05.jpg T1.jpg";
}

void TestRename::widths()
{
    QFETCH(int, files);
    QFETCH(int, selected);
    QFETCH(QString, names);
    TestDir dir;
    for (int i = 0; i < files; ++i) // the selected files spread among the others
        dir.file(QStringLiteral("d/f%1.").arg(i, 3, 10, QLatin1Char('0'))
                 + (i * selected % files < selected ? "jpg" : "png"));
    const auto plan = RenamePlan::make({dir.at("d"), dir.file("e/x.jpg")},
                                       {"T", false, 0, {"jpg"}, 2, false, false})
                          .renames();
    QCOMPARE(plan.size(), selected + 1);
    QCOMPARE(plan[0].newName + ' ' + plan[selected - 1].newName + ' ' + plan.last().newName, names);
}

void TestRename::listingMatchesQDir_data()
{
    QTest::addColumn<int>("sort");
    QTest::addColumn<int>("order");
    QTest::newRow("time") << int(QDir::Time) << int(ListingOrder::Time);
    QTest::newRow("size") << int(QDir::Size) << int(ListingOrder::Size);
    QTest::newRow("name") << int(QDir::Name) << int(ListingOrder::Name);
}

void TestRename::listingMatchesQDir()
{
    QFETCH(int, sort);
    QFETCH(int, order);
    TestDir dir;
    const QDateTime t(QDate(2023, 3, 26), QTime(1, 30), Qt::UTC);
    dir.sizedFile("d/b.jpg", 5, t);
    dir.sizedFile("d/B.jpg", 5, t);
    dir.sizedFile("d/a.jpg", 7, t.addMSecs(1));
    dir.sizedFile("d/A.JPG", 7, t.addMSecs(-1));
    dir.sizedFile("d/\u00e9t\u00e9", 0, t);
    QFile::link(dir.sizedFile("target.txt", 9, t.addDays(-1)), dir.at("d/link.txt"));
    QFile::link(dir.at("gone.txt"), dir.at("d/broken.txt"));
    QStringList listed;
    for (const ListedFile &file : listPlainFiles(dir.at("d"), ListingOrder(order)))
        listed << file.name;
    QCOMPARE(listed, QDir(dir.at("d")).entryList(QDir::Files, QDir::SortFlags(sort)));
}

void TestRename::randomRequestsLoseNothing_data()
{
    QTest::addColumn<quint32>("seed");
    QRandomGenerator seeds(20261206);
    for (int round = 0; round < 200; ++round) {
        const quint32 seed = seeds.generate();
        QTest::newRow(QByteArray::number(seed)) << seed;
    }
}

// A random request over folders full of names it may give, some numbered before: every
// content ends under exactly one name, files outside it stay, no rename fails needlessly.
void TestRename::randomRequestsLoseNothing()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    const auto pick = [&](const QStringList &l) { return l[rng.bounded(int(l.size()))]; };
    RenameOptions options;
    options.outputFormat = pick({"", "Trip", "IMG", "0"});
    options.reverseFormat = rng.bounded(2);
    options.formatPosition = int(rng.bounded(3));
    options.listExtensions = pick({"jpg", "jpg txt", " gz", "jpg  txt gz"}).split(' ');
    options.renameBy = int(rng.bounded(3));
    options.renameByReversed = rng.bounded(2);
    const QStringList patterns =
        QString("IMG.%1.jpg Trip%1.jpg Trip0%1.jpg %1.jpg 0%1 Trip%1 a%1.tar.gz .x%1.jpg")
            .split(' ');
    TestDir dir;
    QStringList request;
    for (int f = 0, folders = 1 + int(rng.bounded(3)), serial = 0; f < folders; ++f) {
        const QString folder = dir.folder(QString::number(f));
        const int count = int(rng.bounded(11));
        const bool numbered = rng.bounded(3) == 0;
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QString name = numbered ? "IMG.jpg" : pick(patterns).arg(1 + rng.bounded(6));
            const QString number =
                RenamePlan::formatNumber(count, numbered ? i + 1 : 1 + int(rng.bounded(4)));
            if (numbered || rng.bounded(3) == 0) // a name this very request may give
                name = RenamePlan::composeName(name, number, options);
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
    const QVector<PlannedRename> renames = RenamePlan::make(request, options).renames();
    const RenameOutcome outcome = RenameExecutor::carryOut(renames);
    const QMap<QString, QByteArray> after = snapshot(root);

    QHash<QString, int> mover;
    QHash<QString, int> taker; // the first rename to each new name
    for (int i = 0; i < renames.size(); ++i) {
        if (renames[i].newName != renames[i].oldName) {
            mover.insert(renames[i].sourcePath(), i);
            taker.insert(renames[i].targetPath(), taker.value(renames[i].targetPath(), i));
        }
    }
    QSet<int> failed;
    for (const RenameFailure &failure : outcome.failures)
        failed << failure.index;
    // A rename may fail only when an earlier one wants its name, or a file that stays holds it.
    for (const int i : std::as_const(failed)) {
        const QString target = renames[i].targetPath();
        const bool freed = mover.contains(target) && !failed.contains(mover[target]);
        QVERIFY2(taker.value(target, -1) != i || (before.contains(target) && !freed),
                 qPrintable(target));
    }

    // Each content is different: with the checks below, every one is under exactly one name.
    QCOMPARE(after.size(), before.size());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(mover.contains(it.key()) || after.value(it.key()) == it.value(),
                 qPrintable(it.key()));
    for (int i = 0; i < renames.size(); ++i)
        QVERIFY2(after.value(renames[i].folder + outcome.finalNames[i])
                     == before.value(renames[i].sourcePath()),
                 qPrintable(renames[i].sourcePath()));
}

QTEST_GUILESS_MAIN(TestRename)
#include "tst_rename.moc"

#include "renameplan.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

class TestRenamePlan : public QObject
{
    Q_OBJECT

private slots:
    void workedRun();
    void composedNames_data();
    void composedNames();
    void widths_data();
    void widths();
    void widthCountsEveryFileOfTheGroup();
    void numberingRestartsInEveryGroup();
    void singleFilesGatherAtTheFirst();
    void reversedDateGivesTheOldestNumberOne();
    void listedFileIsAddressedByItsOwnName();
    void fileReachedTwiceIsPlannedOnce();
    void unselectedSingleFilesStayAsGiven();
};

static RenameOptions options(const QStringList &extensions, int renameBy = 2,
                             const QString &text = QStringLiteral("Trip"))
{
    RenameOptions o;
    o.outputFormat = text;
    o.listExtensions = extensions;
    o.renameBy = renameBy;
    return o;
}

static QStringList newNames(const RenamePlan &plan)
{
    QStringList names;
    for (const PlannedRename &r : plan.renames())
        names.append(r.newName);
    return names;
}

static QStringList oldNames(const RenamePlan &plan)
{
    QStringList names;
    for (const PlannedRename &r : plan.renames())
        names.append(r.oldName);
    return names;
}

static QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void TestRenamePlan::workedRun()
{
    TestDir dir;
    dir.file(QStringLiteral("photos/a.jpg"));
    dir.file(QStringLiteral("photos/b.png"));
    dir.file(QStringLiteral("photos/c.jpg"));
    const QString x = dir.file(QStringLiteral("docs/x.jpg"));

    const RenamePlan plan =
        RenamePlan::make({dir.at(QStringLiteral("photos")), x}, options({QStringLiteral("jpg")}));

    QCOMPARE(oldNames(plan), QStringList({"a.jpg", "c.jpg", "x.jpg"}));
    QCOMPARE(newNames(plan), QStringList({"Trip1.jpg", "Trip2.jpg", "Trip1.jpg"}));
    QCOMPARE(plan.renames()[2].folder, dir.at(QStringLiteral("docs/")));
    QCOMPARE(plan.refreshList(newNames(plan)),
             QStringList({native(dir.at(QStringLiteral("photos/"))),
                          native(dir.at(QStringLiteral("docs/Trip1.jpg")))}));
}

void TestRenamePlan::composedNames_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << "IMG.jpg"
                       << "Trip" << 0 << false << "Trip03.jpg";
    QTest::newRow("0 reversed") << "IMG.jpg"
                                << "Trip" << 0 << true << "03Trip.jpg";
    QTest::newRow("1") << "IMG.jpg"
                       << "Trip" << 1 << false << "Trip03-IMG.jpg";
    QTest::newRow("1 reversed") << "IMG.jpg"
                                << "Trip" << 1 << true << "03Trip-IMG.jpg";
    QTest::newRow("2") << "IMG.jpg"
                       << "Trip" << 2 << false << "IMG-Trip03.jpg";
    QTest::newRow("2 reversed") << "IMG.jpg"
                                << "Trip" << 2 << true << "IMG-03Trip.jpg";
    QTest::newRow("empty text") << "IMG.jpg"
                                << "" << 1 << false << "03-IMG.jpg";
    QTest::newRow("several dots, 1") << "IMG.2024.jpg"
                                     << "Trip" << 1 << false << "Trip03-IMG.2024.jpg";
    QTest::newRow("several dots, 2") << "IMG.2024.jpg"
                                     << "Trip" << 2 << false << "IMG.2024-Trip03.jpg";
    QTest::newRow("several dots, 0") << "IMG.2024.jpg"
                                     << "Trip" << 0 << false << "Trip03.jpg";
    QTest::newRow("no suffix, 0") << "README"
                                  << "Trip" << 0 << false << "Trip03";
    QTest::newRow("no suffix, 1") << "README"
                                  << "Trip" << 1 << false << "Trip03-README";
    QTest::newRow("no suffix, 2") << "README"
                                  << "Trip" << 2 << false << "README-Trip03";
}

void TestRenamePlan::composedNames()
{
    QFETCH(QString, oldName);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(bool, reverse);
    QFETCH(QString, expected);

    RenameOptions o = options({}, 2, text);
    o.formatPosition = position;
    o.reverseFormat = reverse;
    QCOMPARE(RenamePlan::composeName(oldName, QStringLiteral("03"), o), expected);
}

void TestRenamePlan::widths_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("first");

    QTest::newRow("9") << 9 << QStringList({"Trip1.txt", "Trip2.txt", "Trip3.txt"});
    QTest::newRow("10") << 10 << QStringList({"Trip01.txt", "Trip02.txt", "Trip03.txt"});
    QTest::newRow("100") << 100 << QStringList({"Trip001.txt", "Trip002.txt", "Trip003.txt"});
}

void TestRenamePlan::widths()
{
    QFETCH(int, files);
    QFETCH(QStringList, first);

    TestDir dir;
    for (int i = 0; i < files; ++i)
        dir.file(QStringLiteral("d/f%1.txt").arg(i, 3, 10, QLatin1Char('0')));
    const RenamePlan plan =
        RenamePlan::make({dir.at(QStringLiteral("d"))}, options({QStringLiteral("txt")}));

    QCOMPARE(plan.renames().size(), files);
    QCOMPARE(newNames(plan).mid(0, 3), first);
    QCOMPARE(plan.renames().last().newName, QStringLiteral("Trip%1.txt").arg(files));
}

void TestRenamePlan::widthCountsEveryFileOfTheGroup()
{
    TestDir dir;
    for (int i = 0; i < 12; ++i)
        dir.file(QStringLiteral("d/f%1.%2")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(i % 2 && i < 10 ? QStringLiteral("jpg") : QStringLiteral("png")));

    const RenamePlan plan =
        RenamePlan::make({dir.at(QStringLiteral("d"))}, options({QStringLiteral("jpg")}));

    QCOMPARE(oldNames(plan), QStringList({"f01.jpg", "f03.jpg", "f05.jpg", "f07.jpg", "f09.jpg"}));
    QCOMPARE(newNames(plan),
             QStringList({"Trip01.jpg", "Trip02.jpg", "Trip03.jpg", "Trip04.jpg", "Trip05.jpg"}));
}

void TestRenamePlan::numberingRestartsInEveryGroup()
{
    TestDir dir;
    for (int i = 0; i < 3; ++i)
        dir.file(QStringLiteral("small/%1.jpg").arg(i));
    for (int i = 0; i < 12; ++i)
        dir.file(QStringLiteral("big/%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
    const QString single = dir.file(QStringLiteral("one/x.jpg"));

    const RenamePlan plan =
        RenamePlan::make({dir.at(QStringLiteral("small")), dir.at(QStringLiteral("big")), single},
                         options({QStringLiteral("jpg")}));

    const QStringList names = newNames(plan);
    QCOMPARE(names.size(), 16);
    QCOMPARE(names[0], QStringLiteral("Trip1.jpg"));
    QCOMPARE(names[3], QStringLiteral("Trip01.jpg"));
    QCOMPARE(names[14], QStringLiteral("Trip12.jpg"));
    QCOMPARE(names[15], QStringLiteral("Trip1.jpg"));
}

void TestRenamePlan::singleFilesGatherAtTheFirst()
{
    TestDir dir;
    const QString a2 = dir.file(QStringLiteral("a/2.jpg"));
    const QString photos = dir.folder(QStringLiteral("photos"));
    dir.file(QStringLiteral("photos/p.jpg"));
    const QString b = dir.file(QStringLiteral("b/1.jpg"));
    const QString a1 = dir.file(QStringLiteral("a/1.jpg"));

    const RenamePlan plan = RenamePlan::make({a2, photos, b, a1}, options({QStringLiteral("jpg")}));

    QCOMPARE(oldNames(plan), QStringList({"2.jpg", "1.jpg", "p.jpg", "1.jpg"}));
    QCOMPARE(newNames(plan), QStringList({"Trip1.jpg", "Trip2.jpg", "Trip1.jpg", "Trip1.jpg"}));
    QCOMPARE(plan.refreshList(newNames(plan)),
             QStringList({native(dir.at(QStringLiteral("a/Trip1.jpg"))),
                          native(dir.at(QStringLiteral("a/Trip2.jpg"))), native(photos + "/"),
                          native(dir.at(QStringLiteral("b/Trip1.jpg")))}));
}

void TestRenamePlan::reversedDateGivesTheOldestNumberOne()
{
    TestDir dir;
    const QDateTime t0(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    dir.file(QStringLiteral("d/new.jpg"), "", t0.addDays(2));
    dir.file(QStringLiteral("d/old.jpg"), "", t0);
    dir.file(QStringLiteral("d/mid.jpg"), "", t0.addDays(1));

    RenameOptions o = options({QStringLiteral("jpg")}, 0);
    QCOMPARE(oldNames(RenamePlan::make({dir.at(QStringLiteral("d"))}, o)),
             QStringList({"new.jpg", "mid.jpg", "old.jpg"}));
    o.renameByReversed = true;
    const RenamePlan plan = RenamePlan::make({dir.at(QStringLiteral("d"))}, o);
    QCOMPARE(oldNames(plan), QStringList({"old.jpg", "mid.jpg", "new.jpg"}));
    QCOMPARE(plan.renames()[0].newName, QStringLiteral("Trip1.jpg"));
}

void TestRenamePlan::listedFileIsAddressedByItsOwnName()
{
    TestDir dir;
    const QString dotted = dir.file(QStringLiteral("d/a.b.jpg"));
    dir.file(QStringLiteral("d/a.jpg"));
    const QString readme = dir.file(QStringLiteral("e/README"));

    const RenamePlan plan =
        RenamePlan::make({dotted, readme}, options({QStringLiteral("jpg"), QString()}));

    QCOMPARE(plan.renames().size(), 2);
    QCOMPARE(plan.renames()[0].sourcePath(), dotted);
    QCOMPARE(plan.renames()[0].newName, QStringLiteral("Trip1.jpg"));
    QCOMPARE(plan.renames()[1].sourcePath(), readme);
    QCOMPARE(plan.renames()[1].newName, QStringLiteral("Trip1"));
}

void TestRenamePlan::fileReachedTwiceIsPlannedOnce()
{
    TestDir dir;
    dir.file(QStringLiteral("d/a.jpg"));
    const QString b = dir.file(QStringLiteral("d/b.jpg"));
    const QString d = dir.at(QStringLiteral("d"));

    const RenamePlan plan =
        RenamePlan::make({b, d, d + QLatin1Char('/')}, options({QStringLiteral("jpg")}));

    // b is numbered by its own group; the directory numbers what is left.
    QCOMPARE(oldNames(plan), QStringList({"b.jpg", "a.jpg"}));
    QCOMPARE(newNames(plan), QStringList({"Trip1.jpg", "Trip1.jpg"}));
    QCOMPARE(plan.refreshList(QStringList({"B1.jpg", "a.jpg"})),
             QStringList({native(dir.at(QStringLiteral("d/B1.jpg"))), native(d + "/")}));
}

void TestRenamePlan::unselectedSingleFilesStayAsGiven()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("d/a.png"));
    const QString b = dir.file(QStringLiteral("d/b.gif"));

    const RenamePlan plan =
        RenamePlan::make({a, b, QString()}, options({QStringLiteral("jpg"), QString()}));

    QVERIFY(plan.renames().isEmpty());
    QCOMPARE(plan.refreshList({}), QStringList({a, b, QString()}));
}

QTEST_GUILESS_MAIN(TestRenamePlan)
#include "tst_renameplan.moc"

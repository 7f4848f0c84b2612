#include "analize.h"
#include "testsupport.h"

#include <QtTest>

#include <algorithm>

namespace {

// What the window sees of one input entry: the three signals, in order.
struct Round
{
    bool resetFirst = false;
    int files = -1;
    int suffixes = -1;
    QStringList extensions;
};

struct Recording
{
    QVector<Round> rounds;
    QStringList protocolErrors;
    bool finished = false;
};

// Runs the worker on its own thread and gathers what reaches the GUI thread.
Recording analyse(Analize &analize, const QStringList &paths)
{
    Recording rec;
    QObject receiver;
    enum Expect { Reset, Info, List } expect = Reset;
    QObject::connect(&analize, &Analize::resetListExtensions, &receiver, [&] {
        if (expect != Reset)
            rec.protocolErrors << QStringLiteral("reset out of turn");
        rec.rounds.append(Round());
        rec.rounds.last().resetFirst = true;
        expect = Info;
    });
    QObject::connect(&analize, &Analize::setFilesInformations, &receiver,
                     [&](int files, int suffixes) {
                         if (expect != Info)
                             rec.protocolErrors << QStringLiteral("counts out of turn");
                         rec.rounds.last().files = files;
                         rec.rounds.last().suffixes = suffixes;
                         expect = List;
                     });
    QObject::connect(&analize, &Analize::setListExtensions, &receiver,
                     [&](const QStringList &list) {
                         if (expect != List)
                             rec.protocolErrors << QStringLiteral("list out of turn");
                         rec.rounds.last().extensions = list;
                         expect = Reset;
                     });
    QObject::connect(&analize, &QThread::finished, &receiver, [&] { rec.finished = true; });

    QSignalSpy finishedSpy(&analize, &QThread::finished);
    analize.setPathList(paths);
    analize.start();
    if (!analize.wait(10000))
        qFatal("analysis did not end");
    if (finishedSpy.count() != 1)
        rec.protocolErrors << QStringLiteral("finished emitted %1 times").arg(finishedSpy.count());
    // The thread has ended, so everything it sent is already posted.
    QCoreApplication::sendPostedEvents();
    if (!rec.finished)
        rec.protocolErrors << QStringLiteral("finished not delivered");
    return rec;
}

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

class TestAnalize : public QObject
{
    Q_OBJECT

private slots:
    void emptyInputReportsNothing();
    void totalsOfOneInput_data();
    void totalsOfOneInput();
    void runningTotalsEntryByEntry();
    void eachListStartsAfresh();
};

void TestAnalize::emptyInputReportsNothing()
{
    Analize analize(nullptr);
    const Recording rec = analyse(analize, QStringList());
    QVERIFY(rec.protocolErrors.isEmpty());
    QVERIFY(rec.rounds.isEmpty());
}

void TestAnalize::totalsOfOneInput_data()
{
    // Files to create (a trailing "/" makes a folder), the input entries
    // relative to the test folder, and the totals after the last entry;
    // suffixes are compared sorted because listings come in no set order.
    QTest::addColumn<QStringList>("create");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("suffixes");

    QTest::newRow("case matters, no dot is a suffix")
        << QStringList{"d/a.JPG", "d/b.jpg", "d/README"} << QStringList{"d"} << 3
        << QStringList{"", "JPG", "jpg"};
    QTest::newRow("listed names: last dot counts")
        << QStringList{"d/x.tar.gz", "d/a.", "d/README", "d/b.txt"} << QStringList{"d"} << 4
        << QStringList{"", "gz", "txt"};
    QTest::newRow("folder of one file without a dot")
        << QStringList{"d/README"} << QStringList{"d"} << 1 << QStringList{""};
    QTest::newRow("only folders and hidden files")
        << QStringList{"d/sub/deep.txt", "d/.hidden", "d/empty/"} << QStringList{"d"} << 0
        << QStringList{};
    QTest::newRow("single file with two dots")
        << QStringList{"a.b.c"} << QStringList{"a.b.c"} << 1 << QStringList{"c"};
    QTest::newRow("vanished path")
        << QStringList{} << QStringList{"gone.tif"} << 1 << QStringList{"tif"};
    QTest::newRow("vanished path in a dotted folder")
        << QStringList{"v1.2/"} << QStringList{"v1.2/gone"} << 1 << QStringList{""};
    QTest::newRow("same folder twice") << QStringList{"d/a.txt", "d/b.txt", "d/c.png"}
                                       << QStringList{"d", "d"} << 6 << QStringList{"png", "txt"};
}

void TestAnalize::totalsOfOneInput()
{
    QFETCH(QStringList, create);
    QFETCH(QStringList, input);
    QFETCH(int, files);
    QFETCH(QStringList, suffixes);

    TestDir dir;
    for (const QString &name : std::as_const(create)) {
        if (name.endsWith(QLatin1Char('/')))
            dir.folder(name);
        else
            dir.file(name);
    }
    QStringList paths;
    for (const QString &name : std::as_const(input))
        paths << QDir::toNativeSeparators(dir.at(name));

    Analize analize(nullptr);
    const Recording rec = analyse(analize, paths);

    QCOMPARE(rec.protocolErrors, QStringList());
    QCOMPARE(rec.rounds.size(), input.size());
    const Round &last = rec.rounds.last();
    QCOMPARE(last.files, files);
    QCOMPARE(last.suffixes, suffixes.size());
    QCOMPARE(sorted(last.extensions), suffixes);
}

void TestAnalize::runningTotalsEntryByEntry()
{
    TestDir dir;
    dir.file(QStringLiteral("d/1.txt"));
    dir.file(QStringLiteral("d/2.txt"));
    const QString jpg = dir.file(QStringLiteral("x.JPG"));
    const QString readme = dir.file(QStringLiteral("README"));
    const QString txt = dir.file(QStringLiteral("notes.txt"));

    Analize analize(nullptr);
    const Recording rec = analyse(analize, {dir.at(QStringLiteral("d")), jpg, readme, txt, jpg});

    QCOMPARE(rec.protocolErrors, QStringList());
    QCOMPARE(rec.rounds.size(), 5);
    const QVector<int> files{2, 3, 4, 5, 6};
    const QVector<QStringList> lists{
        {"txt"}, {"txt", "JPG"}, {"txt", "JPG", ""}, {"txt", "JPG", ""}, {"txt", "JPG", ""}};
    for (int i = 0; i < rec.rounds.size(); ++i) {
        QVERIFY(rec.rounds[i].resetFirst);
        QCOMPARE(rec.rounds[i].files, files[i]);
        QCOMPARE(rec.rounds[i].extensions, lists[i]);
        QCOMPARE(rec.rounds[i].suffixes, lists[i].size());
    }
}

void TestAnalize::eachListStartsAfresh()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("a.txt"));
    const QString b = dir.file(QStringLiteral("b.png"));

    Analize analize(nullptr);
    QCOMPARE(analyse(analize, {a, b}).rounds.size(), 2);
    const Recording rec = analyse(analize, {a});

    QCOMPARE(rec.rounds.size(), 1);
    QCOMPARE(rec.rounds[0].files, 1);
    QCOMPARE(rec.rounds[0].extensions, QStringList{"txt"});
}

QTEST_GUILESS_MAIN(TestAnalize)
#include "tst_analize.moc"

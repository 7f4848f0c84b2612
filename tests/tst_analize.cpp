#include "analize.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// What reaches the GUI thread, one line per report (a quick run reports once,
// after its last entry):
// "files/suffixes [suffix,...]", the reset before it checked on the way. The
// lists are sorted for folders of several suffixes, whose listings come in no
// set order.
QStringList analyse(Analize &analize, const QStringList &paths, bool sortLists)
{
    QStringList log;
    bool resetFirst = false;
    QObject receiver;
    QObject::connect(&analize, &Analize::resetListExtensions, &receiver,
                     [&] { resetFirst = true; });
    QObject::connect(&analize, &Analize::setFilesInformations, &receiver, [&](int f, int s) {
        log << QStringLiteral("%1/%2").arg(f).arg(s);
        QVERIFY(resetFirst);
        resetFirst = false;
    });
    QObject::connect(&analize, &Analize::setListExtensions, &receiver, [&](QStringList list) {
        if (sortLists)
            list.sort();
        log.last() += QStringLiteral(" [%1]").arg(list.join(QLatin1Char(',')));
    });
    analize.setPathList(paths);
    analize.start();
    if (!analize.wait(10000))
        qFatal("analysis did not end");
    // The thread has ended, so everything it sent is already posted.
    QCoreApplication::sendPostedEvents();
    return log;
}

} // namespace

class TestAnalize : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
    void progressAndCancel();
};

void TestAnalize::reports_data()
{
    // Names ending in "/" are folders; an input not made has vanished.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("empty input") << QStringList{"a.txt"} << QStringList() << false << QStringList();
    QTest::newRow("totals") << QStringList{"d/1.txt", "d/2.txt", "x.JPG", "README", "n.txt"}
                            << QStringList{"d", "x.JPG", "README", "n.txt", "x.JPG"} << false
                            << QStringList{"6/3 [txt,JPG,]"};
    QTest::newRow("case matters, no dot")
        << QStringList{"d/a.JPG", "d/b.jpg", "d/README"} << QStringList{"d"} << true
        << QStringList{"3/3 [,JPG,jpg]"};
    QTest::newRow("only subfolders, hidden")
        << QStringList{"d/sub/deep.txt", "d/.hidden", "d/empty/"} << QStringList{"d"} << false
        << QStringList{"0/0 []"};
    QTest::newRow("last dot, vanished")
        << QStringList{"a.b.c", "v1.2/"} << QStringList{"a.b.c", "gone.tif", "v1.2/gone"} << false
        << QStringList{"3/3 [c,tif,]"};
}

void TestAnalize::reports()
{
    QFETCH(QStringList, made);
    QFETCH(QStringList, input);
    QFETCH(bool, sorted);
    TestDir dir;
    for (const QString &name : made)
        name.endsWith(QLatin1Char('/')) ? dir.folder(name) : dir.file(name);
    QStringList paths;
    for (const QString &name : input)
        paths << QDir::toNativeSeparators(dir.at(name));

    Analize analize(nullptr);
    QTEST(analyse(analize, paths, sorted), "log");
    // A second list on the same worker starts from nothing.
    QTEST(analyse(analize, paths, sorted), "log");
}

void TestAnalize::progressAndCancel()
{
    TestDir dir;
    const QStringList paths{dir.file(QStringLiteral("a.txt")), dir.folder(QStringLiteral("d")),
                            dir.at(QStringLiteral("gone.jpg"))};
    Analize analize(nullptr);
    QSignalSpy progress(&analize, &Analize::progressChanged);
    QCOMPARE(analyse(analize, paths, false).size(), 1);
    QVERIFY(!analize.wasCancelled());
    // The first report and the last; a quick run sends nothing between.
    QCOMPARE(progress.first(), QVariantList({qint64(0), qint64(3)}));
    QCOMPARE(progress.last(), QVariantList({qint64(3), qint64(3)}));

    // Cancelled at its first report, the run stops before any entry.
    progress.clear();
    QObject::connect(&analize, &Analize::progressChanged, &analize, &Analize::cancel,
                     Qt::DirectConnection);
    QVERIFY(analyse(analize, paths, false).isEmpty());
    QVERIFY(analize.wasCancelled());
    QCOMPARE(progress.last(), QVariantList({qint64(0), qint64(3)}));

    // A new list clears the request.
    analize.setPathList(paths);
    QVERIFY(!analize.wasCancelled());
}

QTEST_GUILESS_MAIN(TestAnalize)
#include "tst_analize.moc"

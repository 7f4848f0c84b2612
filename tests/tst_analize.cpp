#include "analize.h"
#include "filenames.h"
#include "testsupport.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// What reaches the GUI thread from one run: how many reports (a quick run
// reports once, after its last entry) and the last one.
struct Outcome
{
    int reports = 0;
    int files = 0;
    QStringList suffixes;
};

Outcome analyse(Analize &analize, const QStringList &paths)
{
    Outcome outcome;
    bool resetFirst = false;
    QObject receiver;
    QObject::connect(&analize, &Analize::resetListExtensions, &receiver,
                     [&] { resetFirst = true; });
    QObject::connect(&analize, &Analize::setFilesInformations, &receiver, [&](int f, int s) {
        QVERIFY(resetFirst);
        resetFirst = false;
        ++outcome.reports;
        outcome.files = f;
        outcome.suffixes = QStringList(s, QString()); // filled by the list that follows
    });
    QObject::connect(&analize, &Analize::setListExtensions, &receiver,
                     [&](const QStringList &list) {
                         QCOMPARE(list.size(), outcome.suffixes.size());
                         outcome.suffixes = list;
                     });
    analize.setPathList(paths);
    analize.start();
    if (!analize.wait(10000))
        qFatal("analysis did not end");
    // The thread has ended, so everything it sent is already posted.
    QCoreApplication::sendPostedEvents();
    return outcome;
}

} // namespace

class TestAnalize : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
    void manySuffixesInOneFolder();
    void progressAndCancel();
};

void TestAnalize::reports_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("input"); // an input not made has vanished
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("suffixes"); // in order of first appearance
    addRow("a folder's files, repeats counted", QStringList{"d/1.txt", "d/2.txt", "x.JPG", "n.txt"},
           QStringList{"d", "x.JPG", "README", "n.txt", "x.JPG"}, 6, QStringList{"txt", "JPG", ""});
    addRow("case matters, no dot", QStringList{"a.JPG", "b.jpg", "README"},
           QStringList{"a.JPG", "b.jpg", "README"}, 3, QStringList{"JPG", "jpg", ""});
    addRow("only subfolders and hidden files", QStringList{"d/sub/deep.txt", "d/.hidden"},
           QStringList{"d"}, 0, QStringList());
    addRow("last dot, vanished", QStringList{"a.b.c", "v1.2/x"},
           QStringList{"a.b.c", "gone.tif", "v1.2/gone"}, 3, QStringList{"c", "tif", ""});
}

void TestAnalize::reports()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, input);
    TestDir dir;
    for (const QString &name : files)
        dir.file(name);
    QStringList paths;
    for (const QString &name : input)
        paths << QDir::toNativeSeparators(dir.at(name));

    Analize analize(nullptr);
    // A second list on the same worker starts from nothing.
    for (int run = 0; run < 2; ++run) {
        const Outcome outcome = analyse(analize, paths);
        QCOMPARE(outcome.reports, 1);
        QTEST(outcome.files, "count");
        QTEST(outcome.suffixes, "suffixes");
    }
}

// Past a handful of suffixes a folder's are kept in a hash: each is still
// reported once, whatever order the folder lists them in. A suffix that is not
// UTF-8 stays itself.
void TestAnalize::manySuffixesInOneFolder()
{
    TestDir dir;
    QStringList expected;
    for (int i = 0; i < 20; ++i) {
        const QString suffix = QStringLiteral("s%1").arg(i);
        expected.append(suffix);
        dir.file(QStringLiteral("d/a%1.%2").arg(i).arg(suffix));
        dir.file(QStringLiteral("d/b%1.%2").arg(i).arg(suffix));
    }
    const QByteArray strange = "x.caf\xe9";
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(dir.at("d/")) + strange;
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    expected.append(nameFromBytes(strange).mid(2));
#endif
    Analize analize(nullptr);
    Outcome outcome = analyse(analize, {QDir::toNativeSeparators(dir.at("d"))});
    QCOMPARE(outcome.files, int(expected.size() + 20));
    outcome.suffixes.sort();
    expected.sort();
    QCOMPARE(outcome.suffixes, expected);
}

void TestAnalize::progressAndCancel()
{
    TestDir dir;
    const QStringList paths{dir.file(QStringLiteral("a.txt")), dir.folder(QStringLiteral("d")),
                            dir.at(QStringLiteral("gone.jpg"))};
    Analize analize(nullptr);
    QCOMPARE(analyse(analize, {}).reports, 0);
    QSignalSpy progress(&analize, &Analize::progressChanged);
    QCOMPARE(analyse(analize, paths).reports, 1);
    QVERIFY(!analize.wasCancelled());
    // The first report and the last; a quick run sends nothing between.
    QCOMPARE(progress.first(), QVariantList({qint64(0), qint64(3)}));
    QCOMPARE(progress.last(), QVariantList({qint64(3), qint64(3)}));

    // Cancelled at its first report, the run stops before any entry.
    progress.clear();
    QObject::connect(&analize, &Analize::progressChanged, &analize, &Analize::cancel,
                     Qt::DirectConnection);
    QCOMPARE(analyse(analize, paths).reports, 0);
    QVERIFY(analize.wasCancelled());
    QCOMPARE(progress.last(), QVariantList({qint64(0), qint64(3)}));

    // A new list clears the request.
    analize.setPathList(paths);
    QVERIFY(!analize.wasCancelled());
}

QTEST_GUILESS_MAIN(TestAnalize)
#include "tst_analize.moc"

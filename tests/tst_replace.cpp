#include "replace.h"
#include "replaceplan.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include <algorithm>

namespace {

struct Outcome
{
    QList<QPair<int, QString>> messages;
    bool refreshed = false;
    QStringList refreshList;
};

Outcome runReplace(const QStringList &paths, const QString &in, const QString &out,
                   bool regExp = false, bool suffix = false, bool deleteIfExists = false,
                   bool keepListView = false)
{
    Replace replace(nullptr);
    QSignalSpy errors(&replace, &Replace::errorAtRename);
    QSignalSpy refresh(&replace, &Replace::refreshListView);
    replace.setParameters(paths, in, out, regExp, suffix, deleteIfExists, keepListView);
    replace.start();
    if (!replace.wait(20000))
        qFatal("replace run did not end");

    Outcome outcome;
    for (const QList<QVariant> &error : errors)
        outcome.messages.append({error.at(0).toInt(), error.at(1).toString()});
    outcome.refreshed = refresh.size() == 1;
    if (outcome.refreshed)
        outcome.refreshList = refresh.first().first().toStringList();
    return outcome;
}

// Every file's content in the tree, so that a lost file shows whatever its name.
QList<QByteArray> allContents(const TestDir &dir)
{
    QList<QByteArray> contents;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        contents.append(readFile(it.next()));
    std::sort(contents.begin(), contents.end());
    return contents;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestReplace : public QObject
{
    Q_OBJECT

private slots:
    void newName_data();
    void newName();
    void inputDirectoryLeavesSubdirectoriesAlone();
    void filesOfOneFolderGatherAheadOfAFolderBetween();
    void listKeptOrReplaced();
    void takenName_data();
    void takenName();
    void directoryAtNewNameIsNeverTouched();
    void vanishedEntryTouchesNothing_data();
    void vanishedEntryTouchesNothing();
    void failedMoveAfterSetAsidePutsTheFileBack();
    void fileReachedTwiceIsRenamedOnce();
    void nameLeavingItsFolderIsRefused();
};

void TestReplace::newName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<bool>("regExp");
    QTest::addColumn<bool>("suffix");
    QTest::addColumn<QString>("expected");

    QTest::newRow("base") << "photo.jpg"
                          << "photo"
                          << "img" << false << false << "img.jpg";
    QTest::newRow("case-sensitive") << "Photo.jpg"
                                    << "photo"
                                    << "img" << false << false << "Photo.jpg";
    QTest::newRow("suffix only") << "jpeg.jpeg"
                                 << "jpeg"
                                 << "jpg" << false << true << "jpeg.jpg";
    QTest::newRow("every occurrence") << "a_a_a.txt"
                                      << "a"
                                      << "b" << false << false << "b_b_b.txt";
    QTest::newRow("empty replacement") << "report_v1.txt"
                                       << "_v1"
                                       << "" << false << false << "report.txt";
    QTest::newRow("middle kept") << "archive.tar.gz"
                                 << "archive"
                                 << "backup" << false << false << "backup.tar.gz";
    QTest::newRow("middle not matched") << "a.archive.gz"
                                        << "archive"
                                        << "x" << false << false << "a.archive.gz";
    QTest::newRow("suffix of several dots") << "archive.tar.gz"
                                            << "gz"
                                            << "xz" << false << true << "archive.tar.xz";
    QTest::newRow("no dot, no trailing dot") << "README"
                                             << "READ"
                                             << "WRITE" << false << false << "WRITEME";
    QTest::newRow("suffix removed with its dot") << "photo.jpg"
                                                 << "jpg"
                                                 << "" << false << true << "photo";
    QTest::newRow("back-reference") << "IMG_0042.jpg"
                                    << "IMG_(\\d+)"
                                    << "photo-\\1" << true << false << "photo-0042.jpg";
    QTest::newRow("no whole match, other prefix") << "DSC_0042.jpg"
                                                  << "IMG_(\\d+)"
                                                  << "x" << true << false << "DSC_0042.jpg";
    QTest::newRow("no whole match, trailing") << "IMG_0042x.jpg"
                                              << "IMG_(\\d+)"
                                              << "x" << true << false << "IMG_0042x.jpg";
    QTest::newRow("regexp leaves suffix") << "notes.txt"
                                          << "[a-z]+"
                                          << "new" << true << false << "new.txt";
    QTest::newRow("invalid pattern") << "a(b.txt"
                                     << "a(b"
                                     << "x" << true << false << "a(b.txt";
}

void TestReplace::newName()
{
    QFETCH(QString, name);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(bool, regExp);
    QFETCH(bool, suffix);
    QFETCH(QString, expected);

    QCOMPARE(replacedFileName(name, ReplaceRule::make(in, out, regExp, suffix)), expected);
}

void TestReplace::inputDirectoryLeavesSubdirectoriesAlone()
{
    TestDir dir;
    dir.file(QStringLiteral("d/a.tar.old"), "1");
    dir.file(QStringLiteral("d/sub/b.old"), "2");
    dir.file(QStringLiteral("d/.hidden.old"), "3");
    QVERIFY(QFile::link(dir.at(QStringLiteral("d/sub")), dir.at(QStringLiteral("d/link.old"))));
    const QList<QByteArray> before = allContents(dir);

    const Outcome outcome = runReplace({dir.at(QStringLiteral("d"))}, QStringLiteral("old"),
                                       QStringLiteral("new"), false, true);

    QVERIFY(outcome.messages.isEmpty());
    QCOMPARE(dir.names(QStringLiteral("d")),
             QStringList({".hidden.old", "a.tar.new", "link.old", "sub"}));
    QCOMPARE(dir.names(QStringLiteral("d/sub")), QStringList({"b.old"}));
    QCOMPARE(outcome.refreshList, QStringList({native(dir.at(QStringLiteral("d/")))}));
    QCOMPARE(allContents(dir), before);
}

void TestReplace::filesOfOneFolderGatherAheadOfAFolderBetween()
{
    TestDir dir;
    const QString x1 = dir.file(QStringLiteral("x/p1.txt"), "1");
    const QString empty = dir.folder(QStringLiteral("empty"));
    const QString x2 = dir.file(QStringLiteral("x/p2.txt"), "2");
    const QString y = dir.file(QStringLiteral("y/q.txt"), "3");

    const Outcome outcome =
        runReplace({x1, empty, x2, y}, QStringLiteral("p"), QStringLiteral("r"));

    QCOMPARE(outcome.refreshList, QStringList({native(dir.at(QStringLiteral("x/r1.txt"))),
                                               native(dir.at(QStringLiteral("x/r2.txt"))),
                                               native(empty + QLatin1Char('/')), native(y)}));
    QCOMPARE(allContents(dir), QList<QByteArray>({"1", "2", "3"}));
}

void TestReplace::listKeptOrReplaced()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("a.txt"), "A");

    Outcome outcome =
        runReplace({a}, QStringLiteral("a"), QStringLiteral("b"), false, false, false, true);
    QVERIFY(!outcome.refreshed);
    QCOMPARE(dir.names(), QStringList({"b.txt"}));

    outcome = runReplace({}, QStringLiteral("a"), QStringLiteral("b"));
    QVERIFY(outcome.refreshed);
    QVERIFY(outcome.refreshList.isEmpty());
}

void TestReplace::takenName_data()
{
    QTest::addColumn<bool>("deleteIfExists");
    QTest::addColumn<bool>("withBak");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("kept, warned") << false << false << QStringList({"a.tar.txt", "b.tar.txt"});
    QTest::newRow("replaced") << true << false << QStringList({"b.tar.txt"});
    QTest::newRow("replaced, old .bak kept")
        << true << true << QStringList({"b.tar.txt", "b.tar.txt.bak"});
}

void TestReplace::takenName()
{
    QFETCH(bool, deleteIfExists);
    QFETCH(bool, withBak);
    QFETCH(QStringList, names);
    TestDir dir;
    const QString a = dir.file(QStringLiteral("a.tar.txt"), "A");
    const QString b = dir.file(QStringLiteral("b.tar.txt"), "B");
    if (withBak)
        dir.file(QStringLiteral("b.tar.txt.bak"), "BAK");

    const Outcome outcome =
        runReplace({a}, QStringLiteral("a"), QStringLiteral("b"), false, false, deleteIfExists);

    QCOMPARE(dir.names(), names);
    if (deleteIfExists) {
        QVERIFY(outcome.messages.isEmpty());
        QCOMPARE(readFile(b), QByteArray("A"));
        QCOMPARE(allContents(dir),
                 withBak ? QList<QByteArray>({"A", "BAK"}) : QList<QByteArray>({"A"}));
        QCOMPARE(outcome.refreshList, QStringList({native(b)}));
    } else {
        QCOMPARE(outcome.messages.size(), 1);
        QCOMPARE(outcome.messages.first().first, 1);
        QCOMPARE(outcome.messages.first().second,
                 QStringLiteral("\"a.tar.txt\" couldn't be renamed because \"b.tar.txt\" already "
                                "exists !"));
        QCOMPARE(allContents(dir), QList<QByteArray>({"A", "B"}));
        QCOMPARE(outcome.refreshList, QStringList({native(a)}));
    }
}

void TestReplace::directoryAtNewNameIsNeverTouched()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("a.txt"), "A");
    dir.file(QStringLiteral("b.txt/inside"), "I");

    const Outcome outcome =
        runReplace({a}, QStringLiteral("a"), QStringLiteral("b"), false, false, true);

    QCOMPARE(outcome.messages.size(), 1);
    QCOMPARE(outcome.messages.first().second, takenNameMessage("a.txt", "b.txt"));
    QCOMPARE(dir.names(), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(allContents(dir), QList<QByteArray>({"A", "I"}));
}

void TestReplace::vanishedEntryTouchesNothing_data()
{
    QTest::addColumn<bool>("deleteIfExists");
    QTest::addColumn<int>("priority");
    QTest::newRow("kept") << false << 1;
    QTest::newRow("replace asked") << true << 2;
}

void TestReplace::vanishedEntryTouchesNothing()
{
    QFETCH(bool, deleteIfExists);
    QFETCH(int, priority);
    TestDir dir;
    dir.file(QStringLiteral("b.txt"), "B");

    const Outcome outcome = runReplace({dir.at(QStringLiteral("a.txt"))}, QStringLiteral("a"),
                                       QStringLiteral("b"), false, false, deleteIfExists);

    QCOMPARE(outcome.messages.size(), 1);
    QCOMPARE(outcome.messages.first().first, priority);
    QCOMPARE(dir.names(), QStringList({"b.txt"}));
    QCOMPARE(dir.content(QStringLiteral("b.txt")), QByteArray("B"));
}

void TestReplace::failedMoveAfterSetAsidePutsTheFileBack()
{
    TestDir dir;
    const QString target = dir.file(QStringLiteral("b.txt"), "B");
    dir.file(QStringLiteral("b.txt.bak"), "BAK");

    // A source that is gone makes the move fail whoever runs the test.
    const FileRenameResult result = replaceExistingFile(dir.at(QStringLiteral("a.txt")), target);

    QVERIFY(!result.renamed);
    QCOMPARE(result.priority, 2);
    QVERIFY(result.message.contains(QStringLiteral("\"b.txt\" was left as it was")));
    QCOMPARE(dir.names(), QStringList({"b.txt", "b.txt.bak"}));
    QCOMPARE(allContents(dir), QList<QByteArray>({"B", "BAK"}));
}

void TestReplace::fileReachedTwiceIsRenamedOnce()
{
    TestDir dir;
    const QString d = dir.folder(QStringLiteral("d"));
    const QString a = dir.file(QStringLiteral("d/a.txt"), "A");

    // "a" -> "aa" would grow again on a second pass, and a second attempt on
    // the old path would find it gone and its new name taken.
    for (const bool deleteIfExists : {false, true}) {
        const Outcome outcome = runReplace({d, a, d + QLatin1Char('/')}, QStringLiteral("a"),
                                           QStringLiteral("aa"), false, false, deleteIfExists);
        QVERIFY(outcome.messages.isEmpty());
        QCOMPARE(outcome.refreshList.at(1), native(dir.at(QStringLiteral("d/aa.txt"))));
        QCOMPARE(dir.names(QStringLiteral("d")), QStringList({"aa.txt"}));
        QCOMPARE(allContents(dir), QList<QByteArray>({"A"}));
        QVERIFY(QFile::rename(dir.at(QStringLiteral("d/aa.txt")), a));
    }
}

void TestReplace::nameLeavingItsFolderIsRefused()
{
    TestDir dir;
    const QString a = dir.file(QStringLiteral("a.txt"), "A");
    dir.folder(QStringLiteral("x"));

    const Outcome outcome = runReplace({a}, QStringLiteral("a"), QStringLiteral("x/b"));

    QCOMPARE(outcome.messages.size(), 1);
    QCOMPARE(outcome.messages.first().first, 1);
    QCOMPARE(dir.names(), QStringList({"a.txt", "x"}));
    QCOMPARE(dir.names(QStringLiteral("x")), QStringList());
}

QTEST_GUILESS_MAIN(TestReplace)
#include "tst_replace.moc"

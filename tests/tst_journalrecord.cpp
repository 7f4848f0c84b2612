#include "journalrecord.h"
#include "testdir.h"

#include <QtTest>

namespace {

using Entry = JournalRecord::Entry;

Entry entry(const QString &folder, const QString &oldName, const QString &newName,
            quint64 fileId = 0)
{
    Entry made;
    made.folder = folder;
    made.oldName = oldName;
    made.newName = newName;
    made.fileId = fileId;
    return made;
}

JournalRecord::Batch batchOf(JournalRecord::Kind kind)
{
    JournalRecord::Batch batch;
    batch.id = QStringLiteral("20260102-030405-678-00ff");
    batch.kind = kind;
    batch.started = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
    return batch;
}

// Each entry as one line, every field in it, for a comparison that names what differs.
QStringList described(const QVector<Entry> &entries)
{
    QStringList lines;
    for (const Entry &e : entries)
        lines << QStringList{e.usable ? "usable" : "unusable",
                             e.folder,
                             e.oldName,
                             e.newName,
                             QString::number(e.fileId),
                             e.temporary,
                             e.setAside,
                             e.fingerprint,
                             e.fromFolder,
                             e.deletes ? "deletes" : ""}
                     .join('|');
    return lines;
}

// Names with bytes that are not UTF-8 hold U+DC80 + (byte - 0x80).
QString rawByte(uchar byte)
{
    return QString(QChar(ushort(0xdc00 + byte)));
}

const QByteArray planHead = R"({
"format": "tavrelo-journal",
"version": 1,
"id": "20260102-030405-678-00ff",
"kind": "rename",
"started": "2026-01-02T03:04:05.678Z",
"undoes": "",
"replaceExisting": false,
"folders": [
  "/d/"],
"columns": ["folder", "old", "new", "fileId", "temporary", "setAside", "fingerprint"],
"files": [)";

} // namespace

// The journal's files as bytes, offline: whatever a batch records reads back
// as it was, records of earlier versions still read, and a damaged row is
// reported by itself without spoiling the rest of its batch.
class TestJournalRecord : public QObject
{
    Q_OBJECT

private slots:
    void planRoundTrips_data();
    void planRoundTrips();
    void ordinaryBatchesKeepTheirFormat();
    void unreadablePlansAreRefused_data();
    void unreadablePlansAreRefused();
    void damagedRowsAreReportedOneByOne_data();
    void damagedRowsAreReportedOneByOne();
    void endRoundTrips();
    void damagedEndRowsAreReportedOneByOne();
};

void TestJournalRecord::planRoundTrips_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVector<Entry>>("entries");
    QTest::addColumn<QByteArray>("written"); // found in the bytes, as written

    Entry cycled = entry("/photos/", "a.jpg", "b.jpg", 42);
    cycled.temporary = ".tavrelo-abc-0.tmp";
    Entry displacing = entry("/photos/", "c.jpg", "d.jpg", 43);
    displacing.setAside = ".tavrelo-abc-1-0.bak";
    addRow("renames, one on a cycle, one setting a file aside", int(JournalRecord::Kind::Rename),
           QVector<Entry>{cycled, displacing}, QByteArray(R"("2026-01-02T03:04:05.678Z")"));

    Entry noLastingNumbers = entry("/media/stick/", "x", "y");
    noLastingNumbers.fingerprint = "1024:1700000000000";
    addRow("a fingerprint where files have no lasting numbers", int(JournalRecord::Kind::Replace),
           QVector<Entry>{noLastingNumbers, entry("/media/stick/", "z", "w")},
           QByteArray(R"([0, "x", "y", "0", "", "", "1024:1700000000000"])"));

    const QString latin1 = "caf" + rawByte(0xe9) + " IMG_1.jpg";
    addRow("bytes that are not UTF-8, as JSON escapes", int(JournalRecord::Kind::Rename),
           QVector<Entry>{
               entry("/old/" + rawByte(0x80) + rawByte(0xff) + "/", latin1, "T1-" + latin1)},
           QByteArray(R"("caf\udce9 IMG_1.jpg")"));
    addRow("quotes, backslashes, control characters and other scripts",
           int(JournalRecord::Kind::Rename),
           QVector<Entry>{entry("/tmp/\"q\"/", "a\\b\tc\nd", QString::fromUtf8("日本語 ☃.txt"))},
           QByteArray(R"("a\\b\u0009c\u000ad")"));

    Entry back = entry("/photos/", "d.jpg", "d.jpg");
    back.fromFolder = "/home/u/.local/share/Trash/files/";
    Entry deleted = entry("/media/stick/", ".tavrelo-abc-1-0.bak", QString());
    deleted.deletes = true;
    addRow("a rules batch with the stack it ran", int(JournalRecord::Kind::Rules),
           QVector<Entry>{entry("/photos/", "IMG_1.jpg", "img_1.jpg")},
           QByteArray(R"("rules": {"order":"natural")"));
    addRow("a file back from the trash and one deleted", int(JournalRecord::Kind::Recover),
           QVector<Entry>{entry("/photos/", "e.jpg", "f.jpg", 7), back, deleted},
           QByteArray(R"([2, ".tavrelo-abc-1-0.bak", "", "0", "", "", "", "delete"])"));
}

void TestJournalRecord::planRoundTrips()
{
    QFETCH(int, kind);
    QFETCH(QVector<Entry>, entries);
    QFETCH(QByteArray, written);
    JournalRecord::Plan plan;
    plan.batch = batchOf(JournalRecord::Kind(kind));
    plan.batch.undoes = kind == int(JournalRecord::Kind::Undo) ? "earlier" : "";
    plan.batch.recovers = kind == int(JournalRecord::Kind::Recover) ? "cut-off" : "";
    plan.replaceExisting = kind == int(JournalRecord::Kind::Replace);
    if (kind == int(JournalRecord::Kind::Rules))
        plan.batch.rules = R"({"order":"natural","rules":[{"case":"lower","kind":"case"}]})";
    plan.entries = entries;

    const QByteArray bytes = JournalRecord::writePlan(plan);
    QVERIFY2(bytes.contains(written), bytes.constData());
    // Written in pieces as they go to the disk, the record is the same.
    JournalRecord::PlanWriter pieces(plan.batch, plan.replaceExisting);
    for (const Entry &e : entries)
        pieces.declare(e.folder, e.fromFolder, e.deletes);
    QByteArray streamed;
    for (const Entry &e : entries) {
        pieces.add(e);
        streamed += pieces.takeBytes();
    }
    streamed += pieces.takeRest();
    QCOMPARE(streamed, bytes);
    JournalRecord::Plan read;
    QStringList unusable;
    QString error;
    QVERIFY2(JournalRecord::readPlan(bytes, plan.batch.id, &read, &unusable, &error),
             qPrintable(error));
    QCOMPARE(unusable, QStringList());
    QCOMPARE(described(read.entries), described(entries));
    QCOMPARE(read.batch.kind, plan.batch.kind);
    QCOMPARE(read.batch.started, plan.batch.started);
    QCOMPARE(read.batch.recovers, plan.batch.recovers);
    QCOMPARE(read.batch.rules, plan.batch.rules);
    QCOMPARE(read.batch.planned, entries.size());
    QCOMPARE(read.replaceExisting, plan.replaceExisting);
    // The folders the batch renamed in, not the ones files came from.
    QStringList folders;
    for (const Entry &e : entries)
        folders << e.folder;
    folders.removeDuplicates();
    folders.sort();
    QCOMPARE(read.batch.folders, folders);
}

// A rename or replace is written as every earlier version wrote it, so that
// either version reads the other's batches.
void TestJournalRecord::ordinaryBatchesKeepTheirFormat()
{
    JournalRecord::Plan plan;
    plan.batch = batchOf(JournalRecord::Kind::Rename);
    Entry parked = entry("/d/", "b", "a", 12);
    parked.temporary = ".tavrelo-t-1.tmp";
    plan.entries = {entry("/d/", "a", "b", 11), parked};
    const QByteArray expected = planHead + R"(
  [0, "a", "b", "11", "", ""],
  [0, "b", "a", "12", ".tavrelo-t-1.tmp", ""]]
}
)";
    QCOMPARE(JournalRecord::writePlan(plan), expected);

    // Rows of six and seven columns, as earlier versions wrote them.
    const QByteArray earlier = planHead + R"(
  [0, "a", "b", "11", "", ""],
  [0, "c", "d", "0", "", ".tavrelo-x-1-0.bak", "3:1700000000000"]]
}
)";
    JournalRecord::Plan read;
    QStringList unusable;
    QString error;
    QVERIFY(JournalRecord::readPlan(earlier, plan.batch.id, &read, &unusable, &error));
    QCOMPARE(unusable, QStringList());
    QCOMPARE(read.entries.size(), 2);
    QCOMPARE(read.entries[1].setAside, QString(".tavrelo-x-1-0.bak"));
    QCOMPARE(read.entries[1].fingerprint, QString("3:1700000000000"));
    QVERIFY(read.entries[1].fromFolder.isEmpty() && !read.entries[1].deletes);

    // Their ends keep no folders: a history reads them from the plan's head.
    QStringList folders;
    QVERIFY(!JournalRecord::readPlanFolders(earlier.left(planHead.indexOf("\"columns")), &folders));
    QVERIFY(JournalRecord::readPlanFolders(earlier.left(planHead.size()), &folders));
    QCOMPARE(folders, QStringList{"/d/"});
}

void TestJournalRecord::unreadablePlansAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("id");
    const QByteArray good = planHead + "]\n}\n";
    addRow("not JSON", QByteArray("\x00\xff garbage", 11), "20260102-030405-678-00ff");
    addRow("cut short", good.left(good.size() / 2), "20260102-030405-678-00ff");
    addRow("another program's", QByteArray(R"({"format": "something else", "version": 1})"),
           "20260102-030405-678-00ff");
    addRow("another batch's", good, "20260102-030405-678-0000");
    addRow("a kind of batch unknown", QByteArray(good).replace("\"rename\"", "\"erase\""),
           "20260102-030405-678-00ff");
    addRow("a later version", QByteArray(good).replace("\"version\": 1", "\"version\": 2"),
           "20260102-030405-678-00ff");
    addRow("a folder that is not clean", QByteArray(good).replace("\"/d/\"", "\"/d/../etc/\""),
           "20260102-030405-678-00ff");
    addRow("a relative folder", QByteArray(good).replace("\"/d/\"", "\"d/\""),
           "20260102-030405-678-00ff");
}

void TestJournalRecord::unreadablePlansAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, id);
    JournalRecord::Plan plan;
    QStringList unusable;
    QString error;
    QVERIFY(!JournalRecord::readPlan(bytes, id, &plan, &unusable, &error));
    QVERIFY(!error.isEmpty());
}

void TestJournalRecord::damagedRowsAreReportedOneByOne_data()
{
    QTest::addColumn<QByteArray>("row");
    addRow("too few columns", QByteArray(R"([0, "a", "b", "0", ""])"));
    addRow("too many columns", QByteArray(R"([0, "a", "b", "0", "", "", "", 0, "x"])"));
    addRow("a folder not listed", QByteArray(R"([5, "a", "b", "0", "", ""])"));
    addRow("an old name leaving its folder",
           QByteArray(R"([0, "../etc/passwd", "b", "0", "", ""])"));
    addRow("a new name leaving its folder", QByteArray(R"([0, "a", "x/../../b", "0", "", ""])"));
    addRow("no new name", QByteArray(R"([0, "a", "", "0", "", ""])"));
    addRow("a new name on a file to delete",
           QByteArray(R"([0, "a", "b", "0", "", "", "", "delete"])"));
    addRow("a temporary name with a separator", QByteArray(R"([0, "a", "b", "0", "t/x", ""])"));
    addRow("a set-aside name that is a folder", QByteArray(R"([0, "a", "b", "0", "", ".."])"));
    addRow("coming from a folder not listed", QByteArray(R"([0, "a", "b", "0", "", "", "", 9])"));
    addRow("coming from nowhere known", QByteArray(R"([0, "a", "b", "0", "", "", "", "trash"])"));
}

void TestJournalRecord::damagedRowsAreReportedOneByOne()
{
    QFETCH(QByteArray, row);
    const QByteArray bytes = planHead + "\n  [0, \"x\", \"y\", \"1\", \"\", \"\"],\n  " + row
                             + ",\n  [0, \"z\", \"w\", \"2\", \"\", \"\"]]\n}\n";
    JournalRecord::Plan plan;
    QStringList unusable;
    QString error;
    QVERIFY2(JournalRecord::readPlan(bytes, "20260102-030405-678-00ff", &plan, &unusable, &error),
             qPrintable(error));
    QCOMPARE(plan.entries.size(), 3);
    QCOMPARE(unusable.size(), 1);
    QVERIFY(plan.entries[0].usable && !plan.entries[1].usable && plan.entries[2].usable);
    QCOMPARE(plan.entries[2].newName, QString("w"));
}

void TestJournalRecord::endRoundTrips()
{
    JournalRecord::Plan plan;
    plan.batch = batchOf(JournalRecord::Kind::Undo);
    plan.batch.undoes = "20260101-000000-000-0001";
    plan.batch.planned = 4;
    for (int f = 0; f <= JournalRecord::foldersKept; ++f)
        plan.batch.folders << QString("/d%1/").arg(f, 3, 10, QChar('0'));
    plan.batch.folderCount = plan.batch.folders.size();
    plan.entries = QVector<Entry>(4, entry("/d/", "a", "b"));
    JournalRecord::End end;
    end.finished = plan.batch.started.addSecs(3);
    end.cancelled = true;
    end.renamed = 2;
    end.elsewhere = {{1, ".tavrelo-t-1.tmp"}, {3, "caf" + rawByte(0xe9)}};
    end.disposed = {{0, "/home/u/.local/share/Trash/files/b"}, {2, QString()}};
    end.failures = {"/d/a: \"quoted\" reason"};

    const QByteArray bytes = JournalRecord::writeEnd(plan.batch, end);
    JournalRecord::End read;
    QStringList unusable;
    QString error;
    QVERIFY2(JournalRecord::readEnd(bytes, plan, &read, &unusable, &error), qPrintable(error));
    QCOMPARE(unusable, QStringList());
    QCOMPARE(read.finished, end.finished);
    QCOMPARE(read.cancelled, true);
    QCOMPARE(read.renamed, 2);
    QCOMPARE(read.elsewhere, end.elsewhere);
    QCOMPARE(read.disposed, end.disposed);
    QCOMPARE(read.failures, end.failures);

    // A history reads the end alone.
    JournalRecord::Batch summary;
    QVERIFY(JournalRecord::readSummary(bytes, plan.batch.id, &summary));
    QCOMPARE(summary.kind, JournalRecord::Kind::Undo);
    QCOMPARE(summary.undoes, plan.batch.undoes);
    QCOMPARE(summary.planned, 4);
    QCOMPARE(summary.finished, end.finished);
    QCOMPARE(summary.folders, plan.batch.folders.mid(0, JournalRecord::foldersKept));
    QCOMPARE(summary.folderCount, JournalRecord::foldersKept + 1);
    QVERIFY(!JournalRecord::readSummary(bytes, "another", &summary));
    QVERIFY(!JournalRecord::readEnd(bytes.left(20), plan, &read, &unusable, &error));
}

void TestJournalRecord::damagedEndRowsAreReportedOneByOne()
{
    JournalRecord::Plan plan;
    plan.batch = batchOf(JournalRecord::Kind::Replace);
    plan.entries = QVector<Entry>(2, entry("/d/", "a", "b"));
    const QByteArray bytes = R"({"id": "20260102-030405-678-00ff", "renamed": 1,
        "elsewhere": [[0, "a"], [7, "x"], [1, "../x"]],
        "disposed": [[1, "/t/Trash/files/b"], [0, "Trash/files/b"], [-1, ""]]})";
    JournalRecord::End end;
    QStringList unusable;
    QString error;
    QVERIFY(JournalRecord::readEnd(bytes, plan, &end, &unusable, &error));
    QCOMPARE(end.elsewhere, (QMap<int, QString>{{0, "a"}}));
    QCOMPARE(end.disposed, (QMap<int, QString>{{1, "/t/Trash/files/b"}}));
    QCOMPARE(unusable, (QStringList{"x", "../x", "Trash/files/b", ""}));
}

QTEST_GUILESS_MAIN(TestJournalRecord)
#include "tst_journalrecord.moc"

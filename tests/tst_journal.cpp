#include "batchrun.h"
#include "filemoves.h"
#include "renameplan.h"
#include "replaceplan.h"
#include "testdir.h"
#include "testvolume.h"
#include "trash.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The desktop's trash in a folder of the test's own, for this process and the
// children it starts, as XDG_DATA_HOME puts it.
class OwnTrash
{
public:
    OwnTrash() : m_saved(qgetenv("XDG_DATA_HOME"))
    {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    }
    ~OwnTrash()
    {
        if (m_saved.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_saved);
        QStandardPaths::setTestModeEnabled(true);
    }
    // Its files and their records, hidden ones too.
    QStringList files() const { return m_data.names("Trash/files"); }
    QStringList records() const { return m_data.names("Trash/info"); }
    QList<QByteArray> contents() const
    {
        QList<QByteArray> found;
        for (const QString &name : files())
            found.append(m_data.content("Trash/files/" + name));
        return found;
    }

private:
    QByteArray m_saved;
    TestDir m_data;
};

// Runs tests/batchchild.cpp and kills it with SIGKILL the given time after
// its first move (or lets it end, when it ends sooner).
bool killChild(const QString &mode, const TestDir &dir, const TestDir &journalDir, int afterMsecs)
{
    QProcess child;
    child.start(TAVRELO_BATCH_CHILD, {mode, dir.path(), journalDir.path()});
    // Timed from the first move, so that a loaded machine still cuts the
    // batch at different places.
    if (!child.waitForReadyRead(10000))
        return false;
    if (afterMsecs >= 0) {
        QTest::qSleep(afterMsecs);
        ::kill(pid_t(child.processId()), SIGKILL);
    }
    return child.waitForFinished(afterMsecs >= 0 ? 10000 : 60000);
}

// One batch of moves written "old>new old>new", paths inside dir; a new name
// ending in "!" replaces the file that bears it. "undo" takes back the batch
// before.
QString runMoves(Journal &journal, const TestDir &dir, const QString &moves)
{
    if (moves == "undo") {
        const BatchRun::UndoResult undo = BatchRun::undo(journal, journal.newestUndoable().id, {});
        return undo.run.batchId;
    }
    QVector<PlannedRename> renames;
    BatchExecutor::Options options;
    for (const QString &move : moves.split(' ')) {
        QStringList ends = move.split('>');
        if (ends[1].endsWith('!')) {
            ends[1].chop(1);
            options.replaceExisting = true;
        }
        const QFileInfo from(dir.at(ends[0]));
        renames.append(
            {from.canonicalPath() + '/', from.fileName(), QFileInfo(ends[1]).fileName()});
    }
    const BatchRun::Result run = BatchRun::carryOut(
        renames, options.replaceExisting ? Journal::Kind::Replace : Journal::Kind::Rename, options,
        &journal);
    if (!run.outcome.failures.isEmpty())
        qFatal("%s: %s", qPrintable(moves), qPrintable(run.outcome.failures.first().reason));
    return run.batchId;
}

QList<QByteArray> sorted(QList<QByteArray> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

// The journal and undo: what a batch did can be taken back, after a restart
// and after a crash, and nothing but the batch's own files is ever touched.
class TestJournal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void undoBringsBackEveryOldNameOnce();
    void undoLeavesChangedFilesAlone();
    void undoBringsBackWhatAReplaceDisplaced();
    void unreadableRecordsAreSkipped_data();
    void unreadableRecordsAreSkipped();
    void killedBatchIsRecoveredAndUndone();
    void killedReplaceIsRecoveredAndUndone();
    void killedUndoIsRecoveredAndTakenUpAgain();
    void cycleCutHalfWayIsRolledBack();
    void lastStepTellsWhereAParkedFileWent();
    void displacedFileKeepsItsSpelling_data();
    void displacedFileKeepsItsSpelling();
    void movesFromElsewhere_data();
    void movesFromElsewhere();
    void unusableEntriesAreSkippedOneByOne();
    void cutOffUndoLeavesTheRestUndoable();
    void namesThatAreNotUtf8KeepTheirBytes();
    void laterBatchesStandInTheWay_data();
    void laterBatchesStandInTheWay();

private:
    // Files by name with their contents, hidden ones too.
    static QMap<QString, QByteArray> contents(const TestDir &dir)
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : dir.names())
            files.insert(name, dir.content(name));
        return files;
    }
};

void TestJournal::undoBringsBackEveryOldNameOnce()
{
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    // A cycle (3 -> 1 -> 2 -> 3 by reversed name order) and a file kept.
    for (const char *name : {"1.jpg", "2.jpg", "3.jpg", "keep.png"})
        dir.file(name, name);
    const QMap<QString, QByteArray> before = contents(dir);
    RenameOptions options;
    options.listExtensions = QStringList{"jpg"};
    options.renameBy = 2;
    options.renameByReversed = true;
    const BatchRun::Result run = BatchRun::carryOut(
        RenamePlan::make({dir.path()}, options).renames(), Journal::Kind::Rename, {}, &journal);
    QVERIFY(run.ran());
    QCOMPARE(dir.content("1.jpg"), QByteArray("3.jpg"));

    const Journal::Batch batch = Journal(journalDir.path()).newestUndoable(); // as after a restart
    QCOMPARE(batch.id, run.batchId);
    QCOMPARE(batch.renamed, 2); // 2.jpg keeps its name
    const BatchRun::UndoResult undo = BatchRun::undo(journal, batch.id, {});
    QVERIFY2(undo.leftAlone.isEmpty(), qPrintable(Journal::lines(undo.leftAlone).join('\n')));
    QCOMPARE(contents(dir), before);
    QVERIFY(journal.newestUndoable().id.isEmpty());
    QVERIFY(journal.history().at(1).undone);
}

void TestJournal::undoLeavesChangedFilesAlone()
{
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    for (const char *name : {"a", "b", "c", "d", "e"})
        dir.file(name, name);
    QVector<PlannedRename> renames;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
    for (const char *name : {"a", "b", "c", "d", "e"})
        renames.append({folder, name, QString(name) + "2"});
    QVERIFY(BatchRun::carryOut(renames, Journal::Kind::Rename, {}, &journal).ran());

    QVERIFY(QFile::rename(dir.at("a2"), dir.at("moved"))); // renamed by hand
    QVERIFY(QFile::remove(dir.at("b2")));                  // deleted
    QVERIFY(QFile::remove(dir.at("c2")));                  // replaced by another file
    dir.file("c2", "new c2");
    dir.file("d", "a new d"); // old name taken meanwhile
    const BatchRun::UndoResult undo = BatchRun::undo(journal, journal.newestUndoable().id, {});

    QCOMPARE(dir.names(), (QStringList{"c2", "d", "d2", "e", "moved"}));
    QCOMPARE(dir.content("d"), QByteArray("a new d"));
    QCOMPARE(dir.content("e"), QByteArray("e"));
    QCOMPARE(undo.leftAlone.size(), 4);
    QVERIFY(Journal::lines(undo.leftAlone).filter("d2").first().contains("already exists"));
}

void TestJournal::undoBringsBackWhatAReplaceDisplaced()
{
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    dir.file("a.txt", "a");
    dir.file("b.txt", "b, displaced");
    BatchExecutor::Options options;
    options.replaceExisting = true;
    const BatchPlan plan =
        ReplacePlan::make({dir.at("a.txt")}, ReplaceRequest::make("a", "b", false, false));
    const BatchRun::Result run =
        BatchRun::carryOut(plan.renames(), Journal::Kind::Replace, options, &journal);
    QCOMPARE(run.outcome.disposed.size(), 1);
    QVERIFY(QFile::exists(run.outcome.disposed.first().trashPath));
    QCOMPARE(dir.names(), QStringList{"b.txt"});

    const BatchRun::UndoResult undo = BatchRun::undo(journal, run.batchId, {});
    QCOMPARE(undo.restored, 1);
    QCOMPARE(dir.content("a.txt"), QByteArray("a"));
    QCOMPARE(dir.content("b.txt"), QByteArray("b, displaced"));
}

void TestJournal::unreadableRecordsAreSkipped_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("end");
    const QByteArray none;
    const QByteArray head =
        R"({"format": "tavrelo-journal", "version": 1, "id": "x", "kind": "rename",)";
    addRow("not JSON", QByteArray("\x00\xff garbage", 11), none);
    addRow("truncated", head + R"("folders": ["/tmp/"], "files": [[0, "a", )", none);
    addRow("another program's", QByteArray(R"({"format": "something else", "id": "x"})"), none);
    addRow("a folder that is not clean",
           head + R"("folders": ["/tmp/../etc/"], "files": [[0, "a", "b", "0", "", ""]]})", none);
}

void TestJournal::unreadableRecordsAreSkipped()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, end);
    TestDir journalDir;
    TestDir dir;
    dir.file("a", "a");
    journalDir.file("x.json", record);
    if (!end.isEmpty())
        journalDir.file("x.end.json", end);
    Journal journal(journalDir.path());
    QVERIFY(journal.history().isEmpty());
    QCOMPARE(journal.problems().size(), 1);
    const Journal::Recovery recovery = BatchRun::recover(journal, {});
    QVERIFY(recovery.batches.isEmpty());
    QCOMPARE(recovery.leftAlone.size(), end.isEmpty() ? 1 : 0);
    QVERIFY(!UndoPlan::make(journal, "x").error.isEmpty());
    QCOMPARE(dir.names(), QStringList{"a"});
}

void TestJournal::killedBatchIsRecoveredAndUndone()
{
    const int files = 1500;
    int cutOff = 0;
    for (int round = 0; round < 10; ++round) {
        TestDir dir;
        TestDir journalDir;
        for (int i = 0; i < files; ++i) {
            QFile file(dir.at(QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'))));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(i));
        }
        const QMap<QString, QByteArray> before = contents(dir);

        QVERIFY(killChild("swap", dir, journalDir, round * 3));

        Journal journal(journalDir.path());
        const Journal::Recovery recovery = BatchRun::recover(journal, {});
        QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
        cutOff += int(recovery.batches.size());
        const QStringList names = dir.names();
        QCOMPARE(names.size(), files);
        QVERIFY2(names.filter(".tavrelo-").isEmpty(), qPrintable(QString::number(round)));
        QMap<QString, QByteArray> now = contents(dir);
        QCOMPARE(QSet<QByteArray>(now.cbegin(), now.cend()).size(), files);

        const Journal::Batch batch = journal.newestUndoable();
        if (!batch.id.isEmpty())
            QVERIFY(BatchRun::undo(journal, batch.id, {}).leftAlone.isEmpty());
        QCOMPARE(contents(dir), before);
    }
    QVERIFY(cutOff >= 3); // the kills fell inside the batch, not only around it
}

// Files outside the request went to the trash as the batch went on; killed
// anywhere, the batch is put in order with every content once, in the folder
// or in the trash, and its undo leaves the folder as it was and the trash
// empty.
void TestJournal::killedReplaceIsRecoveredAndUndone()
{
    const int files = 450;
    int cutOff = 0;
    for (int round = 0; round < 12; ++round) {
        OwnTrash trash;
        TestDir dir;
        TestDir journalDir;
        for (int i = 0; i < files; ++i) {
            dir.file(QString::asprintf("f%04d", i), "f" + QByteArray::number(i));
            if (i % 3 == 0)
                dir.file(QString::asprintf("g%04d", i), "g" + QByteArray::number(i));
        }
        const QMap<QString, QByteArray> before = contents(dir);
        QVERIFY(killChild("replace", dir, journalDir, round * 15));

        Journal journal(journalDir.path());
        const Journal::Recovery recovery = BatchRun::recover(journal, {});
        QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
        cutOff += int(recovery.batches.size());
        QVERIFY2(dir.names().filter(".tavrelo-").isEmpty(), qPrintable(QString::number(round)));
        const QMap<QString, QByteArray> now = contents(dir);
        QCOMPARE(sorted(now.values() + trash.contents()), sorted(before.values()));

        const Journal::Batch batch = journal.newestUndoable();
        if (!batch.id.isEmpty()) {
            const BatchRun::UndoResult undo = BatchRun::undo(journal, batch.id, {});
            QVERIFY2(undo.leftAlone.isEmpty(),
                     qPrintable(Journal::lines(undo.leftAlone).join('\n')));
        }
        QCOMPARE(contents(dir), before);
        // A kill inside the trash's own move may leave a record without its
        // file, which the trash ignores; never a file.
        QCOMPARE(trash.files(), QStringList());
    }
    QVERIFY(cutOff >= 3);
}

// An undo killed while it brings displaced files back from the trash: the
// recovery puts it in order, and the next undo takes up the rest.
void TestJournal::killedUndoIsRecoveredAndTakenUpAgain()
{
    const int files = 450;
    int cutOff = 0;
    for (int round = 0; round < 12; ++round) {
        OwnTrash trash;
        TestDir dir;
        TestDir journalDir;
        for (int i = 0; i < files; ++i) {
            dir.file(QString::asprintf("f%04d", i), "f" + QByteArray::number(i));
            if (i % 2 == 0)
                dir.file(QString::asprintf("g%04d", i), "g" + QByteArray::number(i));
        }
        const QMap<QString, QByteArray> before = contents(dir);
        QVERIFY(killChild("replace", dir, journalDir, -1));
        QCOMPARE(trash.files().size(), files / 2);
        QVERIFY(killChild("undo", dir, journalDir, round * 4));

        Journal journal(journalDir.path());
        const Journal::Recovery recovery = BatchRun::recover(journal, {});
        QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
        cutOff += int(recovery.batches.size());
        const QMap<QString, QByteArray> now = contents(dir);
        QCOMPARE(sorted(now.values() + trash.contents()), sorted(before.values()));
        // A file back from the trash has no record left there.
        QCOMPARE(trash.records().size(), trash.files().size());

        const Journal::Batch batch = journal.newestUndoable();
        if (!batch.id.isEmpty()) {
            QCOMPARE(batch.kind, Journal::Kind::Replace);
            const BatchRun::UndoResult undo = BatchRun::undo(journal, batch.id, {});
            QVERIFY2(undo.leftAlone.isEmpty(),
                     qPrintable(Journal::lines(undo.leftAlone).join('\n')));
        }
        QCOMPARE(contents(dir), before);
        QCOMPARE(trash.files(), QStringList());
        QCOMPARE(trash.records(), QStringList());
    }
    QVERIFY(cutOff >= 3);
}

// A cycle of three cut after its second move: the parked file's old and new
// names are both taken, so the file that moved goes back first. The recovery
// is a batch of its own in the history, never offered for undo.
void TestJournal::cycleCutHalfWayIsRolledBack()
{
    TestDir dir;
    TestDir journalDir;
    for (const char *name : {"a", "b", "c"})
        dir.file(name, name);
    const QMap<QString, QByteArray> before = contents(dir);
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
    QString id;
    {
        BatchExecutor prepared({{folder, "a", "b"}, {folder, "b", "c"}, {folder, "c", "a"}}, {});
        Journal journal(journalDir.path());
        QString error;
        id = journal.begin(Journal::Kind::Rename, prepared.prepared(), QString(), &error);
        QVERIFY2(!id.isEmpty(), qPrintable(error));
        // As the executor goes: "a" parked, then "c" takes its name.
        QVERIFY(renameNoReplace(dir.at("a"), folder + prepared.temporaryName(0)));
        QVERIFY(renameNoReplace(dir.at("c"), dir.at("a")));
    }
    Journal journal(journalDir.path());
    const Journal::Recovery recovery = BatchRun::recover(journal, {});
    QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
    QCOMPARE(recovery.batches, QStringList{id});
    QCOMPARE(recovery.putBack, 2);
    QCOMPARE(contents(dir), before);

    const QVector<Journal::Batch> history = journal.history();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].kind, Journal::Kind::Recover);
    QCOMPARE(history[0].recovers, id);
    QCOMPARE(history[0].renamed, 2);
    QCOMPARE(history[1].id, id);
    QCOMPARE(history[1].renamed, 0);
    QVERIFY(journal.newestUndoable().id.isEmpty());
    QVERIFY(BatchRun::recover(journal, {}).message().isEmpty());
}

// On a volume without lasting file numbers, two files of one size swapped
// names, and the kill came before the parked file's last step was recorded:
// the other file's step says whose old name is whose.
void TestJournal::lastStepTellsWhereAParkedFileWent()
{
    TestDir dir;
    TestDir journalDir;
    dir.file("a", "BB");
    dir.file("b", "AA");
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
    const QByteArray id = "20260101-000000-000-0002";
    const QByteArray started =
        QDateTime::currentDateTimeUtc().addSecs(-60).toString(Qt::ISODateWithMs).toUtf8();
    journalDir.file(id + ".json", R"({"format": "tavrelo-journal", "version": 1, "id": ")" + id
                                      + R"(", "kind": "rename", "started": ")" + started + R"(",)"
                                      + R"("folders": [")" + folder.toUtf8() + R"("], "files": [)"
                                      + R"([0, "a", "b", "0", ".tavrelo-t-0.tmp", "", "2"],)"
                                      + R"([0, "b", "a", "0", "", "", "2"]]})");
    journalDir.file(id + ".steps", "0 P\n1 M\n");

    Journal journal(journalDir.path());
    const Journal::Recovery recovery = BatchRun::recover(journal, {});
    QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
    QCOMPARE(recovery.batches, QStringList{id});
    QCOMPARE(journal.newestUndoable().renamed, 2);
    const BatchRun::UndoResult undo = BatchRun::undo(journal, id, {});
    QVERIFY2(undo.leftAlone.isEmpty(), qPrintable(Journal::lines(undo.leftAlone).join('\n')));
    QCOMPARE(dir.content("a"), QByteArray("AA"));
    QCOMPARE(dir.content("b"), QByteArray("BB"));
}

void TestJournal::displacedFileKeepsItsSpelling_data()
{
    QTest::addColumn<bool>("renamed");
    addRow("cut off before the file took the name", false);
    addRow("cut off after the file took the name", true);
}

// On a volume that ignores case, the file in the way spelt the name
// otherwise: cut off once it went to the trash, the batch is put in order and
// undone, and it comes back under its own spelling.
void TestJournal::displacedFileKeepsItsSpelling()
{
    QFETCH(bool, renamed);
    TestVolume volume(TestVolume::Exfat);
    if (!volume.isMounted())
        QSKIP(qPrintable(volume.skipReason()));
    const QString folder = QFileInfo(volume.path()).canonicalFilePath() + "/d/";
    QVERIFY(QDir().mkpath(folder));
    for (const char *name : {"a.txt", "B.TXT"}) {
        QFile file(folder + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name) > 0);
    }
    if (Trash::folderFor(folder).isEmpty())
        QSKIP("the volume has no trash");
    TestDir journalDir;
    {
        BatchExecutor::Options options;
        options.replaceExisting = true;
        BatchExecutor prepared({{folder, "a.txt", "b.txt"}}, options);
        Journal journal(journalDir.path());
        QString error;
        QVERIFY(!journal.begin(Journal::Kind::Replace, prepared.prepared(), QString(), &error)
                     .isEmpty());
        // As the executor goes: the file in the way to the trash, as it is spelt.
        QVERIFY(Trash::moveIn(folder + "B.TXT"));
        if (renamed)
            QVERIFY(renameNoReplace(folder + "a.txt", folder + "b.txt"));
    }
    // As after a restart: the driver answers for the name spelt otherwise
    // for a second after its file moved on.
    QTest::qSleep(1500);
    Journal journal(journalDir.path());
    const Journal::Recovery recovery = BatchRun::recover(journal, {});
    QVERIFY2(recovery.leftAlone.isEmpty(), qPrintable(recovery.leftAlone.join('\n')));
    if (renamed) {
        const BatchRun::UndoResult undo = BatchRun::undo(journal, journal.newestUndoable().id, {});
        QVERIFY2(undo.leftAlone.isEmpty(), qPrintable(Journal::lines(undo.leftAlone).join('\n')));
        QCOMPARE(undo.restored, 1);
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"B.TXT", "a.txt"}));
    QCOMPARE(readFile(folder + "a.txt"), QByteArray("a.txt"));
    QCOMPARE(readFile(folder + "B.TXT"), QByteArray("B.TXT"));
    QCOMPARE(QDir(Trash::folderFor(folder) + "/files")
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestJournal::movesFromElsewhere_data()
{
    // Files as "path=content"; moves as "old>new" (a rename in "d"),
    // "old>>new" (back from "elsewhere" to "d") and "old>" (deleted).
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("failures");
    addRow("back once the file of the batch gives up the name",
           QStringList{"d/b=renamed a", "elsewhere/b=displaced b"}, QStringList{"b>>b", "b>a"},
           QStringList{"d/a=renamed a", "d/b=displaced b"}, QString());
    addRow("never over a file outside the batch",
           QStringList{"d/b=stranger", "elsewhere/b=displaced b"}, QStringList{"b>>b"},
           QStringList{"d/b=stranger", "elsewhere/b=displaced b"}, QString("0 NameTaken"));
    addRow("blocked when the file of the batch cannot move",
           QStringList{"d/a=stranger", "d/b=renamed a", "elsewhere/b=displaced b"},
           QStringList{"b>a", "b>>b"},
           QStringList{"d/a=stranger", "d/b=renamed a", "elsewhere/b=displaced b"},
           QString("0 NameTaken, 1 Blocked"));
    addRow("not where another file of the batch goes",
           QStringList{"d/x=x", "elsewhere/b=displaced b"}, QStringList{"x>b", "b>>b"},
           QStringList{"d/b=x", "elsewhere/b=displaced b"}, QString("1 NameTaken"));
    addRow("gone from where it was", QStringList{"d/b=renamed a"}, QStringList{"b>a", "b>>b"},
           QStringList{"d/a=renamed a"}, QString("1 Vanished"));
    addRow("deleted for good", QStringList{"d/.tavrelo-x.bak=set aside", "d/b=b"},
           QStringList{".tavrelo-x.bak>"}, QStringList{"d/b=b"}, QString());
}

// The executor's moves that are no rename inside one folder: a file brought
// back from another folder waits like a rename for the file that holds its
// name and never replaces one; a set-aside file is deleted.
void TestJournal::movesFromElsewhere()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, moves);
    QFETCH(QStringList, after);
    QFETCH(QString, failures);
    TestDir dir;
    dir.folder("d");
    dir.folder("elsewhere");
    for (const QString &file : files)
        dir.file(file.section('=', 0, 0), file.section('=', 1).toUtf8());
    const QString folder = QFileInfo(dir.at("d")).canonicalFilePath() + '/';
    const QString elsewhere = QFileInfo(dir.at("elsewhere")).canonicalFilePath() + '/';
    QVector<PlannedRename> renames;
    BatchExecutor::OtherMoves otherMoves;
    using Kind = PreparedBatch::OtherMove::Kind;
    for (const QString &move : moves) {
        const QStringList parts = move.split('>');
        if (parts.size() == 3)
            otherMoves.insert(int(renames.size()), {Kind::Return, elsewhere});
        else if (parts[1].isEmpty())
            otherMoves.insert(int(renames.size()), {Kind::Delete, QString()});
        renames.append({folder, parts.first(), parts.last()});
    }
    BatchExecutor executor(renames, {}, otherMoves);
    const BatchOutcome outcome = executor.run();

    QStringList told;
    for (const FileFailure &failure : outcome.failures) {
        using Cause = FileFailure::Cause;
        const char *cause = failure.cause == Cause::NameTaken  ? "NameTaken"
                            : failure.cause == Cause::Vanished ? "Vanished"
                            : failure.cause == Cause::Blocked  ? "Blocked"
                                                               : "other";
        told << QString::number(failure.index) + ' ' + cause;
    }
    QCOMPARE(told.join(", "), failures);
    QStringList tree;
    const QMap<QString, QByteArray> all = snapshot(dir.path());
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        tree << it.key().mid(dir.path().size() + 1) + '=' + it.value();
    QCOMPARE(tree, after);
    // What the journal records: every move tried, and where each file ends.
    for (int i = 0; i < renames.size(); ++i)
        QVERIFY(executor.attempts(i) || told.first().startsWith(QString::number(i)));
}

// A record with entries that name no file safely still undoes every other
// file, and names the ones it skips.
void TestJournal::unusableEntriesAreSkippedOneByOne()
{
    TestDir journalDir;
    TestDir dir;
    dir.file("b", "b");
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
    const QByteArray id = "20260101-000000-000-0001";
    const auto inAMinute = [](int seconds) {
        return QDateTime::currentDateTimeUtc()
            .addSecs(seconds)
            .toString(Qt::ISODateWithMs)
            .toUtf8();
    };
    journalDir.file(id + ".json",
                    R"({"format": "tavrelo-journal", "version": 1, "id": ")" + id
                        + R"(", "kind": "rename", "started": ")" + inAMinute(30) + R"(",)"
                        + R"("folders": [")" + folder.toUtf8() + R"("], "files": [)"
                        + R"([0, "a", "b", "0", "", ""], [0, "../etc/passwd", "c", "0", "", ""],)"
                        + R"([3, "x", "y", "0", "", ""], [0, "d", "", "0", "", ""]]})");
    journalDir.file(id + ".end.json",
                    R"({"id": ")" + id + R"(", "kind": "rename", "renamed": 1, "finished": ")"
                        + inAMinute(60) + R"(", "disposed": [[1, "/etc/passwd"]]})");
    Journal journal(journalDir.path());
    const Journal::Batch batch = journal.newestUndoable();
    QCOMPARE(batch.id, QString(id));
    const BatchRun::UndoResult undo = BatchRun::undo(journal, batch.id, {});
    QVERIFY(undo.run.ran());
    QCOMPARE(dir.names(), QStringList{"a"});
    QCOMPARE(undo.leftAlone.size(), 4);
    for (const Journal::LeftAlone &file : undo.leftAlone)
        QVERIFY2(file.reason.contains("cannot be used"), qPrintable(file.line()));
}

// An undo stopped half-way took back what it reached; the next undo of the
// same batch goes on with the rest, and says nothing of the files already back.
void TestJournal::cutOffUndoLeavesTheRestUndoable()
{
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    for (int i = 0; i < 20; ++i)
        dir.file(QString("f%1").arg(i, 2, 10, QChar('0')), QByteArray::number(i));
    const QMap<QString, QByteArray> before = contents(dir);
    RenameOptions options;
    options.outputFormat = "T";
    options.everySuffix = true;
    options.renameBy = 2;
    QVERIFY(BatchRun::carryOut(RenamePlan::make({dir.path()}, options).renames(),
                               Journal::Kind::Rename, {}, &journal)
                .ran());
    const QString renamedBatch = journal.newestUndoable().id;

    std::atomic<bool> cancel{false};
    BatchExecutor::Options stopAfterFirst;
    stopAfterFirst.cancel = &cancel;
    stopAfterFirst.progress = [&cancel](qsizetype, qsizetype) { cancel.store(true); };
    const BatchRun::UndoResult first = BatchRun::undo(journal, renamedBatch, stopAfterFirst);
    QVERIFY(first.run.outcome.cancelled);
    QVERIFY(first.run.outcome.renamed > 0 && first.run.outcome.renamed < 20);

    QCOMPARE(journal.newestUndoable().id, renamedBatch);
    const BatchRun::UndoResult second = BatchRun::undo(journal, renamedBatch, {});
    QVERIFY2(second.leftAlone.isEmpty(), qPrintable(Journal::lines(second.leftAlone).join('\n')));
    QCOMPARE(second.run.outcome.renamed, 20 - first.run.outcome.renamed);
    QCOMPARE(contents(dir), before);
    QVERIFY(journal.newestUndoable().id.isEmpty());
}

// Old archives and cameras leave Latin-1 names: such a file is renamed and
// undone by its very bytes, and numbered like any other.
void TestJournal::namesThatAreNotUtf8KeepTheirBytes()
{
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    const QByteArray folder = dir.path().toUtf8() + '/';
    for (const QByteArray &name : {QByteArray("caf\xe9 IMG_1.jpg"), QByteArray("IMG_2.jpg")}) {
        const int fd = ::open(folder + name, O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0 && ::write(fd, name.constData(), size_t(name.size())) == name.size());
        ::close(fd);
    }
    // name -> content, by the bytes the folder holds.
    const auto files = [&folder] {
        QMap<QByteArray, QByteArray> found;
        DIR *listing = ::opendir(folder);
        while (const dirent *entry = ::readdir(listing)) {
            if (entry->d_name[0] == '.')
                continue;
            QFile file;
            const int fd = ::open(folder + entry->d_name, O_RDONLY);
            file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
            found.insert(entry->d_name, file.readAll());
        }
        ::closedir(listing);
        return found;
    };
    const QMap<QByteArray, QByteArray> before = files();

    const BatchRun::Result replaced = BatchRun::carryOut(
        ReplacePlan::make({dir.path()}, ReplaceRequest::make("IMG", "photo", false, false))
            .renames(),
        Journal::Kind::Replace, {}, &journal);
    QVERIFY(replaced.outcome.failures.isEmpty());
    QCOMPARE(files().keys(), (QList<QByteArray>{"caf\xe9 photo_1.jpg", "photo_2.jpg"}));

    RenameOptions options;
    options.outputFormat = "T";
    options.everySuffix = true;
    options.renameBy = 2;
    options.formatPosition = 1;
    const BatchRun::Result renamed = BatchRun::carryOut(
        RenamePlan::make({dir.path()}, options).renames(), Journal::Kind::Rename, {}, &journal);
    QVERIFY(renamed.outcome.failures.isEmpty());
    QCOMPARE(files().keys(), (QList<QByteArray>{"T1-caf\xe9 photo_1.jpg", "T2-photo_2.jpg"}));

    for (int undo = 0; undo < 2; ++undo) {
        const BatchRun::UndoResult result =
            BatchRun::undo(journal, journal.newestUndoable().id, {});
        QVERIFY2(result.leftAlone.isEmpty(),
                 qPrintable(Journal::lines(result.leftAlone).join('\n')));
    }
    QCOMPARE(files(), before);
}

void TestJournal::laterBatchesStandInTheWay_data()
{
    QTest::addColumn<QStringList>("later"); // batches after a>a1 b>b1
    QTest::addColumn<int>("blocker");       // which of them to undo first; -1: none

    addRow("another file renamed", QStringList{"c>c1"}, -1);
    addRow("the same names in another folder", QStringList{"d/a1>a2"}, -1);
    addRow("one of its files renamed again", QStringList{"c>c1", "a1>a2"}, 1);
    addRow("its old name given to another file", QStringList{"c>a"}, 0);
    addRow("another file put over one of its files", QStringList{"c>b1!"}, 0);
    addRow("the later batch undone", QStringList{"a1>a2", "undo"}, -1);
    // The named batch can be undone at once.
    addRow("a chain: its last batch first", QStringList{"a1>a2", "c>c1", "a2>a3"}, 2);
}

// An older batch is undone as long as no later batch moved its files; else
// the batch to undo first is named and nothing moves.
void TestJournal::laterBatchesStandInTheWay()
{
    QFETCH(QStringList, later);
    QFETCH(int, blocker);
    const OwnTrash trash;
    TestDir dir;
    TestDir journalDir;
    Journal journal(journalDir.path());
    for (const char *name : {"a", "b", "c", "d/a1"})
        dir.file(name, name);
    const QString batch = runMoves(journal, dir, "a>a1 b>b1");
    QStringList ids;
    for (const QString &moves : later)
        ids.append(runMoves(journal, dir, moves));

    QCOMPARE(journal.undoBlocker(batch).id, blocker < 0 ? QString() : ids[blocker]);
    const QMap<QString, QByteArray> before = contents(dir);
    const BatchRun::UndoResult undo = BatchRun::undo(journal, batch, {});
    if (blocker >= 0) {
        QVERIFY(!undo.run.ran() && undo.run.journalError.contains(ids[blocker]));
        QCOMPARE(contents(dir), before);
        return;
    }
    QVERIFY2(undo.leftAlone.isEmpty(), qPrintable(Journal::lines(undo.leftAlone).join('\n')));
    QCOMPARE(dir.content("a"), QByteArray("a"));
    QCOMPARE(dir.content("b"), QByteArray("b"));
    const QVector<Journal::Batch> history = journal.history();
    QVERIFY(std::any_of(history.cbegin(), history.cend(), [&](const Journal::Batch &shown) {
        return shown.id == batch && shown.undone;
    }));
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"

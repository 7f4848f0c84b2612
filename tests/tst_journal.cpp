#include "batchrun.h"
#include "filemoves.h"
#include "renameplan.h"
#include "replaceplan.h"
#include "testdir.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

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
    void unusableEntriesAreSkippedOneByOne();
    void cutOffUndoLeavesTheRestUndoable();
    void namesThatAreNotUtf8KeepTheirBytes();

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
        ReplacePlan::make({dir.at("a.txt")}, ReplaceRule::make("a", "b", false, false));
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
    const Journal::Recovery recovery = journal.recoverUnfinished();
    QVERIFY(recovery.batches.isEmpty());
    QCOMPARE(recovery.leftAlone.size(), end.isEmpty() ? 1 : 0);
    QVERIFY(!journal.planUndo("x").error.isEmpty());
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

        QProcess child;
        child.start(TAVRELO_BATCH_CHILD, {dir.path(), journalDir.path()});
        // Timed from the first move, so that a loaded machine still cuts
        // the batch at different places.
        QVERIFY(child.waitForReadyRead(10000));
        QTest::qSleep(round * 3);
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));

        Journal journal(journalDir.path());
        const Journal::Recovery recovery = journal.recoverUnfinished();
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
        return QDateTime::currentDateTimeUtc().addSecs(seconds).toString(Qt::ISODateWithMs).toUtf8();
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
        ReplacePlan::make({dir.path()}, ReplaceRule::make("IMG", "photo", false, false)).renames(),
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

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"

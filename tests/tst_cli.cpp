#include "batchrun.h"
#include "journal.h"
#include "testdir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out, err;
    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

// Files made one a day newer than the one before, each holding its own name
// followed by as many dots as its size asks.
void makeFiles(TestDir &dir, const QStringList &names, const QList<int> &sizes = {})
{
    for (int i = 0; i < names.size(); ++i)
        dir.file(names[i], names[i].toUtf8() + QByteArray(i < sizes.size() ? sizes[i] : 0, '.'),
                 QDateTime(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC).addDays(i));
}

// after[i] is the name the file before[i] must bear now, its content unchanged;
// an empty name: the file has left the folder. Nothing else is there.
void verifyRenamed(const TestDir &dir, const QStringList &before, const QStringList &after)
{
    QStringList expected;
    for (int i = 0; i < before.size(); ++i) {
        if (after[i].isEmpty())
            continue;
        expected << after[i];
        QVERIFY2(dir.content(after[i]).startsWith(before[i].toUtf8()), qPrintable(after[i]));
    }
    expected.sort();
    QCOMPARE(dir.names(), expected);
}

CliRun cli(const QStringList &arguments)
{
    QProcess process;
    process.start(TAVRELO_CLI, arguments);
    if (!process.waitForFinished(60000))
        qFatal("tavrelo-cli did not end");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// The command line run as a process on real folders, with its own journal,
// data and trash folders.
class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    void useJournal(const QString &name)
    {
        qputenv("TAVRELO_JOURNAL_DIR", m_home.filePath(name).toLocal8Bit());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        useJournal("journal");
        // The trash of a replacing run, for the window's undo here too.
        qputenv("XDG_DATA_HOME", m_home.filePath("data").toLocal8Bit());
    }
    void batches_data();
    void batches();
    void dryRunTouchesNothing();
    void aSharedNewNameNamesTheOtherFile();
    void nothingToRenameIsNoBatch();
    void undoAcrossFrontEnds();
    void killedRunIsRecoveredAndUndone();
    void olderBatchUndoneByItsId();
};

void TestCli::batches_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("given"); // none: the folder itself
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // part of what is told; empty: nothing

    // a.jpg is the oldest and the largest, b.png the smallest, c.jpg the newest.
    const QStringList abc{"a.jpg", "b.png", "c.jpg"};
    const QStringList none;
    addRow("numbered text alone, newest first", abc, QStringList{"rename", "--text", "Trip"}, none,
           QStringList{"Trip3.jpg", "Trip2.png", "Trip1.jpg"}, 0, "");
    addRow("files given one by one, in the order given", abc,
           QStringList{"rename", "--text", "T", "--order", "name"}, QStringList{"c.jpg", "a.jpg"},
           QStringList{"T2.jpg", "b.png", "T1.jpg"}, 0, "");
    addRow("number before the old name, by name, two suffixes given", abc,
           QStringList{"rename", "--text", "Trip", "--format", "append", "--order", "name", "--ext",
                       ".png,gif", "--ext", "jpg"},
           none, QStringList{"Trip1-a.jpg", "Trip2-b.png", "Trip3-c.jpg"}, 0, "");
    addRow("number first after the old name, largest last", abc,
           QStringList{"rename", "--text", "Trip", "--format", "prepend", "--reverse-format",
                       "--order", "size", "--reverse-order"},
           none, QStringList{"a-3Trip.jpg", "b-1Trip.png", "c-2Trip.jpg"}, 0, "");
    addRow("every occurrence in the base name, a taken name left alone",
           QStringList{"a.txt", "a_a.txt", "b.txt"},
           QStringList{"replace", "--find", "a", "--with", "b"}, none,
           QStringList{"a.txt", "b_b.txt", "b.txt"}, 1,
           "/a.txt: \"a.txt\" couldn't be renamed because \"b.txt\" already exists !");
    // A line of ASCII names is written straight from its parts, the others
    // through the local encoding: both read the same.
    addRow("names beyond ASCII beside ASCII ones",
           QStringList{QString::fromUtf8("caf\xc3\xa9.jpg"), "cafe.jpg", "tea.jpg"},
           QStringList{"replace", "--find", "caf", "--with", "bar"}, none,
           QStringList{QString::fromUtf8("bar\xc3\xa9.jpg"), "bare.jpg", "tea.jpg"}, 0, "");
    addRow("in the suffix only", QStringList{"photo.jpeg", "jpeg.txt"},
           QStringList{"replace", "--find", "jpeg", "--with", "jpg", "--suffix"}, none,
           QStringList{"photo.jpg", "jpeg.txt"}, 0, "");
    addRow("pattern on the whole base name, with a back-reference",
           QStringList{"IMG_0042.jpg", "IMG_0042x.jpg", "DSC_1.jpg"},
           QStringList{"replace", "--find", "IMG_(\\d+)", "--with", "photo-\\1", "--regexp"}, none,
           QStringList{"photo-0042.jpg", "IMG_0042x.jpg", "DSC_1.jpg"}, 0, "");
    // Refused before anything is touched.
    addRow("path that does not exist", abc, QStringList{"rename", "--text", "T"},
           QStringList{"a.jpg", "gone"}, abc, 2, "/gone' does not exist");
    addRow("empty text to find", abc, QStringList{"replace", "--find", "", "--with", "b"}, none,
           abc, 2, "the text to find is empty");
    addRow("invalid regular expression", abc,
           QStringList{"replace", "--find", "a(", "--with", "b", "--regexp"}, none, abc, 2,
           "'a(' is not a valid regular expression: ");
    addRow("pattern in the suffix", abc,
           QStringList{"replace", "--find", "a", "--with", "b", "--regexp", "--suffix"}, none, abc,
           2, "--regexp and --suffix exclude each other");
}

void TestCli::batches()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, given);
    QFETCH(QStringList, after);
    QFETCH(QString, error);
    TestDir dir;
    makeFiles(dir, before, {30, 10, 20});
    for (QString &name : given)
        name = dir.at(name);
    QFETCH(QStringList, arguments);
    const CliRun run = cli(arguments + (given.isEmpty() ? QStringList{dir.path()} : given));
    verifyRenamed(dir, before, after);
    for (int i = 0; i < before.size(); ++i) {
        if (!after[i].isEmpty() && after[i] != before[i])
            QVERIFY(run.out.contains(dir.at(before[i]) + " -> " + dir.at(after[i])));
    }
    QTEST(run.exitCode, "exitCode");
    QVERIFY2(error.isEmpty() ? run.err.isEmpty()
                             : run.err.startsWith("tavrelo-cli: ") && run.err.contains(error),
             qPrintable(run.err));
}

void TestCli::dryRunTouchesNothing()
{
    TestDir dir;
    makeFiles(dir, {"d/a.jpg", "d/b.png", "e/x.jpg", "e/T1.jpg"});
    const auto before = snapshot(dir.path());

    const CliRun json = cli({"rename", "--text", "T", "--order", "name", "--ext", "jpg",
                             "--dry-run", "--json", dir.at("d"), dir.at("e/x.jpg")});
    QCOMPARE(json.exitCode, 1); // x.jpg cannot take T1.jpg
    QStringList told;
    for (const QJsonValue change : json.json()["changes"].toArray())
        told << change["old"].toString() << change["new"].toString() << change["status"].toString()
             << change["reason"].toString() << change["note"].toString();
    // The window's words, and a name for the note that scripts can rely on.
    QCOMPARE(told, QStringList(
                       {dir.at("d/a.jpg"), dir.at("d/T1.jpg"), "planned", "", "", dir.at("d/b.png"),
                        dir.at("d/b.png"), "unchanged", "stays: its suffix is not selected",
                        "suffix-not-selected", dir.at("e/x.jpg"), dir.at("e/T1.jpg"), "conflict",
                        "stays: \"T1.jpg\" is taken by a file outside the request", "name-taken"}));
    QCOMPARE(json.json()["summary"]["planned"].toInt(), 1);
    QCOMPARE(snapshot(dir.path()), before);

    // In words: what would happen, and how much of it.
    const CliRun text = cli({"rename", "--text", "T", "--order", "name", "--ext", "jpg",
                             "--dry-run", dir.at("d"), dir.at("e/x.jpg")});
    QCOMPARE(text.out.split('\n', Qt::SkipEmptyParts),
             QStringList({"would rename " + dir.at("d/a.jpg") + " -> " + dir.at("d/T1.jpg"),
                          dir.at("d/b.png") + ": unchanged, stays: its suffix is not selected",
                          dir.at("e/x.jpg") + " -> " + dir.at("e/T1.jpg")
                              + ": conflict, stays: \"T1.jpg\" is taken by a file outside the "
                                "request",
                          "1 of 3 files would be renamed."}));
    QCOMPARE(snapshot(dir.path()), before);
}

// Both would become "a.txt": the file given first gets it, the other stays
// and says which file has it.
void TestCli::aSharedNewNameNamesTheOtherFile()
{
    TestDir dir;
    makeFiles(dir, {"ax.txt", "xa.txt"});
    const CliRun run = cli({"replace", "--find", "x", "--with", "", "--dry-run", "--json",
                            dir.at("ax.txt"), dir.at("xa.txt")});
    QCOMPARE(run.exitCode, 1);
    const QJsonValue shared = run.json()["changes"][1];
    QCOMPARE(shared["old"].toString(), dir.at("xa.txt"));
    QCOMPARE(shared["status"].toString(), "conflict");
    QCOMPARE(shared["reason"].toString(), "stays: \"ax.txt\" is given the same new name");
    QCOMPARE(shared["note"].toString(), "name-shared");
}

// A run that renames nothing leaves no batch behind to undo.
void TestCli::nothingToRenameIsNoBatch()
{
    TestDir dir;
    makeFiles(dir, {"T1.jpg"});
    const int batches = cli({"history", "--json"}).json()["batches"].toArray().size();
    const CliRun run = cli({"rename", "--text", "T", dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(cli({"history", "--json"}).json()["batches"].toArray().size(), batches);
}

void TestCli::undoAcrossFrontEnds()
{
    TestDir dir;
    const QStringList files{"a.jpg", "b.jpg", "z.jpg", "c.txt"};
    makeFiles(dir, files);
    useJournal("across");
    Journal journal(m_home.filePath("across"));

    // Renamed the way the window does it, undone from the command line.
    const QString folder = QDir(dir.path()).canonicalPath() + '/';
    const auto renamed =
        BatchRun::carryOut({{folder, "a.jpg", "T1.jpg"}, {folder, "b.jpg", "T2.jpg"}},
                           Journal::Kind::Rename, {}, &journal);
    QCOMPARE(renamed.outcome.renamed, 2);
    CliRun run = cli({"undo"});
    QVERIFY(run.exitCode == 0 && run.out.contains(dir.at("T1.jpg") + " -> " + dir.at("a.jpg")));
    verifyRenamed(dir, files, files);

    // Replaced from the command line over a file outside the request, undone
    // the way the window does it: the displaced file comes back from the trash.
    run = cli(
        {"replace", "--find", "a", "--with", "z", "--delete-if-exists", "--json", dir.at("a.jpg")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.json()["changes"][0]["reason"].toString().startsWith(
        "the file it replaced is in the trash: " + m_home.filePath("data/Trash/files/")));
    verifyRenamed(dir, files, {"z.jpg", "b.jpg", "", "c.txt"});
    const auto undone = BatchRun::undo(journal, journal.newestUndoable().id, {});
    QVERIFY(undone.leftAlone.isEmpty() && undone.restored == 1);
    verifyRenamed(dir, files, files);

    // Both undos took their batch back for good.
    const CliRun nothing = cli({"undo"});
    QCOMPARE(nothing.err, "tavrelo-cli: nothing to undo.\n");
    QCOMPARE(nothing.exitCode, 1);
}

void TestCli::killedRunIsRecoveredAndUndone()
{
    TestDir dir;
    QStringList names;
    for (int i = 0; i < 4000; ++i)
        names << QString::asprintf("f%04d.jpg", i);
    makeFiles(dir, names);
    useJournal("killed");

    // Killed as soon as it tells its first progress, in the middle of its renames.
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    qputenv("TAVRELO_CLI_PROGRESS", "1");
    process.start(TAVRELO_CLI, {"rename", "--text", "T", "--order", "name", dir.path()});
    qunsetenv("TAVRELO_CLI_PROGRESS");
    QVERIFY(process.waitForReadyRead(60000));
    process.kill();
    process.waitForFinished();
    if (process.exitStatus() == QProcess::NormalExit)
        QSKIP("the run ended before it could be killed");

    const CliRun run = cli({"history", "--json"});
    QVERIFY2(run.err.contains("Renaming was cut off before its end."), qPrintable(run.err));
    const QJsonObject batch = run.json()["batches"][0].toObject();
    QVERIFY(batch["finished"].isString());
    const int renamed = batch["renamed"].toInt();
    QVERIFY(renamed > 0 && renamed < names.size());

    // Every file under exactly one name, its old or its new one; undo tells
    // which one each bears.
    QCOMPARE(dir.names().size(), names.size());
    QCOMPARE(dir.names().filter("T").size(), renamed);
    QCOMPARE(cli({"undo"}).exitCode, 0);
    verifyRenamed(dir, names, names);
}

// Any batch of the history is undone by its id, unless a later batch renamed
// its files again: then that one is named and nothing moves.
void TestCli::olderBatchUndoneByItsId()
{
    TestDir dir;
    const QStringList files{"a.jpg", "b.jpg", "c.txt"};
    makeFiles(dir, files);
    useJournal("older");
    QStringList ids;
    for (const QStringList &change : {QStringList{"a", "x"}, {"b", "y"}, {"x", "z"}}) {
        const CliRun run =
            cli({"replace", "--find", change[0], "--with", change[1], "--json", dir.path()});
        QCOMPARE(run.exitCode, 0);
        ids.prepend(run.json()["summary"]["batch"].toString()); // newest first
    }
    const QString older = ids[2], middle = ids[1], newest = ids[0];
    verifyRenamed(dir, files, {"z.jpg", "y.jpg", "c.txt"});

    const QString folder = QDir(dir.path()).canonicalPath();
    CliRun run = cli({"history"});
    QCOMPARE(run.out.count("\n    in " + folder + "\n"), 3);
    const QJsonArray batches = cli({"history", "--json"}).json()["batches"].toArray();
    QCOMPARE(batches[2]["id"].toString(), older);
    QCOMPARE(batches[2]["folders"].toArray(), QJsonArray{folder});

    run = cli({"undo", middle});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    verifyRenamed(dir, files, {"z.jpg", "b.jpg", "c.txt"});
    run = cli({"undo", middle});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("was undone already"), qPrintable(run.err));

    // x.jpg, which the older batch named, was renamed again by the newest.
    run = cli({"undo", "--json", older});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QString("Undo batch %1 (replace, ").arg(newest)),
             qPrintable(run.err));
    QCOMPARE(run.json()["summary"]["blockedBy"].toString(), newest);
    verifyRenamed(dir, files, {"z.jpg", "b.jpg", "c.txt"});

    QCOMPARE(cli({"undo", newest}).exitCode, 0);
    QCOMPARE(cli({"undo", older}).exitCode, 0);
    verifyRenamed(dir, files, files);
    QCOMPARE(cli({"undo", "20200101-000000-000-0000"}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

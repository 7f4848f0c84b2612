#include "batchrun.h"
#include "journal.h"
#include "renameplan.h"
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
    QString out;
    QString err;
};

// Files made one a day newer than the one before, each holding its own name
// followed by as many dots as its size asks.
void makeFiles(TestDir &dir, const QStringList &names, const QList<int> &sizes = {})
{
    for (int i = 0; i < names.size(); ++i) {
        const int size = i < sizes.size() ? sizes[i] : 0;
        dir.file(names[i], names[i].toUtf8() + QByteArray(size, '.'),
                 QDateTime(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC).addDays(i));
    }
}

// after[i] is the name the file before[i] must bear now, its content
// unchanged; an empty name: the file has left the folder. Nothing else is
// there.
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

} // namespace

// The command line run as a process on real folders, with its own journal,
// data and trash folders.
class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void batches_data();
    void batches();
    void dryRunTouchesNothing();
    void badInputTouchesNothing_data();
    void badInputTouchesNothing();
    void undoAcrossFrontEnds();
    void killedRunIsRecoveredAndUndone();

private:
    QProcessEnvironment environment() const;
    CliRun cli(const QStringList &arguments);

    QTemporaryDir m_home;
    TestDir m_input;
    QString m_journal;
};

void TestCli::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_home.isValid());
    makeFiles(m_input, {"a.jpg", "b.png"});
    m_journal = m_home.filePath("journal");
}

QProcessEnvironment TestCli::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TAVRELO_JOURNAL_DIR", m_journal);
    // The trash of a replacing run.
    environment.insert("XDG_DATA_HOME", m_home.filePath("data"));
    return environment;
}

CliRun TestCli::cli(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(TAVRELO_CLI, arguments);
    if (!process.waitForFinished(60000))
        qFatal("tavrelo-cli did not end");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TestCli::batches_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("given"); // none: the folder itself
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("error");

    // a.jpg is the oldest and the largest, b.png the smallest, c.jpg the newest.
    const QStringList abc{"a.jpg", "b.png", "c.jpg"};
    QTest::addRow("numbered text alone, newest first")
        << abc << QStringList{"rename", "--text", "Trip"} << QStringList()
        << QStringList{"Trip3.jpg", "Trip2.png", "Trip1.jpg"} << QString();
    QTest::addRow("number before the old name, by name, two suffixes given")
        << abc << QStringList{"rename", "--text", "Trip",     "--format", "append", "--order",
                              "name",   "--ext",  ".png,gif", "--ext",    "jpg"}
        << QStringList() << QStringList{"Trip1-a.jpg", "Trip2-b.png", "Trip3-c.jpg"} << QString();
    QTest::addRow("number first after the old name, largest last")
        << abc << QStringList{"rename",           "--text",  "Trip", "--format",       "prepend",
                              "--reverse-format", "--order", "size", "--reverse-order"}
        << QStringList() << QStringList{"a-3Trip.jpg", "b-1Trip.png", "c-2Trip.jpg"} << QString();
    QTest::addRow("files given one by one, in the order given")
        << abc << QStringList{"rename", "--text", "T", "--order", "name"}
        << QStringList{"c.jpg", "a.jpg"} << QStringList{"T2.jpg", "b.png", "T1.jpg"} << QString();
    QTest::addRow("every occurrence in the base name")
        << QStringList{"a_a.txt", "b.txt"} << QStringList{"replace", "--find", "a", "--with", "b"}
        << QStringList() << QStringList{"b_b.txt", "b.txt"} << QString();
    QTest::addRow("in the suffix only")
        << QStringList{"photo.jpeg", "jpeg.txt"}
        << QStringList{"replace", "--find", "jpeg", "--with", "jpg", "--suffix"} << QStringList()
        << QStringList{"photo.jpg", "jpeg.txt"} << QString();
    QTest::addRow("pattern on the whole base name, with a back-reference")
        << QStringList{"IMG_0042.jpg", "IMG_0042x.jpg", "DSC_1.jpg"}
        << QStringList{"replace", "--find", "IMG_(\\d+)", "--with", "photo-\\1", "--regexp"}
        << QStringList() << QStringList{"photo-0042.jpg", "IMG_0042x.jpg", "DSC_1.jpg"}
        << QString();
    QTest::addRow("name taken, the file keeps its own")
        << QStringList{"a.txt", "b.txt"} << QStringList{"replace", "--find", "a", "--with", "b"}
        << QStringList() << QStringList{"a.txt", "b.txt"}
        << QString("\"a.txt\" couldn't be renamed because \"b.txt\" already exists !");
    QTest::addRow("name taken outside the request, the existing file replaced")
        << QStringList{"a.txt", "b.txt"}
        << QStringList{"replace", "--find", "a", "--with", "b", "--delete-if-exists"}
        << QStringList{"a.txt"} << QStringList{"b.txt", ""} << QString();
}

void TestCli::batches()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, given);
    QFETCH(QStringList, after);
    QFETCH(QString, error);
    TestDir dir;
    makeFiles(dir, before, {30, 10, 20});
    for (QString &name : given)
        name = dir.at(name);
    const CliRun run = cli(arguments + (given.isEmpty() ? QStringList{dir.path()} : given));
    verifyRenamed(dir, before, after);
    for (int i = 0; i < before.size(); ++i) {
        if (!after[i].isEmpty() && after[i] != before[i])
            QVERIFY(run.out.contains(dir.at(before[i]) + " -> " + dir.at(after[i])));
    }
    QCOMPARE(run.exitCode, error.isEmpty() ? 0 : 1);
    if (error.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.contains(dir.at(before[0]) + ": " + error), qPrintable(run.err));
}

void TestCli::dryRunTouchesNothing()
{
    TestDir dir;
    makeFiles(dir, {"d/a.jpg", "d/b.png", "e/x.jpg", "e/T1.jpg"});
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    const CliRun json = cli({"rename", "--text", "T", "--order", "name", "--ext", "jpg",
                             "--dry-run", "--json", dir.at("d"), dir.at("e/x.jpg")});
    QCOMPARE(json.exitCode, 1); // x.jpg cannot take T1.jpg
    const QJsonObject document = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QStringList told;
    for (const QJsonValue change : document["changes"].toArray())
        told << change["old"].toString() << change["new"].toString() << change["status"].toString()
             << change["reason"].toString();
    QCOMPARE(told, QStringList({dir.at("d/a.jpg"), dir.at("d/T1.jpg"), "planned", "",
                                dir.at("d/b.png"), dir.at("d/b.png"), "unchanged",
                                "suffix not selected", dir.at("e/x.jpg"), dir.at("e/T1.jpg"),
                                "conflict", "name taken by a file outside the request"}));
    QCOMPARE(document["summary"]["planned"].toInt(), 1);

    const CliRun text = cli({"replace", "--find", "a", "--with", "b", "--dry-run", dir.at("d")});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.contains(dir.at("d/a.jpg") + " -> " + dir.at("d/b.jpg") + '\n'));
    QVERIFY(text.out.contains(dir.at("d/b.png") + ": unchanged, no match\n"));
    QCOMPARE(snapshot(dir.path()), before);
}

void TestCli::badInputTouchesNothing_data()
{
    const QString folder = m_input.path();
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::addRow("option of the other command")
        << QStringList{"rename", "--text", "T", "--regexp", folder} << "Unknown option 'regexp'";
    QTest::addRow("path that does not exist")
        << QStringList{"rename", "--text", "T", folder, m_input.at("gone")}
        << "'" + m_input.at("gone") + "' does not exist";
    QTest::addRow("no path") << QStringList{"replace", "--find", "a", "--with", "b"}
                             << "replace needs at least one file or folder";
    QTest::addRow("empty text to find")
        << QStringList{"replace", "--find", "", "--with", "b", folder}
        << "the text to find is empty";
    QTest::addRow("invalid regular expression")
        << QStringList{"replace", "--find", "a(", "--with", "b", "--regexp", folder}
        << "'a(' is not a valid regular expression: ";
    QTest::addRow("pattern in the suffix")
        << QStringList{"replace", "--find", "a", "--with", "b", "--regexp", "--suffix", folder}
        << "--regexp and --suffix exclude each other";
}

void TestCli::badInputTouchesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CliRun run = cli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("tavrelo-cli: ") && run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(m_input.names(), QStringList({"a.jpg", "b.png"}));
}

void TestCli::undoAcrossFrontEnds()
{
    TestDir dir;
    const QStringList files{"a.jpg", "b.jpg", "z.jpg", "c.txt"};
    makeFiles(dir, files);
    m_journal = m_home.filePath("across");
    Journal journal(m_journal);

    // Renamed the way the window does it, undone from the command line.
    RenameOptions options;
    options.outputFormat = "T";
    options.listExtensions = QStringList{"jpg"};
    options.renameBy = 2;
    const BatchRun::Result renamed =
        BatchRun::carryOut(RenamePlan::make({dir.at("a.jpg"), dir.at("b.jpg")}, options).renames(),
                           Journal::Kind::Rename, {}, &journal);
    QCOMPARE(renamed.outcome.renamed, 2);
    CliRun run = cli({"undo"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(dir.at("T1.jpg") + " -> " + dir.at("a.jpg") + '\n'));
    verifyRenamed(dir, files, files);

    // Replaced from the command line over a file outside the request, undone
    // the way the window does it: the displaced file comes back from the trash.
    run = cli(
        {"replace", "--find", "a", "--with", "z", "--delete-if-exists", "--json", dir.at("a.jpg")});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject document = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(document["changes"][0]["status"].toString(), "renamed");
    QVERIFY(document["changes"][0]["reason"].toString().startsWith(
        "the file it replaced is in the trash: " + m_home.filePath("data/Trash/files/")));
    verifyRenamed(dir, files, {"z.jpg", "b.jpg", "", "c.txt"});
    const BatchRun::UndoResult undone =
        BatchRun::undo(journal, journal.newestUndoable().id, BatchExecutor::Options());
    QCOMPARE(undone.leftAlone, QStringList());
    QCOMPARE(undone.restored, 1);
    verifyRenamed(dir, files, files);

    run = cli({"history", "--json"});
    QCOMPARE(run.exitCode, 0);
    QStringList kinds;
    QList<bool> undoneFlags;
    for (const QJsonValue batch : QJsonDocument::fromJson(run.out.toUtf8())["batches"].toArray()) {
        kinds << batch["kind"].toString();
        undoneFlags << batch["undone"].toBool();
    }
    QCOMPARE(kinds, QStringList({"undo", "replace", "undo", "rename"}));
    QCOMPARE(undoneFlags, QList<bool>({false, true, false, true}));
    run = cli({"undo"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, "tavrelo-cli: nothing to undo.\n");
}

void TestCli::killedRunIsRecoveredAndUndone()
{
    TestDir dir;
    QStringList names;
    for (int i = 0; i < 4000; ++i)
        names << QString::asprintf("f%04d.jpg", i);
    makeFiles(dir, names);
    m_journal = m_home.filePath("killed");

    // Killed as soon as it tells its first progress, in the middle of its renames.
    QProcess process;
    QProcessEnvironment killedEnvironment = environment();
    killedEnvironment.insert("TAVRELO_CLI_PROGRESS", "1");
    process.setProcessEnvironment(killedEnvironment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    process.start(TAVRELO_CLI, {"rename", "--text", "T", "--order", "name", dir.path()});
    QVERIFY(process.waitForReadyRead(60000));
    process.kill();
    process.waitForFinished();
    if (process.exitStatus() == QProcess::NormalExit)
        QSKIP("the run ended before it could be killed");

    CliRun run = cli({"history", "--json"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("Renaming was cut off before its end."), qPrintable(run.err));
    const QJsonObject batch = QJsonDocument::fromJson(run.out.toUtf8())["batches"][0].toObject();
    QVERIFY(batch["finished"].isString());
    const int renamed = batch["renamed"].toInt();
    QVERIFY(renamed > 0 && renamed < names.size());

    // Every file under exactly one name, its old or its new one.
    QStringList now = names;
    int newNames = 0;
    for (int i = 0; i < names.size(); ++i) {
        const QString newName = QString::asprintf("T%04d.jpg", i + 1);
        if (QFile::exists(dir.at(newName))) {
            now[i] = newName;
            ++newNames;
        }
    }
    QCOMPARE(newNames, renamed);
    verifyRenamed(dir, names, now);

    run = cli({"undo"});
    QCOMPARE(run.exitCode, 0);
    verifyRenamed(dir, names, names);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

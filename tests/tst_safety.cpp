// Faults that lost, hid or mangled files, each replayed through the real
// command line, on the volume where it showed.
#include "filenames.h"
#include "testdir.h"
#include "testvolume.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
    // The JSON rows of the files, by the status the run gave them.
    QJsonArray files(const QString &status) const
    {
        QJsonArray rows;
        for (const QJsonValue &row : json().value("changes").toArray())
            if (row.toObject().value("status").toString() == status)
                rows.append(row);
        return rows;
    }
};

// Names as the folder holds them, in byte order, hidden ones too.
QList<QByteArray> namesIn(const QString &folder)
{
    QList<QByteArray> names;
    DIR *listing = ::opendir(QFile::encodeName(folder));
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray contentAt(const QByteArray &path)
{
    QFile file;
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return "(missing)";
    return file.readAll();
}

void writeAt(const QByteArray &path, const QByteArray &content)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, content.constData(), size_t(content.size())), content.size());
    ::close(fd);
}

} // namespace

class TestSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    CliRun cli(const QStringList &arguments, int timeoutMs = 30000)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_home.path());
        environment.insert("XDG_DATA_HOME", m_data);
        environment.insert("TAVRELO_JOURNAL_DIR", m_journal);
        environment.insert("LC_ALL", "C.UTF-8");
        process.setProcessEnvironment(environment);
        process.start(TAVRELO_CLI, arguments);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return {-2, QString(), QStringLiteral("tavrelo-cli did not end")};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString m_journal;
    QString m_data;

private slots:
    void init()
    {
        // A fresh journal for each case, so that undo takes back its batch.
        m_journal = m_home.filePath(QString("journal-%1").arg(++m_cases));
        m_data = m_home.filePath(QString("data-%1").arg(m_cases));
    }
    void volumeCasesHoldOnEveryVolume_data();
    void volumeCasesHoldOnEveryVolume();
    void refusedNamesStayWithTheirSentence_data();
    void refusedNamesStayWithTheirSentence();
    void previewAndRunAgreeOnSharedNames();
    void displacedFilesGoToTheTrashUnderTheirOwnName();
    void aTrashThatRefusesKeepsBothFiles();
    void aFullJournalDiskMovesNothing();
    void namesThatAreNotUtf8AreRenamedAndUndone();
    void leftAloneFilesKeepPathAndReasonApart();

private:
    int m_cases = 0;
};

// Undo, a case-only change and a file of the request beside its case twin,
// on each kind of volume a user's photos live on.
void TestSafety::volumeCasesHoldOnEveryVolume_data()
{
    QTest::addColumn<int>("kind");
    for (TestVolume::Kind kind : TestVolume::all())
        QTest::newRow(qPrintable(TestVolume::nameOf(kind))) << int(kind);
}

void TestSafety::volumeCasesHoldOnEveryVolume()
{
    QFETCH(int, kind);
    TestVolume volume{TestVolume::Kind(kind)};
    if (!volume.isMounted())
        QSKIP(qPrintable(volume.skipReason()));
    const QString folder = volume.path() + "/card";
    QVERIFY(QDir().mkpath(folder));
    const QByteArray root = QFile::encodeName(folder) + '/';
    for (int i = 1; i <= 5; ++i)
        writeAt(root + "Trip" + QByteArray::number(i) + ".JPG", "photo " + QByteArray::number(i));

    // Renamed and undone: the identity undo trusts holds on this volume.
    CliRun run = cli({"rename", "--text", "Holiday", "--order", "name", folder});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(namesIn(folder).size(), 5);
    QVERIFY(namesIn(folder).first().startsWith("Holiday"));
    run = cli({"undo", "--json"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(contentAt(root + "Trip3.JPG"), QByteArray("photo 3"));

    // A change of letter case only: the file is never in its own way.
    run = cli({"replace", "--find", "Trip", "--with", "trip", folder});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(contentAt(root + "trip5.JPG"), QByteArray("photo 5"));
    QVERIFY(!namesIn(folder).contains("Trip5.JPG"));
    QVERIFY2(cli({"undo"}).exitCode == 0, "undo of the case-only change");
    QVERIFY(namesIn(folder).contains("Trip5.JPG"));

    // PHOTO2.jpg would become PHOTO.jpg, which a volume that ignores case
    // sees as photo.jpg, a file of the request: nothing goes to the trash.
    writeAt(root + "photo.jpg", "mine");
    writeAt(root + "PHOTO2.jpg", "twin");
    run = cli({"replace", "--find", "2", "--with", "", "--delete-if-exists", "--json", folder});
    QCOMPARE(contentAt(root + "photo.jpg"), QByteArray("mine"));
    const bool ignoresCase = QFileInfo::exists(folder + "/PHOTO.JPG");
    if (ignoresCase) {
        QCOMPARE(contentAt(root + "PHOTO2.jpg"), QByteArray("twin"));
        for (const QJsonValue &row : run.files("renamed"))
            QVERIFY(!row.toObject().value("old").toString().endsWith("PHOTO2.jpg"));
    } else {
        QCOMPARE(contentAt(root + "PHOTO.jpg"), QByteArray("twin"));
    }
    QVERIFY(!QFileInfo::exists(volume.path() + "/.Trash-0"));
}

// A name the volume cannot hold stays, with the same sentence in the dry
// run and the run, and the file is untouched (a FAT driver deletes a file
// asked to take such a name).
void TestSafety::refusedNamesStayWithTheirSentence_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sentence");
    const QString colon = "does not allow ':'";
    addRow("colon on exFAT", int(TestVolume::Exfat), QString("Trip"), QString("a:b"),
           QString("Trip5.JPG"), colon);
    addRow("question mark on exFAT", int(TestVolume::Exfat), QString("rip"), QString("r?"),
           QString("Trip5.JPG"), QString("does not allow '?'"));
    addRow("colon on FAT", int(TestVolume::Vfat), QString("Trip"), QString("a:b"),
           QString("Trip5.JPG"), colon);
    addRow("trailing dot on NTFS", int(TestVolume::Ntfs), QString("JPG"), QString("JPG."),
           QString("Trip5.JPG"), QString("ending in a space or a dot"));
    addRow("empty name on ext4", int(TestVolume::Ext4), QString("(.*)"), QString(""),
           QString("b"), QString("not be a valid file name"));
    addRow("hidden name on ext4", int(TestVolume::Ext4), QString("(.*)"), QString(""),
           QString("a.jpg"), QString("start with a dot"));
    addRow("half an emoji on ext4", int(TestVolume::Ext4), QString("(.)(.*)"),
           QString("\\2\\1"), QString("😀01.jpg"), QString("cut a character in two"));
    addRow("too long on ext4", int(TestVolume::Ext4), QString("x"), QString("é"),
           QString(QString(250, 'x').left(126) + ".jpg"), QString("too long for this volume"));
}

void TestSafety::refusedNamesStayWithTheirSentence()
{
    QFETCH(int, kind);
    QFETCH(QString, find);
    QFETCH(QString, with);
    QFETCH(QString, file);
    QFETCH(QString, sentence);
    TestVolume volume{TestVolume::Kind(kind)};
    if (!volume.isMounted())
        QSKIP(qPrintable(volume.skipReason()));
    const QString folder = volume.path() + "/d";
    QVERIFY(QDir().mkpath(folder));
    writeAt(QFile::encodeName(folder + '/' + file), "kept");
    writeAt(QFile::encodeName(folder + "/other.txt"), "other");
    const bool regExp = find.contains('(');
    QStringList arguments{"replace", "--find", find, "--with", with, "--json", folder};
    if (regExp)
        arguments.insert(1, "--regexp");
    if (find == "JPG")
        arguments.insert(1, "--suffix");

    const CliRun dryRun = cli(arguments + QStringList{"--dry-run"});
    QString foreseen;
    for (const QJsonValue &row : dryRun.files("conflict"))
        if (row.toObject().value("old").toString().endsWith('/' + file))
            foreseen = row.toObject().value("reason").toString();
    QVERIFY2(foreseen.contains(sentence), qPrintable(dryRun.out));
    const CliRun run = cli(arguments);
    QVERIFY2(run.err.contains(sentence), qPrintable(run.err));
    QVERIFY(!run.err.contains("No such file"));
    QCOMPARE(contentAt(QFile::encodeName(folder + '/' + file)), QByteArray("kept"));
    // What moved is undone; what stayed never reached the journal.
    const CliRun undo = cli({"undo", "--json"});
    QVERIFY2(!undo.err.contains("cannot be undone"), qPrintable(undo.err));
    QCOMPARE(contentAt(QFile::encodeName(folder + "/other.txt")), QByteArray("other"));
}

// Two files wanting one name: the preview and the run both give it to the
// first and keep the second.
void TestSafety::previewAndRunAgreeOnSharedNames()
{
    TestDir dir;
    dir.file("a1.txt", "1");
    dir.file("a2.txt", "2");
    const QStringList arguments{"replace", "--regexp", "--find", "a\\d", "--with", "b", "--json",
                                dir.path()};
    const CliRun dryRun = cli(arguments + QStringList{"--dry-run"});
    QCOMPARE(dryRun.files("planned").size(), 1);
    QCOMPARE(dryRun.files("conflict").size(), 1);
    const CliRun run = cli(arguments);
    QCOMPARE(run.files("renamed").size(), 1);
    QCOMPARE(run.files("renamed")[0].toObject().value("old"),
             dryRun.files("planned")[0].toObject().value("old"));
    QCOMPARE(dir.names().size(), 2);
}

// The trash holds a displaced file under its own name, whatever its length
// or kind (a dangling link too), and undo brings it back; a set-aside name
// never takes one of the request.
void TestSafety::displacedFilesGoToTheTrashUnderTheirOwnName()
{
    TestDir dir;
    const QString tail(240, 'W');
    dir.file("a" + tail + ".txt", "new");
    dir.file("b" + tail + ".txt", "old");
    dir.file("c.txt", "c");
    QVERIFY(QFile::link("nowhere", dir.at("d.txt")));
    dir.file("c.txt.bak", "request's own");
    const CliRun run = cli({"replace", "--find", "a", "--with", "b", "--delete-if-exists",
                            "--json", dir.at("a" + tail + ".txt")},
                           20000);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(dir.content("b" + tail + ".txt"), QByteArray("new"));
    const QString trash = m_data + "/Trash";
    const QStringList trashed = QDir(trash + "/files").entryList(QDir::Files);
    QCOMPARE(trashed.size(), 1);
    QVERIFY(trashed.first().startsWith('b'));
    const QString info = QString::fromUtf8(
        readFile(trash + "/info/" + trashed.first() + ".trashinfo"));
    QVERIFY2(info.contains("Path=" + QUrl::toPercentEncoding(
                                         QFileInfo(dir.at("b" + tail + ".txt")).canonicalFilePath(), "/")),
             qPrintable(info));

    const CliRun link = cli({"replace", "--find", "c", "--with", "d", "--delete-if-exists",
                             dir.at("c.txt"), dir.at("c.txt.bak")});
    QVERIFY2(link.exitCode == 0, qPrintable(link.err));
    QCOMPARE(dir.content("d.txt"), QByteArray("c"));
    QCOMPARE(dir.content("d.txt.bak"), QByteArray("request's own"));
    QVERIFY(QFileInfo(trash + "/files/d.txt").isSymLink());

    QVERIFY(cli({"undo"}).exitCode == 0);
    QVERIFY(cli({"undo"}).exitCode == 0);
    QCOMPARE(dir.content("a" + tail + ".txt"), QByteArray("new"));
    QCOMPARE(dir.content("b" + tail + ".txt"), QByteArray("old"));
    QVERIFY(QFileInfo(dir.at("d.txt")).isSymLink());
    QCOMPARE(dir.content("c.txt.bak"), QByteArray("request's own"));
    QVERIFY(QDir(trash + "/files").isEmpty());
}

// Nothing is deleted without the user's word: where the trash cannot take
// the file in the way, both files stay.
void TestSafety::aTrashThatRefusesKeepsBothFiles()
{
    TestDir dir;
    dir.file("a.txt", "new");
    dir.file("b.txt", "old");
    QDir().mkpath(m_data);
    QFile blocker(m_data + "/Trash");
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the trash should be
    blocker.close();
    const CliRun run = cli({"replace", "--find", "a", "--with", "b", "--delete-if-exists",
                            dir.at("a.txt")});
    blocker.remove();
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("trash"), qPrintable(run.err));
    QCOMPARE(dir.content("a.txt"), QByteArray("new"));
    QCOMPARE(dir.content("b.txt"), QByteArray("old"));
}

// The plan is on disk, whole, before anything moves: a full disk under the
// journal stops the batch and says why.
void TestSafety::aFullJournalDiskMovesNothing()
{
    TestVolume disk(TestVolume::Tmpfs, 1);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.skipReason()));
    QFile filler(disk.path() + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    m_journal = disk.path() + "/journal";
    QDir().mkpath(m_journal);
    TestDir dir;
    for (int i = 0; i < 200; ++i)
        dir.file(QString("IMG_%1.jpg").arg(i), QByteArray::number(i));
    const QStringList before = dir.names();
    const CliRun run = cli({"replace", "--find", "IMG", "--with", "photo", dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("no space left on the disk that holds the journal"),
             qPrintable(run.err));
    QCOMPARE(dir.names(), before);
    QVERIFY(QDir(m_journal).entryList({"*.json"}, QDir::Files).isEmpty());
}

// A Latin-1 name from an old camera is renamed and undone by its bytes, and
// numbered like any other file.
void TestSafety::namesThatAreNotUtf8AreRenamedAndUndone()
{
    TestDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    writeAt(root + "caf\xe9 IMG_1.jpg", "latin");
    writeAt(root + "IMG_2.jpg", "plain");
    CliRun run = cli({"replace", "--find", "IMG", "--with", "photo", dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(contentAt(root + "caf\xe9 photo_1.jpg"), QByteArray("latin"));
    run = cli({"rename", "--text", "T", "--order", "name", "--json", dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.files("renamed").size(), 2);
    QVERIFY(cli({"undo"}).exitCode == 0);
    QVERIFY(cli({"undo"}).exitCode == 0);
    QCOMPARE(namesIn(dir.path()), (QList<QByteArray>{"IMG_2.jpg", "caf\xe9 IMG_1.jpg"}));
}

// A name holding ": " is reported whole, in the text and in the JSON.
void TestSafety::leftAloneFilesKeepPathAndReasonApart()
{
    TestDir dir;
    dir.file("a: b.txt", "mine");
    QVERIFY(cli({"replace", "--find", "a", "--with", "x", dir.path()}).exitCode == 0);
    QVERIFY(QFile::remove(dir.at("x: b.txt")));
    dir.file("x: b.txt", "a stranger, made after the batch");
    QTest::qWait(1100); // past the second of grace some volumes' clocks need
    const CliRun undo = cli({"undo", "--json"});
    const QJsonArray left = undo.files("left alone");
    QCOMPARE(left.size(), 1);
    QCOMPARE(left[0].toObject().value("old").toString(),
             QFileInfo(dir.at("x: b.txt")).canonicalFilePath());
}

QTEST_GUILESS_MAIN(TestSafety)
#include "tst_safety.moc"

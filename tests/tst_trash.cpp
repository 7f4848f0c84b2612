#include "filemoves.h"
#include "testdir.h"
#include "trash.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString uid = QString::number(::getuid());

// A file system mounted for one test and unmounted with it.
struct Mounted
{
    QString where;
    bool ok = false;

    Mounted(const QStringList &arguments, const QString &at) : where(at)
    {
        ok = QProcess::execute("mount", arguments + QStringList{where}) == 0;
    }
    ~Mounted()
    {
        if (ok)
            QProcess::execute("umount", {where});
    }
};

// A path with the links in its folder resolved, as the trash records it.
QString realPath(const QString &path)
{
    const QFileInfo file(path);
    return QFileInfo(file.absolutePath()).canonicalFilePath() + '/' + file.fileName();
}

QString infoPathOf(const QString &trashedPath)
{
    const QFileInfo trashed(trashedPath);
    return trashed.dir().absoluteFilePath("../info/" + trashed.fileName() + ".trashinfo");
}

// The info file's text, its deletion date replaced by "DATE" where it lies
// between since and now.
QByteArray infoTextOf(const QString &trashedPath, const QDateTime &since)
{
    QByteArray text = readFile(infoPathOf(trashedPath));
    const qsizetype at = text.indexOf("DeletionDate=") + 13;
    const QDateTime date = QDateTime::fromString(text.mid(at, 19), "yyyy-MM-ddThh:mm:ss");
    if (at >= 13 && date >= since.addMSecs(-1000) && date <= QDateTime::currentDateTime())
        text.replace(at, 19, "DATE");
    return text;
}

bool writeTo(const QString &path, const QByteArray &content = QByteArray())
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly)
           && file.write(content) == content.size();
}

// On a thread of its own, so that a moveIn that never returns fails the test
// with a message instead of stopping it.
bool moveInWithin(const QString &path, QString *trashedPath, QString *error)
{
    bool moved = false;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { moved = Trash::moveIn(path, trashedPath, error); }));
    thread->start();
    if (!thread->wait(10000))
        qFatal("Trash::moveIn did not return within ten seconds");
    return moved;
}

const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                     | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

} // namespace

// The desktop trash on real folders and real mounted volumes: where a file
// goes, under which name, what its info file says, and that it is found again.
class TestTrash : public QObject
{
    Q_OBJECT

    // A fresh data folder for every test: a home trash that starts empty.
    std::unique_ptr<QTemporaryDir> m_home;
    QString homeTrash() const { return m_home->filePath("data/Trash"); }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath("data")));
    }
    void homeTrashTakesItUnderAFreeName_data();
    void homeTrashTakesItUnderAFreeName();
    void longNameIsShortened_data();
    void longNameIsShortened();
    void everyNameTakenIsARefusal();
    void entryItselfMovesNeverAFolder_data();
    void entryItselfMovesNeverAFolder();
    void otherVolumeHasItsOwnTrash_data();
    void otherVolumeHasItsOwnTrash();
    void readOnlyVolumeHasNone_data();
    void readOnlyVolumeHasNone();
    void foundByPathAndDate();
    void forgetRemovesOnlyALeftInfo();
    void trashedFileIsToldByItsPath_data();
    void trashedFileIsToldByItsPath();
};

void TestTrash::homeTrashTakesItUnderAFreeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("leftInFiles");   // a file of that name in files/ without an info
    QTest::addColumn<QStringList>("names");  // in the trash, one per time it is trashed
    QTest::addColumn<QByteArray>("encoded"); // as the info's Path ends
    addRow("plain name", QString("photo.jpg"), false, QStringList{"photo.jpg"},
           QByteArray("photo.jpg"));
    addRow("blanks, percent, hash and accents", QString("Été 100% #x.txt"), false,
           QStringList{"Été 100% #x.txt"}, QByteArray("%C3%89t%C3%A9%20100%25%20%23x.txt"));
    addRow("taken, with a suffix", QString("a.txt"), false,
           QStringList{"a.txt", "a.2.txt", "a.3.txt"}, QByteArray("a.txt"));
    addRow("taken, hidden without a suffix", QString(".profile"), false,
           QStringList{".profile", ".profile.2"}, QByteArray(".profile"));
    addRow("taken in files/ without an info", QString("b.txt"), true, QStringList{"b.2.txt"},
           QByteArray("b.txt"));
}

void TestTrash::homeTrashTakesItUnderAFreeName()
{
    QFETCH(QString, name);
    QFETCH(bool, leftInFiles);
    QFETCH(QStringList, names);
    QFETCH(QByteArray, encoded);
    if (leftInFiles)
        QVERIFY(writeTo(homeTrash() + "/files/" + name));
    TestDir dir;
    const QString path = dir.at(name);
    for (int i = 0; i < names.size(); ++i) {
        dir.file(name, QByteArray::number(i));
        QCOMPARE(Trash::folderFor(path), homeTrash());
        const QDateTime before = QDateTime::currentDateTime();
        QString trashed, error;
        QVERIFY2(Trash::moveIn(path, &trashed, &error), qPrintable(error));
        QCOMPARE(trashed, homeTrash() + "/files/" + names[i]);
        QVERIFY(!pathExists(path));
        QCOMPARE(readFile(trashed), QByteArray::number(i));
        QCOMPARE(infoTextOf(trashed, before),
                 "[Trash Info]\nPath="
                     + QFile::encodeName(realPath(dir.path())).toPercentEncoding("/") + '/'
                     + encoded + "\nDeletionDate=DATE\n");
        QCOMPARE(Trash::originalPathOf(trashed), realPath(path));
    }
    if (!leftInFiles) {
        for (const char *folder : {"", "/files", "/info"})
            QCOMPARE(QFile::permissions(homeTrash() + folder), ownerOnly);
    }
}

void TestTrash::longNameIsShortened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix"); // kept by every name in the trash
    const QString x = QString(240, 'x');
    addRow("245 bytes, the longest kept whole", x + ".jpeg", QString(".jpeg"));
    addRow("250 bytes", x + "xxxxxx.jpg", QString(".jpg"));
    addRow("255 bytes", x + QString(11, 'x') + ".jpg", QString(".jpg"));
    addRow("255 bytes of three-byte letters", QString(85, QChar(0x20AC)), QString());
    addRow("255 bytes of four-byte letters and a suffix",
           QString(61, 'x').replace("x", "\U0001F600") + "yyyyyyy.txt", QString(".txt"));
    addRow("255 bytes with a suffix too long to keep", "a." + QString(253, 's'), QString());
}

void TestTrash::longNameIsShortened()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QVERIFY(QFile::encodeName(name).size() >= 245 && QFile::encodeName(name).size() <= 255);
    TestDir dir;
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.file(name, QByteArray::number(i));
        QString trashed, error;
        QVERIFY2(moveInWithin(path, &trashed, &error), qPrintable(error));
        const QString trashedName = QFileInfo(trashed).fileName();
        QVERIFY(QFile::encodeName(trashedName + ".trashinfo").size() <= 255);
        QVERIFY(QFileInfo::exists(infoPathOf(trashed)));
        if (i == 0 && QFile::encodeName(name).size() <= 245)
            QCOMPARE(trashedName, name);
        // Cut between whole characters: the start of the name, unchanged.
        QVERIFY2(trashedName.endsWith((i == 1 ? ".2" : "") + suffix), qPrintable(trashedName));
        const QString start = trashedName.chopped(suffix.size() + (i == 1 ? 2 : 0));
        QVERIFY2(name.startsWith(start) && QFile::encodeName(start).size() > 200,
                 qPrintable(trashedName));
        QCOMPARE(Trash::originalPathOf(trashed), realPath(path));
        QCOMPARE(readFile(trashed), QByteArray::number(i));
    }
}

void TestTrash::everyNameTakenIsARefusal()
{
    TestDir dir;
    const QString path = dir.file("a.txt", "a");
    QVERIFY(writeTo(homeTrash() + "/info/a.txt.trashinfo"));
    for (int i = 2; i <= 10000; ++i) {
        const QByteArray info =
            QFile::encodeName(homeTrash()) + "/info/a." + QByteArray::number(i) + ".txt.trashinfo";
        QVERIFY(::close(::open(info, O_WRONLY | O_CREAT, 0600)) == 0);
    }
    QString error;
    QVERIFY(!moveInWithin(path, nullptr, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(path), QByteArray("a"));
    QCOMPARE(QDir(homeTrash() + "/info").count(), 10000u + 2); // with . and ..
}

void TestTrash::entryItselfMovesNeverAFolder_data()
{
    QTest::addColumn<QString>("linkTo"); // relative; empty: "entry" is what "made" says
    QTest::addColumn<QString>("made");   // "folder", "nothing"
    QTest::addColumn<bool>("moved");
    addRow("dangling link", QString("nowhere"), QString(), true);
    addRow("link to a file", QString("target.txt"), QString(), true);
    addRow("link to a folder", QString("folder"), QString(), true);
    addRow("folder", QString(), QString("folder"), false);
    addRow("missing file", QString(), QString("nothing"), false);
}

void TestTrash::entryItselfMovesNeverAFolder()
{
    QFETCH(QString, linkTo);
    QFETCH(QString, made);
    QFETCH(bool, moved);
    TestDir dir;
    dir.file("target.txt", "target");
    dir.file("folder/inside.txt");
    if (made == "folder")
        dir.file("entry/inside.txt");
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    if (!linkTo.isEmpty())
        QVERIFY(QFile::link(dir.at(linkTo), dir.at("entry")));

    QString trashed, error;
    QCOMPARE(Trash::moveIn(dir.at("entry"), &trashed, &error), moved);
    if (moved) {
        QCOMPARE(QFileInfo(trashed).symLinkTarget(), dir.at(linkTo));
        QVERIFY(!pathExists(dir.at("entry")));
    } else {
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(homeTrash() + "/info"));
    }
    QCOMPARE(snapshot(dir.path()), before); // and what a link led to, untouched
}

void TestTrash::otherVolumeHasItsOwnTrash_data()
{
    QTest::addColumn<QString>("mount");  // "tmpfs", or "bind" for a bind mount of the home volume
    QTest::addColumn<QString>("before"); // a folder at the top: "name mode owner"
    QTest::addColumn<bool>("throughLink");
    QTest::addColumn<QString>("expected"); // the trash folder below the top; empty: refused
    const QString own = ".Trash-" + uid;
    addRow("no shared trash", QString("tmpfs"), QString(), false, own);
    addRow("given through a link to the volume", QString("tmpfs"), QString(), true, own);
    addRow("shared .Trash with the sticky bit", QString("tmpfs"), ".Trash 1777 " + uid, false,
           ".Trash/" + uid);
    addRow("shared .Trash without the sticky bit", QString("tmpfs"), ".Trash 777 " + uid, false,
           own);
    addRow("own trash folder owned by another user", QString("tmpfs"), own + " 700 4242", false,
           QString());
    // Same device as the home trash, but a rename cannot cross the mount.
    addRow("bind mount of the home volume", QString("bind"), QString(), false, own);
}

void TestTrash::otherVolumeHasItsOwnTrash()
{
    QFETCH(QString, mount);
    QFETCH(QString, before);
    QFETCH(bool, throughLink);
    QFETCH(QString, expected);
    TestDir dir;
    const QString top = dir.folder("volume");
    Mounted mounted(mount == "bind" ? QStringList{"--bind", dir.folder("source")}
                                    : QStringList{"-t", "tmpfs", "-o", "size=4m", "tavrelo"},
                    top);
    if (!mounted.ok)
        QSKIP("mounting a file system needs root or CAP_SYS_ADMIN; the home trash was tested");
    if (!before.isEmpty()) {
        const QStringList folder = before.split(' ');
        const QByteArray path = QFile::encodeName(top + '/' + folder[0]);
        QVERIFY(QDir(top).mkdir(folder[0]));
        QVERIFY(::chmod(path, folder[1].toUInt(nullptr, 8)) == 0);
        QVERIFY(::chown(path, folder[2].toUInt(), folder[2].toUInt()) == 0);
    }
    const QString original = dir.file("volume/sub/a.txt", "a");
    QVERIFY(QFile::link(top, dir.at("link")));
    const QString given = throughLink ? dir.at("link/sub/a.txt") : original;

    QString trashed, error;
    const QDateTime since = QDateTime::currentDateTime();
    QCOMPARE(Trash::folderFor(given), expected.isEmpty() ? QString() : top + '/' + expected);
    QCOMPARE(Trash::moveIn(given, &trashed, &error), !expected.isEmpty());
    if (expected.isEmpty()) {
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(original), QByteArray("a"));
        return;
    }
    QCOMPARE(trashed, top + '/' + expected + "/files/a.txt");
    QVERIFY(!pathExists(original));
    QCOMPARE(QFile::permissions(top + '/' + expected), ownerOnly);
    QCOMPARE(infoTextOf(trashed, since), "[Trash Info]\nPath=sub/a.txt\nDeletionDate=DATE\n");
    QCOMPARE(Trash::originalPathOf(trashed), original);
    QCOMPARE(Trash::findTrashed(given, since.toMSecsSinceEpoch()), QStringList{trashed});
    QVERIFY(!QFile::exists(homeTrash()));
}

void TestTrash::readOnlyVolumeHasNone_data()
{
    QTest::addColumn<bool>("trashMadeBefore");
    addRow("no trash folder yet", false);
    addRow("a trash folder made while it was writable", true);
}

void TestTrash::readOnlyVolumeHasNone()
{
    QFETCH(bool, trashMadeBefore);
    TestDir dir;
    const QString top = dir.folder("volume");
    Mounted mounted({"-t", "tmpfs", "-o", "size=4m", "tavrelo"}, top);
    if (!mounted.ok)
        QSKIP("mounting a file system needs root or CAP_SYS_ADMIN; the home trash was tested");
    const QString path = dir.file("volume/a.txt", "a");
    if (trashMadeBefore)
        QVERIFY(Trash::moveIn(dir.file("volume/b.txt"), nullptr, nullptr));
    QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", top}), 0);
    QCOMPARE(Trash::folderFor(path), QString());
    QString error;
    QVERIFY(!Trash::moveIn(path, nullptr, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(path), QByteArray("a"));
}

void TestTrash::foundByPathAndDate()
{
    TestDir dir;
    const QString a = dir.at("a.txt");
    // Two trashed by other programs, which write the file first.
    QStringList older;
    for (const char *date : {"2021-03-01T08:30:00", "2020-02-29T12:00:00"}) {
        older << homeTrash() + "/files/a." + date;
        QVERIFY(writeTo(older.last()));
        QVERIFY(
            writeTo(infoPathOf(older.last()), "[Trash Info]\nPath=" + QFile::encodeName(realPath(a))
                                                  + "\nDeletionDate=" + date + '\n'));
    }
    const qint64 since = QDateTime::currentMSecsSinceEpoch();
    QStringList trashed(2);
    for (QString &one : trashed) {
        dir.file("a.txt");
        QVERIFY(Trash::moveIn(a, &one, nullptr));
    }
    QString other;
    QVERIFY(Trash::moveIn(dir.file("b.txt"), &other, nullptr));

    // Within one second the order is the file system's: the first two as a set.
    const auto firstTwoSorted = [](QStringList list) {
        std::sort(list.begin(), list.begin() + qMin<qsizetype>(2, list.size()));
        return list;
    };
    trashed.sort();
    QCOMPARE(firstTwoSorted(Trash::findTrashed(a, since)), trashed);
    QCOMPARE(firstTwoSorted(Trash::findTrashed(a, 0)), trashed + older);
    // Deletion dates are whole seconds: the second "since" falls in counts whole.
    const QDateTime in2021 = QDateTime(QDate(2021, 3, 1), QTime(8, 30, 0, 500));
    QCOMPARE(Trash::findTrashed(a, in2021.toMSecsSinceEpoch()).mid(2), older.mid(0, 1));
    QCOMPARE(Trash::findTrashed(a, since + 2000), QStringList());
    QCOMPARE(Trash::findTrashed(dir.at("b.txt"), since), QStringList{other});
    // One taken out of the trash by hand is no longer found.
    QVERIFY(QFile::remove(trashed[1]));
    QCOMPARE(Trash::findTrashed(a, since), QStringList{trashed[0]});
}

void TestTrash::forgetRemovesOnlyALeftInfo()
{
    TestDir dir;
    const QString path = dir.file("a.txt", "a");
    QString trashed;
    QVERIFY(Trash::moveIn(path, &trashed, nullptr));
    Trash::forget(trashed); // still in the trash: its info stays
    QCOMPARE(Trash::originalPathOf(trashed), realPath(path));

    QVERIFY(renameNoReplace(trashed, path));
    Trash::forget(trashed);
    QCOMPARE(QDir(homeTrash() + "/info").entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(readFile(path), QByteArray("a"));
}

void TestTrash::trashedFileIsToldByItsPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("trashed");
    addRow("in the home trash", QString("/home/u/.local/share/Trash/files/a.txt"), true);
    addRow("in the user's trash at a volume's top", "/media/usb/.Trash-" + uid + "/files/a", true);
    addRow("in the shared trash at a volume's top", "/media/usb/.Trash/" + uid + "/files/a", true);
    addRow("in another user's trash", QString("/media/usb/.Trash-4242/files/a"), false);
    addRow("in another user's shared trash", QString("/media/usb/.Trash/4242/files/a"), false);
    addRow("in a look-alike folder", QString("/media/usb/.Trashcan/files/a"), false);
    addRow("an info file", QString("/home/u/.local/share/Trash/info/a.trashinfo"), false);
    addRow("relative", QString("Trash/files/a.txt"), false);
    addRow("leading out with ..", QString("/home/u/Trash/files/../../../etc/passwd"), false);
}

void TestTrash::trashedFileIsToldByItsPath()
{
    QFETCH(QString, path);
    QFETCH(bool, trashed);
    QCOMPARE(Trash::isTrashedFile(path), trashed);
}

QTEST_GUILESS_MAIN(TestTrash)
#include "tst_trash.moc"

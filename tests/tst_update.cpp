#include "startup.h"
#include "testsupport.h"
#include "update.h"
#include "updaterecord.h"

#include <QLabel>
#include <QNetworkReply>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

class TestUpdate : public QObject
{
    Q_OBJECT

    TestDir served;
    QProcess server;
    QString serverUrl;
    void publish(const QString &name, const QByteArray &b) { served.file("Tavrelo/dl/" + name, b); }

private slots:
    void initTestCase();
    void cleanupTestCase() { server.close(); } // kills it and waits
    void safeDownloadName();
    void check_data();
    void check();
    void checksTurnedOff();
    void downloadRetriesAndOverwrites();
};

struct Dialog
{
    Update window;
    QSignalSpy available{&window, &Update::updateIsAvailable};
    QPushButton *checkNow = window.findChild<QPushButton *>("pushCheckNow");
    QPushButton *download = window.findChild<QPushButton *>("pushDownload");
    QLabel *error = window.findChild<QLabel *>("labelError");
    QLabel *progress = window.findChild<QLabel *>("labelProgressBytes");

    QString text(const char *name) { return window.findChild<QLabel *>(name)->text(); }
    // Generous: a loaded machine under the sanitizers is slow; a hang still fails.
    bool waitIdle()
    {
        return QTest::qWaitFor([this] { return checkNow->isEnabled(); }, 30000);
    }
    // The red text holds part; an empty part: no red text.
    bool redWith(const QString &part)
    {
        const bool red = !error->isHidden() && error->text().startsWith("<font color='Red'>\n");
        return part.isEmpty() ? !red : red && error->text().contains(part);
    }
    // Clicks "Download" and picks folder in the folder dialog, or cancels it when empty.
    void downloadInto(const QString &folder)
    {
        if (folder.isEmpty())
            onNextModal([](QWidget *modal) { modal->close(); });
        else
            chooseInNextFileDialog(folder);
        download->click();
    }
};

void TestUpdate::initTestCase()
{
    setApplicationIdentity();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // Long enough for a loaded machine, short enough to wait for twice per case.
    Update::setTimeouts(1500, 2500);
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(TAVRELO_PYTHON3, {TAVRELO_UPDATE_SERVER, served.path()});
    QVERIFY(QTest::qWaitFor([this] { return server.canReadLine(); }));
    serverUrl = "http://127.0.0.1:" + server.readLine().mid(5).trimmed() + '/';
}

void TestUpdate::safeDownloadName()
{
    QVERIFY(isSafeDownloadName("T-1.1.3.exe") && isSafeDownloadName("...")
            && isSafeDownloadName(".t"));
    for (const char *name : {"../../.profile", "/tmp/evil.exe", "sub/evil.exe", "sub\\evil.exe",
                             "C:evil.exe", "", ".", ".."})
        QVERIFY2(!isSafeDownloadName(name), name);
}

// The first check runs unseen at construction; "Check now !" runs a second
// one. The status line tells what each found, or that it failed.
void TestUpdate::check_data()
{
    QTest::addColumn<QString>("server"); // how it misbehaves; empty: it does not
    QTest::addColumn<QString>("information");
    QTest::addColumn<QString>("second"); // what either check tells
    QTest::addColumn<QString>("error");  // part of the red text; empty: none
    const char *none = "The check failed.";
    const char *found = "New update available.";
    const char *noUpdate = "No updates available.";
    // A newer record, its notes with an empty line.
    const QString record = "113;1.1.3;T.exe;A__B";
    const QString large = QString(record + '\n').repeated(4000);
    addRow("same version", "", "112;1.1.2;T.exe;A", noUpdate, "");
    addRow("newer", "", record + '\n', found, "");
    addRow("1.10.0 is newer than 1.1.2", "", "1100;1.10.0;T.exe;A__B", found, "");
    addRow("1.1.10 is newer, whatever its key", "", "11;1.1.10;T.exe;A__B", found, "");
    addRow("1.0.9 is older, whatever its key", "", "9;1.0.9;T.exe;A__B", noUpdate, "");
    addRow("no dotted version: key 12 is newer than 112, as text", "", "12;beta;T.exe;A__B", found,
           "");
    addRow("last line only, fifth field ignored", "", "9;9;o;o\r\nx\n" + record + ";C\n", found,
           "");
    addRow("three fields", "", "113;1.1.3;T.exe", noUpdate, "");
    addRow("file name leaving the folder", "", "113;1.1.3;../../.profile;A", noUpdate,
           "The update information names no valid file");
    addRow("over 64 KiB, length announced", "", large, none, "larger than 64 KiB");
    addRow("over 64 KiB, no length", "unsized/", large, none, "larger than 64 KiB");
    addRow("server silent", "silent/", record, none,
           "The update server did not answer within 1.5 s");
    addRow("server trickling", "trickle/", record.repeated(3), none,
           "The update server did not send the update information within 2.5 s");
}

void TestUpdate::check()
{
    QFETCH(QString, server);
    QFETCH(QString, information);
    QFETCH(QString, second);
    QFETCH(QString, error);
    const bool found = second == "New update available.";
    Update::setBaseUrl(serverUrl + server);
    publish("update_win32.txt", information.toUtf8());
    Dialog d;
    QVERIFY(d.waitIdle());
    QVERIFY2(d.redWith(error), qPrintable(d.error->text()));
    QCOMPARE(d.text("labelDownload"), second);
    QVERIFY(d.available.count() == int(found) && d.download->isEnabled() == found);
    const QString shown = information.trimmed().split('\n').last().section(';', 1, 1);
    QCOMPARE(d.text("labelNewVers"), found ? shown : "");
    QCOMPARE(d.text("labelFilename"), found ? "T.exe" : "");
    QCOMPARE(d.text("labelWhatsnew"), found ? "A\n\nB\n" : "");
    d.checkNow->click();
    QVERIFY(d.waitIdle() && d.redWith(error));
    QCOMPARE(d.text("labelDownload"), second);
}

// A build without an update server never asks one.
void TestUpdate::checksTurnedOff()
{
    Update::setBaseUrl(QString());
    Dialog d;
    QCOMPARE(d.text("labelDownload"), "Update checks are turned off in this build.");
    QVERIFY(!d.checkNow->isEnabled() && !d.download->isEnabled());
    QVERIFY(d.window.findChildren<QNetworkReply *>().isEmpty());
}

// Failed checks, transfers and writes leave the chosen folder as it was;
// retries really run; a full disk is told in the system's words.
void TestUpdate::downloadRetriesAndOverwrites()
{
    Update::setBaseUrl(serverUrl);
    const QString name = "Tavrelo 1.1.3.exe";
    TestDir dir;
    dir.file("target/" + name, "an older copy");
    dir.file("blocked/" + name + "/keep.txt", "keep"); // a folder where the file would go
    const auto before = snapshot(dir.path());
    publish("update_win32.txt", "113;1.1.3;" + name.toUtf8() + ";A");
    Dialog d;
    QVERIFY(d.waitIdle() && d.redWith(""));
    d.downloadInto(QString());
    QVERIFY(d.checkNow->isEnabled() && d.download->isEnabled() && d.progress->isHidden());
    d.downloadInto(dir.at("target"));
    QVERIFY2(d.waitIdle() && d.redWith("File not found"), qPrintable(d.error->text()));
    const QByteArray program = QByteArray("0123456789abcdefghi").repeated(20000);
    publish(name, program);
    d.downloadInto(dir.at("blocked"));
    QVERIFY2(d.waitIdle() && d.redWith("Cannot save the download"), qPrintable(d.error->text()));
    QCOMPARE(snapshot(dir.path()), before);

    d.downloadInto(dir.at("target"));
    QVERIFY(!d.checkNow->isEnabled() && !d.progress->isHidden() && d.waitIdle());
    QCOMPARE(d.error->text(), "<font color='Blue'>Download done !</font>");
    QVERIFY(!d.error->isHidden() && d.progress->isHidden() && d.download->isEnabled());
    QCOMPARE(dir.names("target"), QStringList{name});
    QVERIFY(dir.content("target/" + name) == program);

    // An unknown total (-1) leaves the last figures shown.
    QMetaObject::invokeMethod(&d.window, "progress", Q_ARG(qint64, 524287), Q_ARG(qint64, 2097152));
    QMetaObject::invokeMethod(&d.window, "progress", Q_ARG(qint64, 1000), Q_ARG(qint64, -1));
    QCOMPARE(d.progress->text(), "511 ko downloaded on 2048 ko (~2 Mo) - 25.0% done");

    TestDir full;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tavrelo", full.path()}) != 0)
        QSKIP("mounting a small file system needs root; all else passed");
    const auto unmount = qScopeGuard([&full] { QProcess::execute("umount", {full.path()}); });
    d.downloadInto(full.path());
    QVERIFY2(d.waitIdle() && d.redWith("No space left on device"), qPrintable(d.error->text()));
    QCOMPARE(full.names(), QStringList());
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"

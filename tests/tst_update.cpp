#include "startup.h"
#include "testsupport.h"
#include "update.h"
#include "updaterecord.h"

#include <QFileDialog>
#include <QLabel>
#include <QNetworkReply>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { Update::setBaseUrl(serverUrl); }
    void cleanupTestCase()
    {
        server.kill();
        server.waitForFinished();
    }
    void safeDownloadName();
    void check_data();
    void check();
    void checksTurnedOff();
    void downloadRetriesAndOverwrites();
    void downloadIntoFullDisk();

private:
    void publish(const QString &name, const QByteArray &b) { served.file("Tavrelo/dl/" + name, b); }

    TestDir served;
    QProcess server;
    QString serverUrl;
};

struct Dialog
{
    Update window;
    QSignalSpy available{&window, &Update::updateIsAvailable};
    QPushButton *checkNow = window.findChild<QPushButton *>(QStringLiteral("pushCheckNow"));
    QPushButton *download = window.findChild<QPushButton *>(QStringLiteral("pushDownload"));
    QLabel *error = window.findChild<QLabel *>(QStringLiteral("labelError"));
    QLabel *progress = window.findChild<QLabel *>(QStringLiteral("labelProgressBytes"));

    QString text(const char *name) { return window.findChild<QLabel *>(name)->text(); }
    bool waitIdle()
    {
        // Generous: a loaded machine under the sanitizers is slow; a hang still fails.
        return QTest::qWaitFor([this] { return checkNow->isEnabled(); }, 30000);
    }
    bool checkAgain()
    {
        checkNow->click();
        return waitIdle();
    }
    bool red() { return !error->isHidden() && error->text().startsWith("<font color='Red'>\n"); }
    // Clicks "Download" and picks folder in the folder dialog, or cancels it when empty.
    void downloadInto(const QString &folder)
    {
        onNextModal([folder](QWidget *modal) {
            auto *chooser = qobject_cast<QFileDialog *>(modal);
            if (chooser && !folder.isEmpty()) {
                chooser->setDirectory(folder);
                static_cast<QDialog *>(chooser)->accept();
            } else {
                modal->close();
            }
            QCOMPARE(modal->windowTitle(), QStringLiteral("Save file"));
        });
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
    server.start(QStringLiteral(TAVRELO_PYTHON3),
                 {QStringLiteral(TAVRELO_UPDATE_SERVER), served.path()});
    QVERIFY(QTest::qWaitFor([this] { return server.canReadLine(); }));
    const QRegularExpressionMatch port = QRegularExpression(QStringLiteral("port (\\d+)"))
                                             .match(QString::fromUtf8(server.readLine()));
    QVERIFY(port.hasMatch());
    serverUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port.captured(1));
}

void TestUpdate::safeDownloadName()
{
    for (const char *name : {"Tavrelo-1.1.3.exe", "...", ".tavrelo"})
        QVERIFY2(isSafeDownloadName(QString::fromUtf8(name)), name);
    for (const char *name : {"../../.profile", "/tmp/evil.exe", "sub/evil.exe", "sub\\evil.exe",
                             "C:evil.exe", "", ".", ".."})
        QVERIFY2(!isSafeDownloadName(QString::fromUtf8(name)), name);
}

// The first check runs unseen at construction and only speaks of a newer
// version; "Check now !" runs a second one that also reports a missing update.
void TestUpdate::check_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QByteArray>("information");
    QTest::addColumn<QString>("newVersion"); // empty: no update found
    QTest::addColumn<QString>("whatsNew");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("error"); // part of the red text; empty: none
    const QString none = QStringLiteral("Not checked...");
    const QString found = QStringLiteral("New update available.");
    const QString noUpdate = QStringLiteral("No updates available.");
    const QString files = QStringLiteral("plain");
    const QByteArray large = QByteArray("113;1.1.3;T.exe;A\n").repeated(4000);
    addRow("same version", files, QByteArray("112;1.1.2;T.exe;A"), "", "", noUpdate, "");
    addRow("newer, notes with an empty line", files, QByteArray("113;1.1.3;T.exe;A__B\n"), "1.1.3",
           "A\n\nB\n", found, "");
    addRow("key 12 is newer than 112", files, QByteArray("12;1.2;T.exe;A"), "1.2", "A\n", found,
           "");
    addRow("key 1100 is not newer", files, QByteArray("1100;1.10;T.exe;A"), "", "", noUpdate, "");
    addRow("last line only, fifth field ignored", files,
           QByteArray("9;9;o;o\r\nx\n113;1;T.exe;A;B\n"), "1", "A\n", found, "");
    addRow("three fields", files, QByteArray("113;1.1.3;T.exe"), "", "", noUpdate, "");
    addRow("blank last line", files, QByteArray("113;1.1.3;T.exe;A\n\n"), "", "", noUpdate, "");
    addRow("file name leaving the folder", files, QByteArray("113;1.1.3;../../.profile;A"), "", "",
           noUpdate, "The update information names no valid file");
    addRow("connection refused", QStringLiteral("closed port"), QByteArray("113;1.1.3;T.exe;A"), "",
           "", none, "Connection refused");
    addRow("over 64 KiB, length announced", files, large, "", "", none,
           "larger than 64 KiB and was refused");
    addRow("over 64 KiB, no length", QStringLiteral("unsized"), large, "", "", none,
           "larger than 64 KiB and was refused");
    addRow("server silent", QStringLiteral("silent"), QByteArray("113;1.1.3;T.exe;A"), "", "", none,
           "The update server did not answer within 1.5 s");
    addRow("server trickling", QStringLiteral("trickle"),
           QByteArray("113;1.1.3;T.exe;A").repeated(3), "", "", none,
           "The update server did not send the update information within 2.5 s");
}

void TestUpdate::check()
{
    QFETCH(QString, server);
    QFETCH(QString, newVersion);
    QFETCH(QString, error);
    const bool found = !newVersion.isEmpty();
    QTcpServer closed; // refuses connections once closed
    if (server == QStringLiteral("closed port") && closed.listen(QHostAddress::LocalHost))
        Update::setBaseUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
    else if (server != QStringLiteral("plain"))
        Update::setBaseUrl(serverUrl + server + QLatin1Char('/'));
    closed.close();
    QFETCH(QByteArray, information);
    publish(QStringLiteral("update_win32.txt"), information);
    Dialog d;
    QVERIFY(d.waitIdle());
    QCOMPARE(d.text("labelDownload"),
             found ? QStringLiteral("New update available.") : QStringLiteral("Not checked..."));
    QCOMPARE(d.red(), !error.isEmpty());
    QVERIFY2(d.error->text().contains(error), qPrintable(d.error->text()));
    QCOMPARE(d.available.count(), int(found));
    QCOMPARE(d.download->isEnabled(), found);
    QCOMPARE(d.text("labelNewVers"), newVersion);
    QCOMPARE(d.text("labelFilename"), found ? QStringLiteral("T.exe") : QString());
    QTEST(d.text("labelWhatsnew"), "whatsNew");
    QVERIFY(d.checkAgain());
    QTEST(d.text("labelDownload"), "second");
    QCOMPARE(d.red(), !error.isEmpty());
}

// A build without an update server never asks one.
void TestUpdate::checksTurnedOff()
{
    Update::setBaseUrl(QString());
    Dialog d;
    QTest::qWait(50);
    QCOMPARE(d.text("labelDownload"),
             QStringLiteral("Update checks are turned off in this build."));
    QVERIFY(!d.checkNow->isEnabled() && !d.download->isEnabled());
    QVERIFY(d.window.findChildren<QNetworkReply *>().isEmpty());
}

// Failed checks, transfers and writes leave the chosen folder as it was; retries really run.
void TestUpdate::downloadRetriesAndOverwrites()
{
    const QString name = QStringLiteral("Tavrelo 1.1.3.exe");
    TestDir target;
    target.file(name, "an older copy");
    TestDir blocked;
    blocked.file(name + QStringLiteral("/keep.txt"), "keep");
    QFile::remove(served.at(QStringLiteral("Tavrelo/dl/update_win32.txt")));
    Dialog d;
    QVERIFY(d.waitIdle() && d.red()); // 404

    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;" + name.toUtf8() + ";A");
    QVERIFY(d.checkAgain());
    QVERIFY(d.error->isHidden());
    d.downloadInto(QString());
    QVERIFY(d.checkNow->isEnabled() && d.download->isEnabled() && d.progress->isHidden());
    d.downloadInto(target.path());
    QVERIFY(d.waitIdle() && d.red()); // 404
    QCOMPARE(target.names(), QStringList{name});
    QCOMPARE(target.content(name), QByteArray("an older copy"));

    const QByteArray program = QByteArray("0123456789abcdefghi").repeated(20000);
    publish(name, program);
    d.downloadInto(blocked.path());
    QVERIFY(d.waitIdle() && d.red());
    QCOMPARE(blocked.names(), QStringList{name});
    QCOMPARE(blocked.names(name), QStringList{QStringLiteral("keep.txt")});

    d.downloadInto(target.path());
    QVERIFY(!d.checkNow->isEnabled() && !d.progress->isHidden());
    QVERIFY(d.waitIdle());
    QCOMPARE(d.error->text(), QStringLiteral("<font color='Blue'>Download done !</font>"));
    QVERIFY(!d.error->isHidden() && d.progress->isHidden() && d.download->isEnabled());
    QCOMPARE(target.names(), QStringList{name});
    QVERIFY(target.content(name) == program);

    // An unknown total (-1) leaves the last figures shown.
    QMetaObject::invokeMethod(&d.window, "progress", Q_ARG(qint64, 524287), Q_ARG(qint64, 2097152));
    QMetaObject::invokeMethod(&d.window, "progress", Q_ARG(qint64, 1000), Q_ARG(qint64, -1));
    QCOMPARE(d.progress->text(),
             QStringLiteral("511 ko downloaded on 2048 ko (~2 Mo) - 25.0% done"));
}

// A real small file system, filled by the download: the user reads the system's reason.
void TestUpdate::downloadIntoFullDisk()
{
    TestDir full;
    struct Mount
    {
        QString path;
        bool done =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tavrelo-test"), path})
            == 0;
        ~Mount()
        {
            if (done)
                QProcess::execute(QStringLiteral("umount"), {path});
        }
    } mount{full.path()};
    if (!mount.done)
        QSKIP("mounting a small file system needs root");

    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;big.exe;A");
    publish(QStringLiteral("big.exe"), QByteArray(400000, 'x'));
    Dialog d;
    QVERIFY(d.waitIdle() && d.download->isEnabled());
    d.downloadInto(full.path());
    QVERIFY(d.waitIdle() && d.red());
    QVERIFY2(d.error->text().contains(QStringLiteral("No space left on device")),
             qPrintable(d.error->text()));
    QCOMPARE(full.names(), QStringList());
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"

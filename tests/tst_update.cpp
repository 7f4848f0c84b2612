#include "startup.h"
#include "testsupport.h"
#include "update.h"
#include "updaterecord.h"

#include <QFileDialog>
#include <QLabel>
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
    void record_data();
    void record();
    void safeDownloadName();
    void check_data();
    void check();
    void downloadRetriesAndOverwrites();

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
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral(TAVRELO_PYTHON3),
                 QStringLiteral("-u -m http.server 0 --bind 127.0.0.1 --directory").split(u' ')
                     << served.path());
    QVERIFY(QTest::qWaitFor([this] { return server.canReadLine(); }));
    const QRegularExpressionMatch port = QRegularExpression(QStringLiteral(" port (\\d+) "))
                                             .match(QString::fromUtf8(server.readLine()));
    QVERIFY(port.hasMatch());
    serverUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port.captured(1));
}

// The fields joined by "|", the last one as the dialog shows it; short records are blank.
void TestUpdate::record_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("newer");
    QTest::addColumn<QString>("fields");
    QTest::newRow("113") << QByteArray("113;1.1.3;a;F_S") << true << "113|1.1.3|a|F\nS\n";
    QTest::newRow("12") << QByteArray("12;1.2;a;A__B") << true << "12|1.2|a|A\n\nB\n";
    QTest::newRow("1100") << QByteArray("1100;1.10;a;A") << false << "1100|1.10|a|A\n";
    QTest::newRow("equal") << QByteArray("112;1.1.2;a;A") << false << "112|1.1.2|a|A\n";
    QTest::newRow("last") << QByteArray("9;9;o;o\r\nx\n113;1;a;A;B\n") << true << "113|1|a|A\n";
    QTest::newRow("short") << QByteArray("113;1.1.3;a") << false << "|||\n";
    QTest::newRow("blank end") << QByteArray("113;1.1.3;a;A\n\n") << false << "|||\n";
}

void TestUpdate::record()
{
    QFETCH(QByteArray, bytes);
    const UpdateRecord r = UpdateRecord::fromInformationFile(bytes);
    QTEST(r.isNewerThan(versionKeyOf(QStringLiteral("1.1.2"))), "newer");
    const QStringList fields{r.versionKey, r.versionShown, r.fileName, whatsNewText(r.whatsNew)};
    QTEST(fields.join(u'|'), "fields");
}

void TestUpdate::safeDownloadName()
{
    for (const char *name : {"Tavrelo-1.1.3.exe", "...", ".tavrelo"})
        QVERIFY2(isSafeDownloadName(QString::fromUtf8(name)), name);
    for (const char *name : {"../../.profile", "/tmp/evil.exe", "sub/evil.exe", "sub\\evil.exe",
                             "C:evil.exe", "", ".", ".."})
        QVERIFY2(!isSafeDownloadName(QString::fromUtf8(name)), name);
}

// The first check runs unseen at construction; "Check now !" reports a missing update.
void TestUpdate::check_data()
{
    QTest::addColumn<QByteArray>("information");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("red");
    const QString none = QStringLiteral("Not checked...");
    const QString found = QStringLiteral("New update available.");
    const QString noUpdate = QStringLiteral("No updates available.");
    QTest::newRow("equal") << QByteArray("112;1.1.2;T.exe;A") << none << noUpdate << false;
    QTest::newRow("newer") << QByteArray("113;1.1.3;T.exe;A__B\n") << found << found << false;
    QTest::newRow("refused") << QByteArray() << none << none << true;
    QTest::newRow("unsafe") << QByteArray("113;1.1.3;../../.profile;A") << none << noUpdate << true;
}

void TestUpdate::check()
{
    QFETCH(QByteArray, information);
    const bool found = QByteArray(QTest::currentDataTag()) == "newer";
    QTcpServer closed; // refuses connections once closed
    if (information.isEmpty() && closed.listen(QHostAddress::LocalHost))
        Update::setBaseUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
    closed.close();
    publish(QStringLiteral("update_win32.txt"), information);
    Dialog d;
    QVERIFY(d.waitIdle());
    QTEST(d.text("labelDownload"), "first");
    QTEST(d.red(), "red");
    QCOMPARE(d.available.count(), int(found));
    QCOMPARE(d.download->isEnabled(), found);
    QCOMPARE(d.text("labelNewVers"), found ? QStringLiteral("1.1.3") : QString());
    QCOMPARE(d.text("labelFilename"), found ? QStringLiteral("T.exe") : QString());
    QCOMPARE(d.text("labelWhatsnew"), found ? QStringLiteral("A\n\nB\n") : QString());
    QVERIFY(d.checkAgain());
    QTEST(d.text("labelDownload"), "second");
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
    QCOMPARE(target.content(name), QByteArray("an older copy"));

    const QByteArray program = QByteArray("0123456789abcdefghi").repeated(20000);
    publish(name, program);
    d.downloadInto(blocked.path());
    QVERIFY(d.waitIdle() && d.red());
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

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"

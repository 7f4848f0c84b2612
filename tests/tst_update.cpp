#include "startup.h"
#include "testsupport.h"
#include "update.h"
#include "updaterecord.h"

#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <memory>

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void recordParsing_data();
    void recordParsing();
    void versionOrder_data();
    void versionOrder();
    void whatsNew_data();
    void whatsNew();
    void plainFileName_data();
    void plainFileName();
    void progressText();

    void equalKeyIsSilentFirstThenReported();
    void checkFillsDialog_data();
    void checkFillsDialog();
    void foundUpdateStaysFound();
    void progressDisplay();
    void redError_data();
    void redError();
    void downloadOverwritesInChosenFolder();
    void cancellingFolderDialogChangesNothing();
    void unsafeFileNameOffersNoDownload_data();
    void unsafeFileNameOffersNoDownload();
    void unwritableTargetShowsErrorAndLeavesNoFile_data();
    void unwritableTargetShowsErrorAndLeavesNoFile();
    void retryAfterFailureReallyRetries();
    void nothingWrittenInCurrentDirectory();

private:
    void publish(const QString &name, const QByteArray &content);
    void unpublish(const QString &name);
    // Constructs the dialog against the local server and waits for its first check.
    std::unique_ptr<Update> openDialog();
    static void checkAgain(Update &dialog);
    static void answerFolderDialog(const QString &folder, QString *caption = nullptr);

    std::unique_ptr<TestDir> served;
    QProcess server;
    QString serverUrl;
};

template <typename T> static T *child(QObject &parent, const char *name)
{
    return parent.findChild<T *>(QLatin1String(name));
}

static QString text(QObject &parent, const char *name)
{
    return child<QLabel>(parent, name)->text();
}

void TestUpdate::initTestCase()
{
    setApplicationIdentity();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

    served = std::make_unique<TestDir>();
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral(TAVRELO_PYTHON3),
                 {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                  QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                  QStringLiteral("--directory"), served->path()});
    QVERIFY2(server.waitForStarted(), qPrintable(server.errorString()));
    while (!server.canReadLine())
        QVERIFY2(server.waitForReadyRead(10000), "the HTTP server printed nothing");
    const QString banner = QString::fromUtf8(server.readLine());
    const QRegularExpressionMatch port =
        QRegularExpression(QStringLiteral(" port (\\d+) ")).match(banner);
    QVERIFY2(port.hasMatch(), qPrintable(banner));
    serverUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port.captured(1));
}

void TestUpdate::init()
{
    served->folder(QStringLiteral("Tavrelo/dl"));
    const QStringList names = served->names(QStringLiteral("Tavrelo/dl"));
    for (const QString &name : names)
        QFile::remove(served->at(QStringLiteral("Tavrelo/dl/") + name));
    Update::setBaseUrl(serverUrl);
}

void TestUpdate::cleanupTestCase()
{
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    server.waitForFinished();
}

void TestUpdate::publish(const QString &name, const QByteArray &content)
{
    served->file(QStringLiteral("Tavrelo/dl/") + name, content);
}

void TestUpdate::unpublish(const QString &name)
{
    QFile::remove(served->at(QStringLiteral("Tavrelo/dl/") + name));
}

std::unique_ptr<Update> TestUpdate::openDialog()
{
    auto dialog = std::make_unique<Update>();
    auto *checkNow = child<QPushButton>(*dialog, "pushCheckNow");
    if (!QTest::qWaitFor([checkNow] { return checkNow->isEnabled(); }, 10000))
        qWarning("the first check did not end");
    return dialog;
}

void TestUpdate::checkAgain(Update &dialog)
{
    auto *checkNow = child<QPushButton>(dialog, "pushCheckNow");
    checkNow->click();
    QVERIFY(!checkNow->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(checkNow->isEnabled(), 10000);
}

void TestUpdate::answerFolderDialog(const QString &folder, QString *caption)
{
    onNextModal([folder, caption](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        if (caption)
            *caption = dialog->windowTitle();
        if (folder.isEmpty()) {
            dialog->reject();
        } else {
            dialog->setDirectory(folder);
            static_cast<QDialog *>(dialog)->accept();
        }
    });
}

// Pure decisions

void TestUpdate::recordParsing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("whatsNew");

    QTest::newRow("well formed") << QByteArray("113;1.1.3;Tavrelo-1.1.3.exe;Faster_Safer") << true
                                 << "113"
                                 << "1.1.3"
                                 << "Tavrelo-1.1.3.exe"
                                 << "Faster_Safer";
    QTest::newRow("only the last line counts")
        << QByteArray("999;9.9.9;old.exe;old\r\nrubbish\n113;1.1.3;new.exe;new\n") << true << "113"
        << "1.1.3"
        << "new.exe"
        << "new";
    QTest::newRow("fields after the fourth ignored")
        << QByteArray("113;1.1.3;a.exe;b;extra;more") << true << "113"
        << "1.1.3"
        << "a.exe"
        << "b";
    QTest::newRow("empty fields kept") << QByteArray(";;;") << true << ""
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("three fields") << QByteArray("113;1.1.3;a.exe") << false << ""
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("one field") << QByteArray("113") << false << ""
                               << ""
                               << ""
                               << "";
    QTest::newRow("empty file") << QByteArray() << false << ""
                                << ""
                                << ""
                                << "";
    QTest::newRow("blank last line") << QByteArray("113;1.1.3;a.exe;b\n\n") << false << ""
                                     << ""
                                     << ""
                                     << "";
}

void TestUpdate::recordParsing()
{
    QFETCH(QByteArray, bytes);
    const UpdateRecord record = UpdateRecord::fromInformationFile(bytes);
    QTEST(record.isComplete(), "complete");
    QTEST(record.versionKey, "key");
    QTEST(record.versionShown, "shown");
    QTEST(record.fileName, "fileName");
    QTEST(record.whatsNew, "whatsNew");
}

void TestUpdate::versionOrder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("newer");
    QTest::newRow("113") << "113" << true;
    QTest::newRow("12 against 112") << "12" << true;
    QTest::newRow("1100 against 112") << "1100" << false;
    QTest::newRow("equal") << "112" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("older") << "111" << false;
}

void TestUpdate::versionOrder()
{
    QFETCH(QString, key);
    QCOMPARE(versionKeyOf(QStringLiteral("1.1.2")), QStringLiteral("112"));
    QTEST(isNewerVersion(key, QStringLiteral("112")), "newer");
    const UpdateRecord complete{key, QString(), QString(), QString(), true};
    QTEST(complete.isNewerThan(QStringLiteral("112")), "newer");
    const UpdateRecord shortRecord{key, QString(), QString(), QString(), false};
    QVERIFY(!shortRecord.isNewerThan(QStringLiteral("112")));
}

void TestUpdate::whatsNew_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two notes") << "Faster_Safer"
                               << "Faster\nSafer\n";
    QTest::newRow("double underscore") << "Faster__Safer"
                                       << "Faster\n\nSafer\n";
    QTest::newRow("one note") << "Faster"
                              << "Faster\n";
    QTest::newRow("empty") << ""
                           << "\n";
}

void TestUpdate::whatsNew()
{
    QFETCH(QString, field);
    QTEST(whatsNewText(field), "expected");
}

void TestUpdate::plainFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("program") << "Tavrelo-1.1.3.exe" << true;
    QTest::newRow("leading dot") << ".tavrelo" << true;
    QTest::newRow("three dots") << "..." << true;
    QTest::newRow("climbs out") << "../../.profile" << false;
    QTest::newRow("absolute") << "/tmp/evil.exe" << false;
    QTest::newRow("slash") << "sub/evil.exe" << false;
    QTest::newRow("backslash") << "sub\\evil.exe" << false;
    QTest::newRow("drive") << "C:evil.exe" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("line feed") << "evil\n.exe" << false;
}

void TestUpdate::plainFileName()
{
    QFETCH(QString, name);
    QTEST(isSafeDownloadName(name), "plain");
}

void TestUpdate::progressText()
{
    const QString on = QStringLiteral(" ko downloaded on ");
    const QString done = QStringLiteral("% done");
    QCOMPARE(::progressText(524288, 2097152, on, done),
             QStringLiteral("512 ko downloaded on 2048 ko (~2 Mo) - 25.0% done"));
    QCOMPARE(::progressText(1023, 3000, on, done),
             QStringLiteral("0 ko downloaded on 2 ko (~0 Mo) - 34.1% done"));
    QCOMPARE(::progressText(0, 0, on, done),
             QStringLiteral("0 ko downloaded on 0 ko (~0 Mo) - 100.0% done"));
}

// The dialog against a real server

void TestUpdate::equalKeyIsSilentFirstThenReported()
{
    publish(QStringLiteral("update_win32.txt"), "112;1.1.2;Tavrelo-1.1.2.exe;Same");
    auto dialog = openDialog();
    QSignalSpy available(dialog.get(), &Update::updateIsAvailable);
    QCOMPARE(text(*dialog, "labelCurrentVers"), QStringLiteral("1.1.2"));
    QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("Not checked..."));
    QVERIFY(child<QLabel>(*dialog, "labelError")->isHidden());

    checkAgain(*dialog);
    QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("No updates available."));
    QVERIFY(!child<QPushButton>(*dialog, "pushDownload")->isEnabled());
    QCOMPARE(available.count(), 0);
}

void TestUpdate::checkFillsDialog_data()
{
    QTest::addColumn<QByteArray>("information");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("newVersion");
    QTest::addColumn<QString>("whatsNew");

    QTest::newRow("113") << QByteArray("113;1.1.3;Tavrelo.exe;Faster_Safer\n") << true << "1.1.3"
                         << "Faster\nSafer\n";
    QTest::newRow("12 is newer than 112") << QByteArray("12;1.2;Tavrelo.exe;A__B") << true << "1.2"
                                          << "A\n\nB\n";
    QTest::newRow("1100 is not") << QByteArray("1100;1.10.0;Tavrelo.exe;A") << false << ""
                                 << "";
    QTest::newRow("earlier lines ignored")
        << QByteArray("999;9.9.9;Old.exe;Old\n100;1.0.0;Tavrelo.exe;A\n") << false << ""
        << "";
    QTest::newRow("last line counts")
        << QByteArray("100;1.0.0;Old.exe;Old\n113;1.1.3;Tavrelo.exe;A\n") << true << "1.1.3"
        << "A\n";
    QTest::newRow("extra fields") << QByteArray("113;1.1.3;Tavrelo.exe;A;B;C") << true << "1.1.3"
                                  << "A\n";
    QTest::newRow("short record") << QByteArray("113;1.1.3") << false << ""
                                  << "";
    QTest::newRow("empty file") << QByteArray() << false << ""
                                << "";
}

void TestUpdate::checkFillsDialog()
{
    QFETCH(QByteArray, information);
    QFETCH(bool, found);
    publish(QStringLiteral("update_win32.txt"), information);
    Update dialog;
    QSignalSpy available(&dialog, &Update::updateIsAvailable);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "pushCheckNow")->isEnabled(), 10000);

    QCOMPARE(available.count(), found ? 1 : 0);
    QCOMPARE(child<QPushButton>(dialog, "pushDownload")->isEnabled(), found);
    QCOMPARE(text(dialog, "labelDownload"),
             found ? QStringLiteral("New update available.") : QStringLiteral("Not checked..."));
    QTEST(text(dialog, "labelNewVers"), "newVersion");
    QCOMPARE(text(dialog, "labelFilename"), found ? QStringLiteral("Tavrelo.exe") : QString());
    QTEST(text(dialog, "labelWhatsnew"), "whatsNew");
    QVERIFY(child<QLabel>(dialog, "labelError")->isHidden());
}

void TestUpdate::foundUpdateStaysFound()
{
    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;First.exe;One");
    publish(QStringLiteral("First.exe"), "first program");
    auto dialog = openDialog();
    QSignalSpy available(dialog.get(), &Update::updateIsAvailable);
    QCOMPARE(text(*dialog, "labelFilename"), QStringLiteral("First.exe"));

    publish(QStringLiteral("update_win32.txt"), "100;1.0.0;Later.exe;Two_Three");
    checkAgain(*dialog);
    QCOMPARE(available.count(), 1);
    QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("New update available."));
    QCOMPARE(text(*dialog, "labelNewVers"), QStringLiteral("1.0.0"));
    QCOMPARE(text(*dialog, "labelFilename"), QStringLiteral("Later.exe"));
    QCOMPARE(text(*dialog, "labelWhatsnew"), QStringLiteral("Two\nThree\n"));
    QVERIFY(child<QPushButton>(*dialog, "pushDownload")->isEnabled());

    // The file to fetch is still the one the newer record named.
    TestDir target;
    answerFolderDialog(target.path());
    child<QPushButton>(*dialog, "pushDownload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(text(*dialog, "labelError").contains(QLatin1String("Download done")),
                             10000);
    QCOMPARE(target.names(), QStringList{QStringLiteral("First.exe")});
}

void TestUpdate::progressDisplay()
{
    auto dialog = openDialog();
    auto *bar = child<QProgressBar>(*dialog, "progressBar");
    QVERIFY(QMetaObject::invokeMethod(dialog.get(), "progress", Q_ARG(qint64, 524288),
                                      Q_ARG(qint64, 2097152)));
    QCOMPARE(text(*dialog, "labelProgressBytes"),
             QStringLiteral("512 ko downloaded on 2048 ko (~2 Mo) - 25.0% done"));
    QCOMPARE(bar->maximum(), 2097152);
    QCOMPARE(bar->value(), 524288);

    QVERIFY(QMetaObject::invokeMethod(dialog.get(), "progress", Q_ARG(qint64, 1000),
                                      Q_ARG(qint64, -1)));
    QCOMPARE(text(*dialog, "labelProgressBytes"),
             QStringLiteral("512 ko downloaded on 2048 ko (~2 Mo) - 25.0% done"));
    QCOMPARE(bar->value(), 524288);
}

void TestUpdate::redError_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("404") << false;
    QTest::newRow("connection refused") << true;
}

void TestUpdate::redError()
{
    QFETCH(bool, refused);
    if (refused) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        Update::setBaseUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    }
    auto dialog = openDialog();
    auto *error = child<QLabel>(*dialog, "labelError");
    QVERIFY(!error->isHidden());
    QVERIFY2(error->text().startsWith(QLatin1String("<font color='Red'>\n")),
             qPrintable(error->text()));
    QVERIFY(error->text().size() > int(sizeof("<font color='Red'>\n</font>")));
    QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("Not checked..."));
    QVERIFY(child<QPushButton>(*dialog, "pushCheckNow")->isEnabled());
    QVERIFY(!child<QPushButton>(*dialog, "pushDownload")->isEnabled());
}

void TestUpdate::downloadOverwritesInChosenFolder()
{
    QByteArray program(300000, '\0');
    for (int i = 0; i < program.size(); ++i)
        program[i] = char(i * 7 % 251);
    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;Tavrelo 1.1.3.exe;New");
    publish(QStringLiteral("Tavrelo 1.1.3.exe"), program);
    TestDir target;
    target.file(QStringLiteral("Tavrelo 1.1.3.exe"), "an older copy");

    auto dialog = openDialog();
    QString caption;
    answerFolderDialog(target.path(), &caption);
    child<QPushButton>(*dialog, "pushDownload")->click();
    QCOMPARE(caption, QStringLiteral("Save file"));
    QVERIFY(!child<QPushButton>(*dialog, "pushCheckNow")->isEnabled());
    QVERIFY(!child<QLabel>(*dialog, "labelProgressBytes")->isHidden());

    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*dialog, "pushDownload")->isEnabled(), 10000);
    QCOMPARE(text(*dialog, "labelError"),
             QStringLiteral("<font color='Blue'>Download done !</font>"));
    QVERIFY(!child<QLabel>(*dialog, "labelError")->isHidden());
    QVERIFY(child<QLabel>(*dialog, "labelProgressBytes")->isHidden());
    QVERIFY(child<QPushButton>(*dialog, "pushCheckNow")->isEnabled());
    QCOMPARE(target.names(), QStringList{QStringLiteral("Tavrelo 1.1.3.exe")});
    QVERIFY(target.content(QStringLiteral("Tavrelo 1.1.3.exe")) == program);
}

void TestUpdate::cancellingFolderDialogChangesNothing()
{
    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;Tavrelo.exe;New");
    auto dialog = openDialog();
    answerFolderDialog(QString());
    child<QPushButton>(*dialog, "pushDownload")->click();
    QVERIFY(child<QPushButton>(*dialog, "pushDownload")->isEnabled());
    QVERIFY(child<QPushButton>(*dialog, "pushCheckNow")->isEnabled());
    QVERIFY(child<QLabel>(*dialog, "labelProgressBytes")->isHidden());
    QVERIFY(child<QLabel>(*dialog, "labelError")->isHidden());
}

void TestUpdate::unsafeFileNameOffersNoDownload_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("climbs out") << "../../.profile";
    QTest::newRow("absolute") << served->at(QStringLiteral("evil.exe"));
    QTest::newRow("slash") << "sub/evil.exe";
    QTest::newRow("backslash") << "sub\\evil.exe";
    QTest::newRow("empty") << "";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
}

void TestUpdate::unsafeFileNameOffersNoDownload()
{
    QFETCH(QString, name);
    publish(QStringLiteral("update_win32.txt"),
            QStringLiteral("113;1.1.3;%1;New").arg(name).toUtf8());
    Update dialog;
    QSignalSpy available(&dialog, &Update::updateIsAvailable);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "pushCheckNow")->isEnabled(), 10000);

    QCOMPARE(available.count(), 0);
    QVERIFY(!child<QPushButton>(dialog, "pushDownload")->isEnabled());
    QCOMPARE(text(dialog, "labelDownload"), QStringLiteral("Not checked..."));
    QVERIFY(!child<QLabel>(dialog, "labelError")->isHidden());
    QVERIFY(text(dialog, "labelError").startsWith(QLatin1String("<font color='Red'>")));
}

void TestUpdate::unwritableTargetShowsErrorAndLeavesNoFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("name taken by a folder") << false;
    QTest::newRow("read-only folder") << true;
}

void TestUpdate::unwritableTargetShowsErrorAndLeavesNoFile()
{
    QFETCH(bool, readOnlyFolder);
    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;Tavrelo.exe;New");
    publish(QStringLiteral("Tavrelo.exe"), "program");
    TestDir target;
    const QString folder = target.folder(QStringLiteral("chosen"));
    QStringList before;
    if (readOnlyFolder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (QFile probe(folder + QStringLiteral("/probe")); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write into read-only folders");
        }
    } else {
        target.file(QStringLiteral("chosen/Tavrelo.exe/keep.txt"), "keep");
        before = target.names(QStringLiteral("chosen"));
    }

    auto dialog = openDialog();
    answerFolderDialog(folder);
    child<QPushButton>(*dialog, "pushDownload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*dialog, "pushDownload")->isEnabled(), 10000);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString error = text(*dialog, "labelError");
    QVERIFY(!child<QLabel>(*dialog, "labelError")->isHidden());
    QVERIFY2(error.startsWith(QLatin1String("<font color='Red'>")), qPrintable(error));
    QVERIFY(!error.contains(QLatin1String("Download done")));
    QCOMPARE(target.names(QStringLiteral("chosen")), before);
    if (!readOnlyFolder)
        QCOMPARE(target.content(QStringLiteral("chosen/Tavrelo.exe/keep.txt")), QByteArray("keep"));
}

void TestUpdate::retryAfterFailureReallyRetries()
{
    auto dialog = openDialog();
    QVERIFY(!child<QLabel>(*dialog, "labelError")->isHidden());

    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;Tavrelo.exe;New");
    checkAgain(*dialog);
    QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("New update available."));
    QVERIFY(child<QLabel>(*dialog, "labelError")->isHidden());

    TestDir target;
    answerFolderDialog(target.path());
    child<QPushButton>(*dialog, "pushDownload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*dialog, "pushDownload")->isEnabled(), 10000);
    QVERIFY(text(*dialog, "labelError").startsWith(QLatin1String("<font color='Red'>")));
    QVERIFY(target.names().isEmpty());

    publish(QStringLiteral("Tavrelo.exe"), "program");
    answerFolderDialog(target.path());
    child<QPushButton>(*dialog, "pushDownload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*dialog, "pushDownload")->isEnabled(), 10000);
    QCOMPARE(text(*dialog, "labelError"),
             QStringLiteral("<font color='Blue'>Download done !</font>"));
    QCOMPARE(target.content(QStringLiteral("Tavrelo.exe")), QByteArray("program"));
}

void TestUpdate::nothingWrittenInCurrentDirectory()
{
    TestDir current;
    current.file(QStringLiteral("update_win32.txt"), "the user's own file");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    publish(QStringLiteral("update_win32.txt"), "113;1.1.3;Tavrelo.exe;New");
    {
        auto dialog = openDialog();
        checkAgain(*dialog);
        QDir::setCurrent(previous);
        QCOMPARE(text(*dialog, "labelDownload"), QStringLiteral("New update available."));
    }
    QDir::setCurrent(previous);
    QCOMPARE(current.names(), QStringList{QStringLiteral("update_win32.txt")});
    QCOMPARE(current.content(QStringLiteral("update_win32.txt")),
             QByteArray("the user's own file"));
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"

#include "mainwindow.h"
#include "regexp.h"
#include "rename.h"
#include "replace.h"
#include "startup.h"
#include "testsupport.h"
#include "update.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

// The rename and replace commands, the preview and the other windows, driven
// through the main window's own widgets.
class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void preview_data();
    void preview();
    void renameRefusesAnEmptyList();
    void renameAnsweredNoChangesNothing();
    void renameEndToEnd();
    void fileJobRefusesNewInputWhileItRuns();
    void replaceRefusesAnEmptySearchText();
    void replaceEndToEnd();
    void replacePairExcludesEachOther();
    void showMessageDropsUnknownPriorities();
    void secondaryWindowsAndUpdateNotice();

private:
    template <typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QStringList rows() const;
    void drop(const QStringList &paths);
    void click(const char *name);

    QByteArray savedHome;
    std::unique_ptr<TestDir> home;
    std::unique_ptr<MainWindow> window;
};

void TestCommands::initTestCase()
{
    setApplicationIdentity();
    // Refused at once: the windows' own update checks stay quick and quiet.
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    savedHome = qgetenv("HOME");
}

void TestCommands::init()
{
    home = std::make_unique<TestDir>();
    qputenv("HOME", home->path().toLocal8Bit());
    window = std::make_unique<MainWindow>();
    window->show();
}

void TestCommands::cleanup()
{
    window.reset();
    home.reset();
    qputenv("HOME", savedHome);
}

QStringList TestCommands::rows() const
{
    auto *model = child<QListView>("listView")->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

void TestCommands::drop(const QStringList &paths)
{
    dropPaths(window.get(), paths);
}

void TestCommands::click(const char *name)
{
    QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
}

void TestCommands::preview_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name") << "radioFormatName" << false << ""
                          << "~000.txt";
    QTest::newRow("name reversed") << "radioFormatName" << true << ""
                                   << "000~.txt";
    QTest::newRow("append") << "radioFormatPrefix" << false << ""
                            << "~000_filename.txt";
    QTest::newRow("append reversed") << "radioFormatPrefix" << true << ""
                                     << "000~_filename.txt";
    QTest::newRow("prepend") << "radioFormatSuffix" << false << ""
                             << "filename_~000.txt";
    QTest::newRow("prepend reversed") << "radioFormatSuffix" << true << ""
                                      << "filename_000~.txt";
    QTest::newRow("Trip name") << "radioFormatName" << false << "Trip"
                               << "Trip000.txt";
    QTest::newRow("Trip reversed") << "radioFormatName" << true << "Trip"
                                   << "000Trip.txt";
    QTest::newRow("Trip append") << "radioFormatPrefix" << false << "Trip"
                                 << "Trip000_filename.txt";
    QTest::newRow("Trip prepend reversed") << "radioFormatSuffix" << true << "Trip"
                                           << "filename_000Trip.txt";
    QTest::newRow("tilde text") << "radioFormatName" << false << "~"
                                << "~000.txt";
}

void TestCommands::preview()
{
    QFETCH(QString, radio);
    QFETCH(bool, reverse);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    auto *label = child<QLabel>("labelOutputFormat");
    // Set the text first, then the choices, as a user may: each signal
    // recomputes the whole preview.
    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), text);
    QTest::mouseClick(window->findChild<QRadioButton *>(radio), Qt::LeftButton);
    if (reverse)
        click("checkReverseFormat");
    QCOMPARE(label->text(), expected);
}

void TestCommands::renameRefusesAnEmptyList()
{
    QSignalSpy started(window->findChild<Rename *>(), &QThread::started);
    MessageBoxWatcher watcher;
    click("pushRename");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Warning"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("Warning : Please choose a directory/file first..."));
    QCOMPARE(started.count(), 0);
}

void TestCommands::renameAnsweredNoChangesNothing()
{
    const QString file = home->file(QStringLiteral("IMG.jpg"));
    drop({file});
    QTRY_VERIFY(child<QPushButton>("pushRename")->isEnabled());
    QSignalSpy started(window->findChild<Rename *>(), &QThread::started);
    MessageBoxWatcher watcher(QStringLiteral("No"));
    click("pushRename");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Confirmation"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("You have selected to rename your files : \n~000.txt\n\nContinue ?"));
    QCOMPARE(started.count(), 0);
    QVERIFY(QFile::exists(file));
}

void TestCommands::renameEndToEnd()
{
    const QDateTime day(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    const QString photos = home->folder(QStringLiteral("photos"));
    home->file(QStringLiteral("photos/a.jpg"), "a", day);
    home->file(QStringLiteral("photos/b.png"), "b", day.addSecs(60));
    home->file(QStringLiteral("photos/c.jpg"), "c", day.addSecs(120));
    const QString single = home->file(QStringLiteral("docs/x.jpg"), "x");
    drop({photos, single});

    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), QStringLiteral("Trip"));
    // The extension filter comes from the analysis of the dropped list.
    QTRY_VERIFY(child<QPushButton>("pushRename")->isEnabled());
    auto *rename = window->findChild<Rename *>();
    QSignalSpy finished(rename, &QThread::finished);
    MessageBoxWatcher watcher(QStringLiteral("Yes"));
    click("pushRename");
    QVERIFY(finished.wait());
    QTRY_COMPARE(window->statusBar()->currentMessage(), QStringLiteral("Renaming done !"));

    // Newest first: c.jpg, b.png, a.jpg, every suffix selected.
    QCOMPARE(home->names(QStringLiteral("photos")),
             QStringList({QStringLiteral("Trip1.jpg"), QStringLiteral("Trip2.png"),
                          QStringLiteral("Trip3.jpg")}));
    QCOMPARE(home->content(QStringLiteral("photos/Trip1.jpg")), QByteArray("c"));
    QCOMPARE(home->content(QStringLiteral("photos/Trip3.jpg")), QByteArray("a"));
    QCOMPARE(home->names(QStringLiteral("docs")), QStringList({QStringLiteral("Trip1.jpg")}));
    QCOMPARE(rows(),
             QStringList({QDir::toNativeSeparators(photos + QLatin1Char('/')),
                          QDir::toNativeSeparators(home->at(QStringLiteral("docs/Trip1.jpg")))}));
}

void TestCommands::fileJobRefusesNewInputWhileItRuns()
{
    const QString photos = home->folder(QStringLiteral("photos"));
    for (int i = 0; i < 50; ++i)
        home->file(QStringLiteral("photos/%1.jpg").arg(i));
    drop({photos});
    QTRY_VERIFY(child<QPushButton>("pushRename")->isEnabled());
    auto *rename = window->findChild<Rename *>();
    QSignalSpy finished(rename, &QThread::finished);
    {
        MessageBoxWatcher watcher(QStringLiteral("Yes"));
        click("pushRename");
    }
    // The run's end arrives through the event loop, so this is still during it.
    QVERIFY(!child<QPushButton>("pushRename")->isEnabled());
    QVERIFY(!child<QPushButton>("pushReplace")->isEnabled());
    QVERIFY(!child<QPushButton>("pushResetList")->isEnabled());
    QVERIFY(!dropPaths(window.get(), {home->file(QStringLiteral("late.txt"))}));
    QCOMPARE(rows().size(), 1);

    QVERIFY(finished.wait());
    QTRY_VERIFY(child<QPushButton>("pushRename")->isEnabled());
    QVERIFY(child<QPushButton>("pushReplace")->isEnabled());
    drop({home->at(QStringLiteral("late.txt"))});
    QCOMPARE(rows().size(), 2);
}

void TestCommands::replaceRefusesAnEmptySearchText()
{
    QSignalSpy started(window->findChild<Replace *>(), &QThread::started);
    MessageBoxWatcher watcher;
    click("pushReplace");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Empty input string"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("Warning : Please fill the input string to replace..."));
    QCOMPARE(started.count(), 0);
}

void TestCommands::replaceEndToEnd()
{
    const QString folder = home->folder(QStringLiteral("scans"));
    home->file(QStringLiteral("scans/IMG_0042.jpg"), "42");
    home->file(QStringLiteral("scans/DSC_0042.jpg"), "dsc");
    const QString single = home->file(QStringLiteral("notes/report_v1.txt"), "r");
    drop({folder, single});
    const QStringList before = rows();

    auto *replace = window->findChild<Replace *>();
    QSignalSpy finished(replace, &QThread::finished);
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), QStringLiteral("_v1"));
    // "Refresh list view " checked keeps the list as it was.
    click("pushReplace");
    QVERIFY(finished.wait());
    QCOMPARE(home->names(QStringLiteral("notes")), QStringList({QStringLiteral("report.txt")}));
    QCOMPARE(rows(), before);

    // A regular expression with a back-reference, and the list replaced.
    child<QLineEdit>("lineReplaceIn")->setText(QStringLiteral("IMG_(\\d+)"));
    child<QLineEdit>("lineReplaceOut")->setText(QStringLiteral("photo-\\1"));
    click("checkReplaceRegExp");
    click("checkRefreshListView");
    // An empty list is handed over too: the run then sends an empty list.
    click("pushReplace");
    QVERIFY(finished.wait());
    QCOMPARE(home->names(QStringLiteral("scans")),
             QStringList({QStringLiteral("DSC_0042.jpg"), QStringLiteral("photo-0042.jpg")}));
    QCOMPARE(home->content(QStringLiteral("scans/photo-0042.jpg")), QByteArray("42"));
    QTRY_COMPARE(rows().size(), 2);
    QCOMPARE(rows().first(), QDir::toNativeSeparators(folder + QLatin1Char('/')));
}

void TestCommands::replacePairExcludesEachOther()
{
    auto *regExp = child<QCheckBox>("checkReplaceRegExp");
    auto *suffix = child<QCheckBox>("checkReplaceSuffix");
    click("checkReplaceRegExp");
    click("checkReplaceSuffix");
    QVERIFY(suffix->isChecked());
    QVERIFY(!regExp->isChecked());
    click("checkReplaceRegExp");
    QVERIFY(regExp->isChecked());
    QVERIFY(!suffix->isChecked());
    click("checkReplaceRegExp");
    QVERIFY(!regExp->isChecked());
    QVERIFY(!suffix->isChecked());
}

void TestCommands::showMessageDropsUnknownPriorities()
{
    MessageBoxWatcher watcher;
    const QList<QPair<int, QString>> expected = {{0, QStringLiteral("Information")},
                                                 {1, QStringLiteral("Warning")},
                                                 {2, QStringLiteral("Critical")},
                                                 {3, QString()},
                                                 {-1, QString()}};
    int shown = 0;
    for (const auto &[priority, title] : expected) {
        QMetaObject::invokeMethod(window.get(), "showMessage", Q_ARG(int, priority),
                                  Q_ARG(QString, QStringLiteral("message")));
        if (title.isEmpty())
            continue;
        ++shown;
        QCOMPARE(watcher.boxes().size(), shown);
        QCOMPARE(watcher.boxes().last().title, title);
        QCOMPARE(watcher.boxes().last().text, QStringLiteral("message"));
    }
    QCOMPARE(watcher.boxes().size(), 3);
}

void TestCommands::secondaryWindowsAndUpdateNotice()
{
    auto findTopLevel = [](auto *type) {
        using Window = std::remove_pointer_t<decltype(type)>;
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *widget : windows)
            if (auto *found = qobject_cast<Window *>(widget))
                return found;
        return static_cast<Window *>(nullptr);
    };
    auto *update = findTopLevel(static_cast<Update *>(nullptr));
    auto *regexp = findTopLevel(static_cast<Regexp *>(nullptr));
    QVERIFY(update && regexp);
    QCOMPARE(update->windowTitle(), QStringLiteral("Tavrelo - Update"));
    QCOMPARE(regexp->windowTitle(), QStringLiteral("Tavrelo - RegExp Documentation"));
    QVERIFY(!update->isVisible());

    child<QAction>("actionUpdates")->trigger();
    QVERIFY(update->isVisible());
    click("toolButtonDoc");
    QVERIFY(regexp->isVisible());

    auto *notice = child<QLabel>("labelUpdate");
    QVERIFY(notice->isHidden());
    emit update->updateIsAvailable();
    QVERIFY(!notice->isHidden());
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"

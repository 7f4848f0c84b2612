#include "analize.h"
#include "extensions.h"
#include "mainwindow.h"
#include "regexp.h"
#include "rename.h"
#include "replace.h"
#include "startup.h"
#include "testsupport.h"
#include "update.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

// A loaded machine under the sanitizers may take a while; a hang still fails.
static const int patience = 30000;

// The main window driven through its own widgets, with the real workers.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void formObjects_data();
    void formObjects();
    void windowFrame();
    void dropsListEachPathOnce();
    void outsideHomeWarnsOncePerDrop();
    void removalAndReset();
    void dropDuringAnalysisIsAnalysedAfterIt();
    void checkBoxPairsExcludeEachOther();
    void preview_data();
    void preview();
    void renameAsksAndRefusesEmptyList();
    void renameEndToEnd();
    void replaceEndToEnd();
    void showMessagePriorities();
    void secondaryWindows();

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    void click(const char *name)
    {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    QStringList rows() const;
    void waitForAnalysis();

    QByteArray savedHome;
    std::unique_ptr<TestDir> home;
    std::unique_ptr<MainWindow> window;
};

void TestMainWindow::initTestCase()
{
    setApplicationIdentity();
    // Refused at once: the window's own update check stays quick and quiet.
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    savedHome = qgetenv("HOME");
}

void TestMainWindow::init()
{
    home = std::make_unique<TestDir>();
    // QDir::homePath() follows $HOME: each test has a home of its own.
    qputenv("HOME", home->path().toLocal8Bit());
    window = std::make_unique<MainWindow>();
    window->show();
}

void TestMainWindow::cleanup()
{
    window.reset();
    home.reset();
    qputenv("HOME", savedHome);
}

QStringList TestMainWindow::rows() const
{
    auto *model = child<QListView>("listView")->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

void TestMainWindow::waitForAnalysis()
{
    // "Rename" waits for the analysis of the current list, pending ones included.
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushRename")->isEnabled(), patience);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Analize done !"));
    // The labels show the newest figures once per event-loop turn.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
}

void TestMainWindow::formObjects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    const auto row = [](const char *name, const char *text, bool enabled = true,
                        bool checked = false) {
        QTest::newRow(name) << QString::fromUtf8(text) << enabled << checked;
    };
    row("checkScanRecursive", "Scan recursive ", false);
    row("groupRenameFiles", "Rename files :", false);
    row("groupRenameGroup", "Rename group :", false);
    row("groupRenameBy", "Rename by (only for directories) :", false);
    row("radioFormatName", "Name (~000)", true, true);
    row("radioFormatSuffix", "Prepend (filename_~000)");
    row("labelOutputFormat", "~000.txt");
    row("checkRenameAllExtensions", "Rename all files together", true, true);
    row("checkRenameByExtensions", "Rename files by ");
    row("radioRenameTogether", "Rename files non regarding suffixes", true, true);
    row("checkReplaceRegExp", "RegExp ");
    row("checkReplaceSuffix", "Suffix ");
    row("checkReplaceDeleteIfExists", "Delete if exists ");
    row("checkRefreshListView", "Refresh list view ", true, true);
    row("labelUpdate",
        "An update is available. You can download it using Options > Check for update.");
}

void TestMainWindow::formObjects()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    QWidget *widget = window->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    // Disabled by itself, not merely through a disabled group.
    QCOMPARE(!widget->testAttribute(Qt::WA_ForceDisabled), enabled);
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->isChecked(), checked);
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        QCOMPARE(group->title(), text);
    } else {
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), text);
    }
}

void TestMainWindow::windowFrame()
{
    decorateMainWindow(*window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Tavrelo v1.1.2"));
    QCOMPARE(QPixmap(QStringLiteral(":/icon.png")).size(), QSize(128, 128));
    QVERIFY(!window->windowIcon().availableSizes().isEmpty());
    QVERIFY(child<QLabel>("labelUpdate")->isHidden());
    QCOMPARE(child<QLineEdit>("lineOutputFormat")->placeholderText(), QStringLiteral("~"));

    auto *tabs = child<QTabWidget>("tabWidget");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(2), QStringLiteral("Replace"));
    QCOMPARE(tabs->currentIndex(), 0);
    const auto menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->text(), QStringLiteral("Options"));
    QCOMPARE(menus.first()->menu()->actions(), QList<QAction *>({child<QAction>("actionUpdates")}));
    QVERIFY(child<QAction>("actionParameters")->associatedObjects().isEmpty());

    auto *combo = child<QComboBox>("comboRenameBy");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("Date (newer first)"));
    QCOMPARE(combo->itemText(2), QStringLiteral("Name (alphabetical)"));

    window->resize(2000, 900);
    QCOMPARE(window->size(), QSize(2000, 585));
}

void TestMainWindow::dropsListEachPathOnce()
{
    const QString a = home->file(QStringLiteral("a.txt"));
    const QString b = home->file(QStringLiteral("b.txt"));
    QVERIFY(dropPaths(window.get(), {a, a, b}));
    QVERIFY(dropPaths(window.get(), {b, a}));
    QCOMPARE(rows(), QStringList({a, b}));
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("2"));

    QSignalSpy started(window->findChild<Analize *>(), &QThread::started);
    QMimeData plainText;
    plainText.setText(a);
    QVERIFY(dropOn(window.get(), plainText));
    QCoreApplication::processEvents();
    QCOMPARE(rows().size(), 2);
    QCOMPARE(started.count(), 0);
}

void TestMainWindow::outsideHomeWarnsOncePerDrop()
{
    TestDir elsewhere;
    MessageBoxWatcher watcher;
    dropPaths(window.get(),
              {home->file(QStringLiteral("in.txt")), elsewhere.file(QStringLiteral("o1.txt")),
               elsewhere.file(QStringLiteral("o2.txt"))});
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Warning"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("You have selected a non user directory.\n\nBeware that renamed files "
                            "system will results to a non working system.\n\nMake sur that you "
                            "only manipulate your own known directory..."));
    QCOMPARE(rows().size(), 3);
    dropPaths(window.get(), {elsewhere.file(QStringLiteral("o3.txt"))});
    QCOMPARE(watcher.boxes().size(), 2);

    // A substring test: with home .../ann, .../anna and /x/.../ann/y are inside.
    const QString ann = elsewhere.folder(QStringLiteral("ann"));
    qputenv("HOME", ann.toLocal8Bit());
    dropPaths(window.get(),
              {elsewhere.file(QStringLiteral("anna/p.jpg")),
               elsewhere.file(QStringLiteral("backup") + ann + QStringLiteral("/x"))});
    QCOMPARE(watcher.boxes().size(), 2);
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("6"));
}

void TestMainWindow::removalAndReset()
{
    QStringList paths;
    for (const char *name : {"f0.jpg", "f1.png", "f2.jpg", "f3.gif", "f4.jpg"})
        paths.append(home->file(QString::fromLatin1(name)));
    dropPaths(window.get(), paths);
    waitForAnalysis();
    QVERIFY(child("groupRenameFiles")->isEnabled());
    QVERIFY(child("groupRenameBy")->isEnabled());

    auto *view = child<QListView>("listView");
    view->selectionModel()->select(view->model()->index(3, 0), QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::Select);
    view->setFocus();
    // The view leaves Delete to the window.
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(rows(), QStringList({paths[0], paths[2], paths[4]}));
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberExt"), QStringLiteral("1"));
    // One suffix left: the extension chooser can no longer be opened.
    QVERIFY(!child("pushExtensions")->isEnabled());
    QVERIFY(child("groupRenameBy")->isEnabled());

    // Rows and the list handed to the workers stay aligned.
    view->selectionModel()->clearSelection();
    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(rows(), QStringList({paths[0], paths[2]}));
    waitForAnalysis();

    // An emptied list reports nothing: the counts and the chooser stay.
    view->selectAll();
    QTest::keyClick(view, Qt::Key_Delete);
    waitForAnalysis();
    QVERIFY(rows().isEmpty());
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("2"));
    QCOMPARE(window->findChild<Extensions *>()->selectedExtensions(true),
             QStringList({QStringLiteral("jpg")}));

    dropPaths(window.get(), paths);
    click("pushResetList");
    QVERIFY(rows().isEmpty());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Reseting done !"));
    QVERIFY(dropPaths(window.get(), {paths[0]}));
    QCOMPARE(rows().size(), 1);
    waitForAnalysis();
}

void TestMainWindow::dropDuringAnalysisIsAnalysedAfterIt()
{
    const QString big = home->folder(QStringLiteral("big"));
    for (int i = 0; i < 3000; ++i)
        home->file(QStringLiteral("big/%1.jpg").arg(i));
    dropPaths(window.get(), {big});
    dropPaths(window.get(), {home->file(QStringLiteral("late.png"))});
    dropPaths(window.get(), {home->file(QStringLiteral("later.gif"))});
    // However the runs fell, the figures shown are those of the whole list.
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("3002"));
    QCOMPARE(text("labelFilesInfosNumberExt"), QStringLiteral("3"));
}

void TestMainWindow::checkBoxPairsExcludeEachOther()
{
    const QString folder = home->folder(QStringLiteral("p"));
    home->file(QStringLiteral("p/a.txt"));
    home->file(QStringLiteral("p/b.jpg"));
    dropPaths(window.get(), {folder});
    waitForAnalysis();

    auto *all = child<QCheckBox>("checkRenameAllExtensions");
    auto *byExtensions = child<QCheckBox>("checkRenameByExtensions");
    click("pushExtensions");
    window->findChild<Extensions *>()->accept();
    QVERIFY(byExtensions->isChecked() && !all->isChecked());
    click("checkRenameAllExtensions");
    QVERIFY(all->isChecked() && !byExtensions->isChecked());
    // Unchecking never checks the partner.
    click("checkRenameAllExtensions");
    QVERIFY(!all->isChecked() && !byExtensions->isChecked());

    auto *regExp = child<QCheckBox>("checkReplaceRegExp");
    auto *suffix = child<QCheckBox>("checkReplaceSuffix");
    click("checkReplaceRegExp");
    click("checkReplaceSuffix");
    QVERIFY(suffix->isChecked() && !regExp->isChecked());
    click("checkReplaceRegExp");
    QVERIFY(regExp->isChecked() && !suffix->isChecked());
}

void TestMainWindow::preview_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name") << "radioFormatName" << false << ""
                          << "~000.txt";
    QTest::newRow("name, reversed") << "radioFormatName" << true << "Trip"
                                    << "000Trip.txt";
    QTest::newRow("append") << "radioFormatPrefix" << false << ""
                            << "~000_filename.txt";
    QTest::newRow("append, reversed") << "radioFormatPrefix" << true << ""
                                      << "000~_filename.txt";
    QTest::newRow("prepend") << "radioFormatSuffix" << false << "Trip"
                             << "filename_Trip000.txt";
    QTest::newRow("prepend, reversed") << "radioFormatSuffix" << true << "x"
                                       << "filename_000x.txt";
    QTest::newRow("tilde") << "radioFormatName" << false << "~"
                           << "~000.txt";
}

void TestMainWindow::preview()
{
    QFETCH(QString, radio);
    QFETCH(bool, reverse);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    // Each of the three signals recomputes the whole preview.
    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), typed);
    QTest::mouseClick(window->findChild<QRadioButton *>(radio), Qt::LeftButton);
    if (reverse)
        click("checkReverseFormat");
    QCOMPARE(text("labelOutputFormat"), expected);
}

void TestMainWindow::renameAsksAndRefusesEmptyList()
{
    QSignalSpy started(window->findChild<Rename *>(), &QThread::started);
    MessageBoxWatcher watcher(QStringLiteral("No"));
    click("pushRename");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().last().text,
             QStringLiteral("Warning : Please choose a directory/file first..."));

    const QString file = home->file(QStringLiteral("IMG.jpg"));
    dropPaths(window.get(), {file});
    waitForAnalysis();
    click("pushRename");
    QCOMPARE(watcher.boxes().size(), 2);
    QCOMPARE(watcher.boxes().last().title, QStringLiteral("Confirmation"));
    QCOMPARE(watcher.boxes().last().text,
             QStringLiteral("You have selected to rename your files : \n~000.txt\n\nContinue ?"));
    QCOMPARE(started.count(), 0);
    QVERIFY(QFile::exists(file));
}

void TestMainWindow::renameEndToEnd()
{
    const QDateTime day(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    const QString photos = home->folder(QStringLiteral("photos"));
    home->file(QStringLiteral("photos/a.jpg"), "a", day);
    home->file(QStringLiteral("photos/b.png"), "b", day.addSecs(60));
    home->file(QStringLiteral("photos/c.jpg"), "c", day.addSecs(120));
    dropPaths(window.get(), {photos, home->file(QStringLiteral("docs/x.jpg"), "x")});
    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), QStringLiteral("Trip"));
    waitForAnalysis();

    QSignalSpy finished(window->findChild<Rename *>(), &QThread::finished);
    {
        MessageBoxWatcher watcher(QStringLiteral("Yes"));
        click("pushRename");
    }
    // The run's end comes through the event loop: this is still during it.
    for (const char *name : {"pushRename", "pushReplace", "pushResetList"})
        QVERIFY(!child(name)->isEnabled());
    QVERIFY(!dropPaths(window.get(), {home->file(QStringLiteral("late.txt"))}));

    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
                              QStringLiteral("Renaming done !"), patience);
    QVERIFY(child("pushReplace")->isEnabled());
    // Newest first: c, b, a.
    QCOMPARE(home->names(QStringLiteral("photos")),
             QStringList({QStringLiteral("Trip1.jpg"), QStringLiteral("Trip2.png"),
                          QStringLiteral("Trip3.jpg")}));
    QCOMPARE(home->content(QStringLiteral("photos/Trip1.jpg")), QByteArray("c"));
    QCOMPARE(rows(), QStringList({QDir::toNativeSeparators(photos + QLatin1Char('/')),
                                  home->at(QStringLiteral("docs/Trip1.jpg"))}));
}

void TestMainWindow::replaceEndToEnd()
{
    MessageBoxWatcher watcher;
    click("pushReplace");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Empty input string"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("Warning : Please fill the input string to replace..."));

    const QString folder = home->folder(QStringLiteral("scans"));
    home->file(QStringLiteral("scans/IMG_0042.jpg"), "42");
    home->file(QStringLiteral("scans/DSC_0042.jpg"));
    dropPaths(window.get(), {folder, home->file(QStringLiteral("notes/report_v1.txt"))});
    const QStringList before = rows();
    QSignalSpy finished(window->findChild<Replace *>(), &QThread::finished);
    // No question asked; "Refresh list view " checked keeps the list.
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), QStringLiteral("_v1"));
    click("pushReplace");
    // The run may end before any wait starts: count, don't wait for a new one.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QCOMPARE(home->names(QStringLiteral("notes")), QStringList({QStringLiteral("report.txt")}));
    QTRY_VERIFY_WITH_TIMEOUT(child("pushReplace")->isEnabled(), patience);
    QCOMPARE(rows(), before);

    child<QLineEdit>("lineReplaceIn")->setText(QStringLiteral("IMG_(\\d+)"));
    child<QLineEdit>("lineReplaceOut")->setText(QStringLiteral("photo-\\1"));
    click("checkReplaceRegExp");
    click("checkRefreshListView");
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, patience);
    QCOMPARE(home->content(QStringLiteral("scans/photo-0042.jpg")), QByteArray("42"));
    QVERIFY(QFile::exists(home->at(QStringLiteral("scans/DSC_0042.jpg"))));
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 2, patience);
    QCOMPARE(rows().first(), QDir::toNativeSeparators(folder + QLatin1Char('/')));
    QCOMPARE(watcher.boxes().size(), 1);
}

void TestMainWindow::showMessagePriorities()
{
    MessageBoxWatcher watcher;
    for (int priority : {0, 1, 2, 3, -1})
        QMetaObject::invokeMethod(window.get(), "showMessage", Q_ARG(int, priority),
                                  Q_ARG(QString, QStringLiteral("m%1").arg(priority)));
    QCOMPARE(watcher.boxes().size(), 3);
    QCOMPARE(watcher.boxes()[0].title, QStringLiteral("Information"));
    QCOMPARE(watcher.boxes()[1].title, QStringLiteral("Warning"));
    QCOMPARE(watcher.boxes()[2].title, QStringLiteral("Critical"));
    QCOMPARE(watcher.boxes()[2].text, QStringLiteral("m2"));
}

void TestMainWindow::secondaryWindows()
{
    Update *update = nullptr;
    Regexp *regexp = nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        update = update ? update : qobject_cast<Update *>(widget);
        regexp = regexp ? regexp : qobject_cast<Regexp *>(widget);
    }
    QVERIFY(update && regexp);
    QCOMPARE(update->windowTitle(), QStringLiteral("Tavrelo - Update"));
    QCOMPARE(regexp->windowTitle(), QStringLiteral("Tavrelo - RegExp Documentation"));
    QCOMPARE(window->findChild<Extensions *>()->windowTitle(),
             QStringLiteral("Tavrelo - Choose extensions"));

    child<QAction>("actionUpdates")->trigger();
    QVERIFY(update->isVisible());
    click("toolButtonDoc");
    QVERIFY(regexp->isVisible());
    emit update->updateIsAvailable();
    QVERIFY(!child("labelUpdate")->isHidden());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

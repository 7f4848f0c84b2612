#include "analize.h"
#include "extensions.h"
#include "mainwindow.h"
#include "startup.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

// Drops, removals and the analysis as the user sees them in the main window.
class TestInputList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void duplicatesAreListedOnce();
    void dropWithoutUrlsChangesNothing();
    void outsideHomeWarnsOncePerDrop();
    void homeTestIsASubstringTest();
    void removesExactlyTheSelectedRows();
    void emptiedListKeepsTheLastCounts();
    void groupsFollowTheCounts();
    void resetEmptiesTheList();
    void alternateRowColor();
    void dropDuringAnalysisIsAnalysedAfterIt();
    void extensionChooserConfirmationChecksRenameByExtensions();

private:
    QStringList rows() const;
    void drop(const QStringList &paths);
    void waitForAnalysis();
    QString label(const char *name) const;

    QByteArray savedHome;
    std::unique_ptr<TestDir> home;
    std::unique_ptr<MainWindow> window;
};

void TestInputList::initTestCase()
{
    setApplicationIdentity();
    savedHome = qgetenv("HOME");
}

void TestInputList::init()
{
    home = std::make_unique<TestDir>();
    // QDir::homePath() follows $HOME, so every test has a home of its own.
    qputenv("HOME", home->path().toLocal8Bit());
    window = std::make_unique<MainWindow>();
    window->show();
}

void TestInputList::cleanup()
{
    window.reset();
    home.reset();
    qputenv("HOME", savedHome);
}

QStringList TestInputList::rows() const
{
    auto *model = window->findChild<QListView *>(QStringLiteral("listView"))->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

void TestInputList::drop(const QStringList &paths)
{
    dropPaths(window.get(), paths);
}

void TestInputList::waitForAnalysis()
{
    // "Rename" waits for the analysis of the current list, pending ones included.
    QTRY_VERIFY(window->findChild<QPushButton *>(QStringLiteral("pushRename"))->isEnabled());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Analize done !"));
    // The labels show the newest figures once per event-loop turn.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
}

QString TestInputList::label(const char *name) const
{
    return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
}

void TestInputList::duplicatesAreListedOnce()
{
    const QString a = home->file(QStringLiteral("a.txt"));
    const QString b = home->file(QStringLiteral("b.txt"));
    drop({a, a, b});
    drop({b, a});
    QCOMPARE(rows(), QStringList({a, b}));
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("2"));
}

void TestInputList::dropWithoutUrlsChangesNothing()
{
    QSignalSpy started(window->findChild<Analize *>(), &QThread::started);
    QMimeData data;
    data.setText(QStringLiteral("/etc/passwd"));
    QVERIFY(dropOn(window.get(), data));
    QVERIFY(rows().isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(started.count(), 0);
}

void TestInputList::outsideHomeWarnsOncePerDrop()
{
    TestDir elsewhere;
    const QString inside = home->file(QStringLiteral("in.txt"));
    const QString out1 = elsewhere.file(QStringLiteral("o1.txt"));
    const QString out2 = elsewhere.file(QStringLiteral("o2.txt"));
    const QString out3 = elsewhere.file(QStringLiteral("o3.txt"));

    MessageBoxWatcher watcher;
    drop({inside, out1, out2});
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Warning"));
    QCOMPARE(watcher.boxes().first().text,
             QStringLiteral("You have selected a non user directory.\n\nBeware that renamed files "
                            "system will results to a non working system.\n\nMake sur that you "
                            "only manipulate your own known directory..."));
    // The paths stay listed despite the warning.
    QCOMPARE(rows().size(), 3);

    drop({out3});
    QCOMPARE(watcher.boxes().size(), 2);
    drop({home->file(QStringLiteral("in2.txt"))});
    QCOMPARE(watcher.boxes().size(), 2);
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("5"));
}

void TestInputList::homeTestIsASubstringTest()
{
    // With home /x/ann, /x/anna and /backup/x/ann/... count as inside it.
    TestDir root;
    const QString ann = root.folder(QStringLiteral("ann"));
    const QString anna = root.file(QStringLiteral("anna/photo.jpg"));
    const QString nested = root.file(QStringLiteral("backup") + ann + QStringLiteral("/x.jpg"));
    qputenv("HOME", ann.toLocal8Bit());

    MessageBoxWatcher watcher;
    drop({anna, nested});
    QCOMPARE(watcher.boxes().size(), 0);
    drop({root.file(QStringLiteral("an/other.jpg"))});
    QCOMPARE(watcher.boxes().size(), 1);
    waitForAnalysis();
}

void TestInputList::removesExactlyTheSelectedRows()
{
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths.append(home->file(QStringLiteral("f%1.txt").arg(i)));
    drop(paths);
    waitForAnalysis();

    auto *view = window->findChild<QListView *>(QStringLiteral("listView"));
    auto *selection = view->selectionModel();
    selection->select(view->model()->index(3, 0), QItemSelectionModel::Select);
    selection->select(view->model()->index(1, 0), QItemSelectionModel::Select);
    QSignalSpy started(window->findChild<Analize *>(), &QThread::started);
    view->setFocus();
    // The view leaves Delete to the window.
    QTest::keyClick(view, Qt::Key_Delete);

    QCOMPARE(rows(), QStringList({paths[0], paths[2], paths[4]}));
    QTRY_COMPARE(started.count(), 1);
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("3"));

    // The remaining rows still line up with the list the workers get:
    // removing the last row again removes the right path.
    selection->clearSelection();
    selection->select(view->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(rows(), QStringList({paths[0], paths[2]}));
    waitForAnalysis();

    QTest::keyClick(view, Qt::Key_A);
    QCOMPARE(rows().size(), 2);
}

void TestInputList::emptiedListKeepsTheLastCounts()
{
    drop({home->file(QStringLiteral("a.jpg")), home->file(QStringLiteral("b.png"))});
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("2"));

    auto *view = window->findChild<QListView *>(QStringLiteral("listView"));
    view->selectAll();
    window->statusBar()->clearMessage();
    QTest::keyClick(view, Qt::Key_Delete);
    QVERIFY(rows().isEmpty());
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("2"));
    QCOMPARE(label("labelFilesInfosNumberExt"), QStringLiteral("2"));
    // The chooser still offers the former suffixes.
    QCOMPARE(window->findChild<Extensions *>()->selectedExtensions(true),
             QStringList({QStringLiteral("jpg"), QStringLiteral("png")}));
}

void TestInputList::groupsFollowTheCounts()
{
    auto *renameFiles = window->findChild<QGroupBox *>(QStringLiteral("groupRenameFiles"));
    auto *renameBy = window->findChild<QGroupBox *>(QStringLiteral("groupRenameBy"));
    auto *renameGroup = window->findChild<QGroupBox *>(QStringLiteral("groupRenameGroup"));

    drop({home->file(QStringLiteral("a.jpg")), home->file(QStringLiteral("b.jpg"))});
    waitForAnalysis();
    QVERIFY(renameBy->isEnabled());
    QVERIFY(!renameFiles->isEnabled());
    QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("pushExtensions"))->isEnabled());

    const QString folder = home->folder(QStringLiteral("mixed"));
    home->file(QStringLiteral("mixed/a.JPG"));
    home->file(QStringLiteral("mixed/b.jpg"));
    home->file(QStringLiteral("mixed/README"));
    window->statusBar()->clearMessage();
    drop({folder});
    waitForAnalysis();
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("5"));
    QCOMPARE(label("labelFilesInfosNumberExt"), QStringLiteral("3"));
    QVERIFY(renameFiles->isEnabled());
    QVERIFY(!renameGroup->isEnabled());
}

void TestInputList::resetEmptiesTheList()
{
    drop({home->file(QStringLiteral("a.jpg")), home->file(QStringLiteral("b.png"))});
    waitForAnalysis();
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("pushResetList")),
                      Qt::LeftButton);
    QVERIFY(rows().isEmpty());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Reseting done !"));
    QCOMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("2"));

    // The same files may be dropped again.
    drop({home->at(QStringLiteral("a.jpg"))});
    QCOMPARE(rows().size(), 1);
    waitForAnalysis();
}

void TestInputList::alternateRowColor()
{
    auto *view = window->findChild<QListView *>(QStringLiteral("listView"));
    auto *box = window->findChild<QCheckBox *>(QStringLiteral("checkAternateRowColor"));
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(view->alternatingRowColors());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!view->alternatingRowColors());
}

void TestInputList::dropDuringAnalysisIsAnalysedAfterIt()
{
    const QString big = home->folder(QStringLiteral("big"));
    for (int i = 0; i < 3000; ++i)
        home->file(QStringLiteral("big/%1.jpg").arg(i));
    auto *analize = window->findChild<Analize *>();
    QSignalSpy started(analize, &QThread::started);

    drop({big});
    drop({home->file(QStringLiteral("late.png"))});
    drop({home->file(QStringLiteral("later.gif"))});
    QCOMPARE(rows().size(), 3);
    // However the runs fell, the figures shown are those of the whole list.
    QTRY_COMPARE(label("labelFilesInfosNumberFiles"), QStringLiteral("3002"));
    QTRY_VERIFY(!analize->isRunning());
    QCOMPARE(label("labelFilesInfosNumberExt"), QStringLiteral("3"));
    QVERIFY(started.count() >= 1 && started.count() <= 3);
}

void TestInputList::extensionChooserConfirmationChecksRenameByExtensions()
{
    const QString folder = home->folder(QStringLiteral("p"));
    home->file(QStringLiteral("p/a.txt"));
    home->file(QStringLiteral("p/b.jpg"));
    drop({folder});
    waitForAnalysis();

    auto *all = window->findChild<QCheckBox *>(QStringLiteral("checkRenameAllExtensions"));
    auto *byExtensions = window->findChild<QCheckBox *>(QStringLiteral("checkRenameByExtensions"));
    auto *chooser = window->findChild<Extensions *>();
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("pushExtensions")),
                      Qt::LeftButton);
    QTRY_VERIFY(chooser->isVisible());
    chooser->accept();
    QVERIFY(byExtensions->isChecked());
    QVERIFY(!all->isChecked());

    QTest::mouseClick(all, Qt::LeftButton);
    QVERIFY(all->isChecked());
    QVERIFY(!byExtensions->isChecked());
    // Unchecking never checks the partner.
    QTest::mouseClick(all, Qt::LeftButton);
    QVERIFY(!all->isChecked());
    QVERIFY(!byExtensions->isChecked());
}

QTEST_MAIN(TestInputList)
#include "tst_inputlist.moc"

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
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
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
    void dropActions_data();
    void dropActions();
    void dropsListEachPathOnce();
    void outsideHomeWarnsOncePerDrop();
    void removalAndReset();
    void scatteredRemovalKeepsTheRest();
    void dropDuringAnalysisIsAnalysedAfterIt();
    void progressStripFollowsTheAnalysis();
    void checkBoxPairsExcludeEachOther();
    void extensionChoiceSurvivesAnotherDrop();
    void preview_data();
    void preview();
    void renameAsksAndRefusesEmptyList();
    void renameEndToEnd();
    void replaceEndToEnd();
    void showMessagePriorities();
    void fileMenuAddsLikeADrop();
    void keyboardReachesEveryButton();
    void commandLine();
    void secondaryWindowsCloseWithTheWindow();

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
    QStandardPaths::setTestModeEnabled(true);
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
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
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

void TestMainWindow::dropActions_data()
{
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::DropAction>("proposed");
    QTest::addColumn<Qt::DropAction>("taken");
    QTest::newRow("copy or move, move proposed")
        << Qt::DropActions(Qt::CopyAction | Qt::MoveAction) << Qt::MoveAction << Qt::CopyAction;
    QTest::newRow("link or move") << Qt::DropActions(Qt::LinkAction | Qt::MoveAction)
                                  << Qt::MoveAction << Qt::LinkAction;
    QTest::newRow("move only") << Qt::DropActions(Qt::MoveAction) << Qt::MoveAction
                               << Qt::IgnoreAction;
}

void TestMainWindow::dropActions()
{
    // A source that deletes what it moved would lose the user's files.
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::DropAction, proposed);
    QFETCH(Qt::DropAction, taken);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(home->file(QStringLiteral("a.txt")))});
    QDragEnterEvent enter(QPoint(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(proposed);
    QCoreApplication::sendEvent(window.get(), &enter);
    QDragMoveEvent move(QPoint(30, 30), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    move.setDropAction(proposed);
    QCoreApplication::sendEvent(window.get(), &move);
    QDropEvent drop(QPointF(30, 30), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(proposed);
    QCoreApplication::sendEvent(window.get(), &drop);
    const bool accepted = taken != Qt::IgnoreAction;
    QCOMPARE(enter.isAccepted(), accepted);
    QCOMPARE(move.isAccepted(), accepted);
    QCOMPARE(drop.isAccepted(), accepted);
    if (accepted) {
        QCOMPARE(move.dropAction(), taken);
        QCOMPARE(drop.dropAction(), taken);
    }
    QCOMPARE(rows().size(), accepted ? 1 : 0);
}

void TestMainWindow::dropsListEachPathOnce()
{
    QVERIFY(child<QLabel>("emptyListHint")->isVisible());
    const QString a = home->file(QStringLiteral("a.txt"));
    const QString b = home->file(QStringLiteral("b.txt"));
    QVERIFY(dropPaths(window.get(), {a, a, b}));
    QVERIFY(dropPaths(window.get(), {b, a}));
    QCOMPARE(rows(), QStringList({a, b}));
    QVERIFY(!child<QLabel>("emptyListHint")->isVisible());
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("2"));

    QSignalSpy started(window->findChild<Analize *>(), &QThread::started);
    QMimeData plainText;
    plainText.setText(a);
    dropOn(window.get(), plainText);
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

    // A drop too large for one turn still warns once, then lists every path.
    QStringList many;
    for (int i = 0; i < 20000; ++i)
        many.append(QStringLiteral("/elsewhere/%1.jpg").arg(i));
    window->addPaths(many);
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 20006, patience);
    QCOMPARE(watcher.boxes().size(), 3);
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("20006"));
}

void TestMainWindow::removalAndReset()
{
    QStringList paths;
    for (const char *name : {"f0.jpg", "f1.png", "f2.jpg", "f3.gif", "f4.jpg"})
        paths.append(home->file(QString::fromLatin1(name)));
    dropPaths(window.get(), paths);
    waitForAnalysis();
    QVERIFY(child("groupRenameFiles")->isEnabled());

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
    QVERIFY(child<QLabel>("emptyListHint")->isVisible());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Reseting done !"));
    QVERIFY(dropPaths(window.get(), {paths[0]}));
    QCOMPARE(rows().size(), 1);
    waitForAnalysis();
}

void TestMainWindow::scatteredRemovalKeepsTheRest()
{
    // Enough scattered rows to take the one-pass way; nothing needs to exist.
    QStringList paths, kept;
    for (int i = 0; i < 1000; ++i) {
        paths.append(home->at(QStringLiteral("gone/%1.jpg").arg(i)));
        if (i % 2 == 0 || i == 999)
            kept.append(paths.last());
    }
    window->addPaths(paths);
    waitForAnalysis();
    auto *view = child<QListView>("listView");
    QItemSelection every;
    for (int row = 1; row < 998; row += 2)
        every.select(view->model()->index(row, 0), view->model()->index(row, 0));
    view->selectionModel()->select(every, QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(rows(), kept);
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QString::number(kept.size()));
    // The paths removed may come back; the ones kept may not.
    window->addPaths({paths[1], paths[2]});
    QCOMPARE(rows().size(), kept.size() + 1);
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

void TestMainWindow::progressStripFollowsTheAnalysis()
{
    auto *strip = child("progressStrip");
    auto *viewport = child<QListView>("listView")->viewport();
    QVERIFY(!strip->isVisible());
    QStringList paths;
    for (int i = 0; i < 30; ++i)
        paths.append(
            home->file(QStringLiteral("d%1/a.jpg").arg(i)).section(QLatin1Char('/'), 0, -2));
    window->addPaths(paths);
    // The run's end comes through the event loop: this is still during it.
    QVERIFY(strip->isVisible());
    QCOMPARE(viewport->cursor().shape(), Qt::BusyCursor);
    QTRY_VERIFY_WITH_TIMEOUT(!strip->isVisible(), patience);
    QVERIFY(viewport->cursor().shape() != Qt::BusyCursor);
    waitForAnalysis();

    // Cancel stops the analysis; a rename would lack part of the suffixes.
    QSignalSpy finished(window->findChild<Analize *>(), &QThread::finished);
    QTest::keyClick(child<QListView>("listView"), Qt::Key_Delete);
    QTest::mouseClick(strip->findChild<QPushButton *>(QStringLiteral("pushCancel")),
                      Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QTRY_VERIFY(!strip->isVisible());
    if (window->findChild<Analize *>()->wasCancelled()) {
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Analysis cancelled"));
        QVERIFY(!child("pushRename")->isEnabled());
        window->addPaths({home->file(QStringLiteral("new.txt"))});
    }
    waitForAnalysis();
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

void TestMainWindow::extensionChoiceSurvivesAnotherDrop()
{
    dropPaths(window.get(),
              {home->file(QStringLiteral("a.txt")), home->file(QStringLiteral("b.jpg"))});
    waitForAnalysis();
    click("pushExtensions");
    auto *extensions = window->findChild<Extensions *>();
    for (QCheckBox *box : extensions->findChildren<QCheckBox *>())
        box->setChecked(box->accessibleName() != QLatin1String("txt"));
    extensions->accept();
    QVERIFY(child<QCheckBox>("checkRenameByExtensions")->isChecked());

    dropPaths(window.get(), {home->file(QStringLiteral("c.png"))});
    waitForAnalysis();
    const QStringList jpgAndPng{QStringLiteral("jpg"), QStringLiteral("png")};
    QCOMPARE(extensions->selectedExtensions(false), jpgAndPng);
    click("pushExtensions");
    for (QCheckBox *box : extensions->findChildren<QCheckBox *>())
        QCOMPARE(box->isChecked(), box->accessibleName() != QLatin1String("txt"));
    extensions->reject();

    // A fresh list starts from a fresh choice.
    click("pushResetList");
    dropPaths(window.get(), {home->file(QStringLiteral("a.txt"))});
    waitForAnalysis();
    QCOMPARE(extensions->selectedExtensions(false), QStringList({QStringLiteral("txt")}));
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

    const QString folder = home->folder(QStringLiteral("scans"));
    home->file(QStringLiteral("scans/IMG_0042.jpg"), "42");
    home->file(QStringLiteral("scans/DSC_0042.jpg"));
    dropPaths(window.get(), {folder, home->file(QStringLiteral("notes/report_v1.txt"))});
    const QStringList before = rows();
    auto *replace = window->findChild<Replace *>();
    QSignalSpy started(replace, &QThread::started);
    QSignalSpy finished(replace, &QThread::finished);
    // No question asked; "Refresh list view " checked keeps the list.
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), QStringLiteral("_v1"));
    click("pushReplace");
    // The run may end before any wait starts: count, don't wait for a new one.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QCOMPARE(home->names(QStringLiteral("notes")), QStringList({QStringLiteral("report.txt")}));
    QTRY_VERIFY_WITH_TIMEOUT(child("pushReplace")->isEnabled(), patience);
    QCOMPARE(rows(), before);

    // A broken pattern is named before anything starts.
    click("checkReplaceRegExp");
    child<QLineEdit>("lineReplaceIn")->setText(QStringLiteral("IMG_(\\d+"));
    click("pushReplace");
    QCOMPARE(watcher.boxes().size(), 2);
    QVERIFY(watcher.boxes().last().text.contains(QStringLiteral("unexpected end")));
    QCOMPARE(started.size(), 1);

    child<QLineEdit>("lineReplaceIn")->setText(QStringLiteral("IMG_(\\d+)"));
    child<QLineEdit>("lineReplaceOut")->setText(QStringLiteral("photo-\\1"));
    click("checkRefreshListView");
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, patience);
    QCOMPARE(home->content(QStringLiteral("scans/photo-0042.jpg")), QByteArray("42"));
    QVERIFY(QFile::exists(home->at(QStringLiteral("scans/DSC_0042.jpg"))));
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 2, patience);
    QCOMPARE(rows().first(), QDir::toNativeSeparators(folder + QLatin1Char('/')));
    QCOMPARE(watcher.boxes().size(), 2);
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

void TestMainWindow::fileMenuAddsLikeADrop()
{
    QCOMPARE(window->menuBar()->actions().first()->menu()->objectName(),
             QStringLiteral("menuFile"));
    const QString folder = home->folder(QStringLiteral("album"));
    home->file(QStringLiteral("album/a.jpg"));
    const QString file = home->file(QStringLiteral("notes.txt"));
    const auto choose = [](const QString &path) {
        onNextModal([path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            // The dialog leaves a name box that has the focus as the user typed it.
            if (QWidget *focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
    };
    choose(folder);
    // Ctrl+O is the usual "Open" of this platform.
    QTest::keySequence(window.get(), QKeySequence::Open);
    QCOMPARE(rows(), QStringList({folder}));
    choose(file);
    child<QAction>("actionAddFiles")->trigger();
    choose(file);
    child<QAction>("actionAddFiles")->trigger();
    QCOMPARE(rows(), QStringList({folder, file}));
    waitForAnalysis();
    QCOMPARE(text("labelFilesInfosNumberFiles"), QStringLiteral("2"));
}

void TestMainWindow::keyboardReachesEveryButton()
{
    auto *tabs = child<QTabWidget>("tabWidget");
    QStringList global;
    for (QAction *menu : window->menuBar()->actions())
        global.append(menu->text());
    for (int tab = 0; tab < tabs->count(); ++tab)
        global.append(tabs->tabText(tab));
    // The key after "&" in each visible text; none twice on one page.
    const auto mnemonicOf = [](const QString &text) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        return amp < 0 ? QChar() : text.at(amp + 1).toLower();
    };
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QChar key = mnemonicOf(tabs->tabText(tab));
        QVERIFY2(!key.isNull(), qPrintable(tabs->tabText(tab)));
        QTest::keyClick(window.get(), key.toLatin1(), Qt::AltModifier);
        QCOMPARE(tabs->currentIndex(), tab);
        QStringList texts = global;
        for (QAbstractButton *button : tabs->currentWidget()->findChildren<QAbstractButton *>())
            texts.append(button->text());
        QSet<QChar> seen;
        for (const QString &shown : std::as_const(texts)) {
            const QChar mnemonic = mnemonicOf(shown);
            QVERIFY2(!mnemonic.isNull() && !seen.contains(mnemonic), qPrintable(shown));
            seen.insert(mnemonic);
        }
    }
    // Alt+A on the page "Replace" presses "Replace".
    MessageBoxWatcher watcher;
    QTest::keyClick(window.get(), 'a', Qt::AltModifier);
    QTRY_COMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Empty input string"));
}

void TestMainWindow::commandLine()
{
    QVERIFY(QDir::setCurrent(home->path()));
    const QString relative = home->file(QStringLiteral("docs/a.txt"));
    const QString absolute = home->folder(QStringLiteral("pics"));
    const CommandLine given = readCommandLine(
        {QStringLiteral("tavrelo"), QStringLiteral("docs/../docs/a.txt"), absolute});
    QVERIFY(!given.answered);
    window->addPaths(given.paths);
    QCOMPARE(rows(), QStringList({relative, absolute}));
    waitForAnalysis();

#ifdef TAVRELO_PROGRAM
    const auto run = [](const QString &option) {
        QProcess program;
        program.start(QStringLiteral(TAVRELO_PROGRAM), {option});
        if (!program.waitForFinished(patience))
            return QByteArray("did not end");
        return program.readAllStandardOutput();
    };
    QCOMPARE(run(QStringLiteral("--version")), QByteArray("Tavrelo 1.1.2\n"));
    QVERIFY(run(QStringLiteral("--help")).contains("[PATH...]"));
#endif
}

void TestMainWindow::secondaryWindowsCloseWithTheWindow()
{
    child<QAction>("actionUpdates")->trigger();
    click("toolButtonDoc");
    QList<QWidget *> open;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Update *>(widget))
            open.prepend(widget);
        else if (qobject_cast<Regexp *>(widget))
            open.append(widget);
    }
    QCOMPARE(open.size(), 2);
    QVERIFY(open[0]->isVisible() && open[1]->isVisible());
    emit qobject_cast<Update *>(open.first())->updateIsAvailable();
    QVERIFY(!child("labelUpdate")->isHidden());
    // Left open, they would keep the program running without its window.
    child<QAction>("actionQuit")->trigger();
    QVERIFY(!window->isVisible());
    for (QWidget *widget : std::as_const(open))
        QVERIFY(!widget->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

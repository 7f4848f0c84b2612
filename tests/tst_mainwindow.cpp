#include "analize.h"
#include "batchrun.h"
#include "extensions.h"
#include "journal.h"
#include "mainwindow.h"
#include "progressstrip.h"
#include "regexp.h"
#include "rename.h"
#include "replace.h"
#include "startup.h"
#include "testsupport.h"
#include "testvolume.h"
#include "update.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include <unistd.h>

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
    void dropsAreCopiesListEachPathOnceAndWarnOutsideHome();
    void removal();
    void progressStripFollowsTheAnalysis();
    void extensionChoiceOutlivesNewDrops();
    void formatPreview();
    void previewThenUndoAfterARestart();
    void historyUndoesAnyBatch();
    void replaceEndToEnd();
    void replaceAsksBeforeDeletingForGood();
    void batchCutOffIsRecoveredAtStart();
    void fileMenuAndCommandLineAddLikeADrop();
    void secondaryWindowsCloseWithTheWindow();
    void helpMenu();
    void progressStripCountsFromTheStart();

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name)
    {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    bool drop(const QStringList &paths) { return dropPaths(window.get(), paths); }
    int files() const
    {
        return QLocale().toInt(child<QLabel>("labelFilesInfosNumberFiles")->text());
    }
    QString status() const { return window->statusBar()->currentMessage(); }
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
    QCOMPARE(status(), QStringLiteral("Analize done !"));
    // The labels show the newest figures once per event-loop turn.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
}

void TestMainWindow::dropsAreCopiesListEachPathOnceAndWarnOutsideHome()
{
    // A source that deletes what it moved would lose the user's files.
    const QString a = home->file("a.txt");
    const QString b = home->file("b.txt");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    const auto dropOffering = [&](Qt::DropActions offered) {
        QDragEnterEvent enter(QPoint(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(QPoint(30, 30), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QDropEvent drop(QPointF(30, 30), offered, &data, Qt::LeftButton, Qt::NoModifier);
        for (QDropEvent *event : std::initializer_list<QDropEvent *>{&enter, &move, &drop}) {
            event->setDropAction(Qt::MoveAction);
            QCoreApplication::sendEvent(window.get(), event);
        }
        if (!drop.isAccepted())
            return Qt::IgnoreAction;
        // What the source sees while dragging must be what it gets.
        return move.dropAction() == drop.dropAction() ? drop.dropAction() : Qt::ActionMask;
    };
    QVERIFY(child("emptyListHint")->isVisible());
    QCOMPARE(dropOffering(Qt::MoveAction), Qt::IgnoreAction);
    QVERIFY(rows().isEmpty());
    QCOMPARE(dropOffering(Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    QCOMPARE(dropOffering(Qt::LinkAction | Qt::MoveAction), Qt::LinkAction);
    QCOMPARE(rows(), QStringList({a, b}));
    QVERIFY(!child("emptyListHint")->isVisible());
    waitForAnalysis();
    QCOMPARE(files(), 2);

    QMimeData plainText;
    plainText.setText(a);
    dropOn(window.get(), plainText);
    QCOMPARE(rows().size(), 2);

    // Paths outside the home folder are warned of once per drop.
    TestDir elsewhere;
    MessageBoxWatcher watcher;
    drop({home->file("in.txt"), elsewhere.file("o1.txt"), elsewhere.file("o2.txt")});
    drop({elsewhere.file("o3.txt")});
    QCOMPARE(watcher.boxes().size(), 2);
    QCOMPARE(rows().size(), 6);

    // A drop too large for one turn still warns once, then lists every path.
    QStringList many;
    for (int i = 0; i < 20000; ++i)
        many.append(QStringLiteral("/elsewhere/%1.jpg").arg(i));
    window->addPaths(many);
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 20006, patience);
    QCOMPARE(watcher.boxes().size(), 3);
    waitForAnalysis();
    QCOMPARE(files(), 20006);
}

void TestMainWindow::removal()
{
    // Scattered rows go in one pass, and rows and the workers' list stay aligned.
    QStringList many, kept;
    for (int i = 0; i < 1000; ++i) {
        many.append(home->at(QStringLiteral("gone/%1.jpg").arg(i)));
        if (i % 2 == 0 || i == 999)
            kept.append(many.last());
    }
    window->addPaths(many);
    waitForAnalysis();
    auto *view = child<QListView>("listView");
    QItemSelection everyOther;
    for (int row = 1; row < 998; row += 2)
        everyOther.select(view->model()->index(row, 0), view->model()->index(row, 0));
    view->selectionModel()->select(everyOther, QItemSelectionModel::Select);
    // The view leaves Delete and Backspace to the window.
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(rows(), kept);
    window->addPaths({many[1], many[2]});
    QCOMPARE(rows().size(), kept.size() + 1);
    waitForAnalysis();
    QCOMPARE(files(), kept.size() + 1);
    // One suffix left: the extension chooser can no longer be opened.
    QVERIFY(!child("pushExtensions")->isEnabled());

    // An emptied list reports nothing: the counts stay.
    view->selectAll();
    QTest::keyClick(view, Qt::Key_Backspace);
    waitForAnalysis();
    QVERIFY(rows().isEmpty());
    QCOMPARE(files(), kept.size() + 1);
}

void TestMainWindow::progressStripFollowsTheAnalysis()
{
    auto *strip = child("progressStrip");
    auto *viewport = child<QListView>("listView")->viewport();
    QVERIFY(!strip->isVisible());
    const QString big = home->folder("big");
    for (int i = 0; i < 3000; ++i)
        home->file(QStringLiteral("big/%1.jpg").arg(i));
    drop({big});
    // The run's end comes through the event loop: this is still during it.
    QVERIFY(strip->isVisible());
    QCOMPARE(viewport->cursor().shape(), Qt::BusyCursor);
    drop({home->file("late.png")});
    drop({home->file("later.gif")});
    // However the runs fell, the figures shown are those of the whole list.
    waitForAnalysis();
    QCOMPARE(files(), 3002);
    QCOMPARE(child<QLabel>("labelFilesInfosNumberExt")->text(), QStringLiteral("3"));
    QTRY_VERIFY_WITH_TIMEOUT(!strip->isVisible(), patience);
    QVERIFY(viewport->cursor().shape() != Qt::BusyCursor);

    // Cancel stops the analysis; a rename would lack part of the suffixes.
    QSignalSpy finished(window->findChild<Analize *>(), &QThread::finished);
    QTest::keyClick(child<QListView>("listView"), Qt::Key_Delete);
    QTest::mouseClick(strip->findChild<QPushButton *>("pushCancel"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    // The run may have ended before the click arrived.
    const bool cancelled = window->findChild<Analize *>()->wasCancelled();
    QTRY_VERIFY(!strip->isVisible());
    QCOMPARE(child("pushRename")->isEnabled(), !cancelled);
}

void TestMainWindow::extensionChoiceOutlivesNewDrops()
{
    drop({home->file("a.txt"), home->file("b.jpg")});
    waitForAnalysis();
    auto *all = child<QCheckBox>("checkRenameAllExtensions");
    auto *byExtensions = child<QCheckBox>("checkRenameByExtensions");
    auto *extensions = window->findChild<Extensions *>();
    click("pushExtensions");
    for (QCheckBox *box : extensions->findChildren<QCheckBox *>())
        box->setChecked(box->accessibleName() != QLatin1String("txt"));
    extensions->accept();
    QVERIFY(byExtensions->isChecked() && !all->isChecked());

    // Another drop keeps the choice: txt stays out, the new png comes in.
    drop({home->file("c.png")});
    waitForAnalysis();
    QCOMPARE(extensions->selectedExtensions(false), QStringList({"jpg", "png"}));
    click("checkRenameAllExtensions");
    QVERIFY(all->isChecked() && !byExtensions->isChecked());
    // A fresh list starts from a fresh choice.
    click("pushResetList");
    QVERIFY(rows().isEmpty() && child("emptyListHint")->isVisible());
    QCOMPARE(status(), QStringLiteral("Reseting done !"));
    QVERIFY(drop({home->file("a.txt")}));
    waitForAnalysis();
    QCOMPARE(extensions->selectedExtensions(false), QStringList({"txt"}));
}

void TestMainWindow::formatPreview()
{
    // The text, the position and the order each redo the whole example,
    // which is what the run gives "filename.txt" among the input's files.
    auto *format = child<QLineEdit>("lineOutputFormat");
    auto *example = child<QLabel>("labelOutputFormat");
    QCOMPARE(example->text(), QStringLiteral("1.txt"));
    QTest::keyClicks(format, "Trip");
    QCOMPARE(example->text(), QStringLiteral("Trip1.txt"));
    click("radioFormatSuffix");
    QCOMPARE(example->text(), QStringLiteral("filename-Trip1.txt"));
    click("checkReverseFormat");
    QCOMPARE(example->text(), QStringLiteral("filename-1Trip.txt"));
    format->clear();
    QCOMPARE(example->text(), QStringLiteral("filename-1.txt"));

    // Padded as wide as the count of files, like the run's numbers.
    QStringList files;
    for (int i = 0; i < 12; ++i)
        files.append(home->file(QString("many/%1.txt").arg(i)));
    QVERIFY(drop({home->at("many")}));
    waitForAnalysis();
    QTRY_COMPARE(example->text(), QStringLiteral("filename-01.txt"));
}

void TestMainWindow::previewThenUndoAfterARestart()
{
    auto *rename = window->findChild<Rename *>();
    QSignalSpy started(rename, &QThread::started);
    QSignalSpy finished(rename, &QThread::finished);
    MessageBoxWatcher watcher("No");
    click("pushRename");
    QCOMPARE(watcher.boxes().size(), 1); // nothing to rename yet

    const QString folder = home->folder("trip");
    home->file("trip/a.jpg", "a");
    home->file("trip/b.jpg", "b");
    drop({folder, home->file("docs/x.jpg")});
    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), "T");
    child<QComboBox>("comboRenameBy")->setCurrentIndex(2); // by name
    waitForAnalysis();

    click("pushPreview");
    auto *table = window->findChild<QTableView *>("tablePreview");
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 3, patience);
    QCOMPARE(table->model()->index(0, 1).data().toString(), QStringLiteral("T1.jpg"));
    QVERIFY(window->findChild<QWidget *>("Preview")->isVisible());
    QCOMPARE(home->names("trip"), QStringList({"a.jpg", "b.jpg"})); // nothing happened

    // The question comes once the plan is made, with the new names in its details.
    click("pushRename");
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 2, patience);
    QCOMPARE(watcher.boxes().last().text,
             QStringLiteral("You have selected to rename your files : \nT1.txt\n\nContinue ?"));
    QVERIFY(watcher.boxes().last().details.startsWith(QStringLiteral("3 files will be renamed.")));
    QVERIFY(watcher.boxes().last().details.contains(QDir::toNativeSeparators(home->at("trip/b.jpg"))
                                                    + QStringLiteral(" → T2.jpg")));
    QCOMPARE(started.count(), 0);

    // Queued behind the start and ahead of the end: this runs during the run.
    QStringList changeableDuringRun;
    connect(
        rename, &QThread::started, window.get(),
        [&] {
            for (const char *name : {"pushRename", "pushReplace", "pushResetList"})
                if (child(name)->isEnabled())
                    changeableDuringRun << name;
            if (drop({home->file("late.txt")}))
                changeableDuringRun << "input list";
        },
        Qt::QueuedConnection);
    watcher.setButtonText("Yes");
    click("pushRename");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Renaming done !"), patience);
    QCOMPARE(changeableDuringRun, QStringList());
    QCOMPARE(home->names("trip"), QStringList({"T1.jpg", "T2.jpg"}));
    QCOMPARE(home->names("docs"), QStringList({"T1.jpg"}));
    QCOMPARE(rows(), QStringList({QDir::toNativeSeparators(folder + QLatin1Char('/')),
                                  home->at("docs/T1.jpg")}));

    // A new window reads the journal afresh, as after a restart.
    window = std::make_unique<MainWindow>();
    auto *undo = window->findChild<QAction *>("actionUndo");
    QCOMPARE(undo->text(), QStringLiteral("Undo rename of 3 files"));
    watcher.setButtonText("Undo");
    undo->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(home->names("trip"), QStringList({"a.jpg", "b.jpg"}), patience);
    QCOMPARE(home->content("trip/a.jpg"), QByteArray("a"));
    QCOMPARE(home->names("docs"), QStringList({"x.jpg"}));
    // The question said which folders the batch touched.
    const QString question = watcher.boxes().last().text;
    QVERIFY2(question.contains(QDir::toNativeSeparators(home->at("trip")))
                 && question.contains(QDir::toNativeSeparators(home->at("docs"))),
             qPrintable(question));
    QTRY_VERIFY_WITH_TIMEOUT(!undo->isEnabled(), patience);
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 3, patience);
    QVERIFY(rows().contains(QDir::toNativeSeparators(home->at("trip/b.jpg"))));
}

// Edit → History lists every batch, newest first, and undoes an older one
// unless a later batch renamed its files again.
void TestMainWindow::historyUndoesAnyBatch()
{
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        home->file(QStringLiteral("trip/") + name, name);
    const QString folder = QDir(home->at("trip")).canonicalPath() + '/';
    Journal journal;
    QStringList ids; // newest first
    for (const auto &[from, to] :
         {std::pair{"a.jpg", "A.jpg"}, {"b.jpg", "B.jpg"}, {"A.jpg", "AA.jpg"}}) {
        // The middle one was a replace, which its row names.
        const bool replace = QLatin1String(from) == "b.jpg";
        const QByteArray rules =
            replace ? QByteArray(R"({"rules": [{"kind": "replace", "find": "b", "with": "B"}]})")
                    : QByteArray();
        ids.prepend(BatchRun::carryOut({{folder, from, to}},
                                       replace ? Journal::Kind::Replace : Journal::Kind::Rename, {},
                                       &journal, QString(), {}, rules)
                        .batchId);
    }

    auto *action = child<QAction>("actionHistory");
    QVERIFY(child<QMenu>("menuEdit")->actions().contains(action));
    action->trigger();
    auto *history = child<QDialog>("History");
    QVERIFY(history && history->isVisible());
    QCOMPARE(history->windowTitle(), QStringLiteral("History"));
    auto *table = history->findChild<QTableView *>("tableHistory");
    const auto shown = [table](int row, int column) {
        return table->model()->index(row, column).data().toString();
    };
    const auto listed = [&] {
        QStringList found;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            found << table->model()->index(row, 0).data(Qt::UserRole).toString();
        return found;
    };
    QCOMPARE(listed(), ids);
    QCOMPARE(QStringList({shown(2, 1), shown(2, 2), shown(2, 3), shown(2, 4)}),
             QStringList({"Rename", QDir::toNativeSeparators(folder.chopped(1)), "1", "done"}));
    QCOMPARE(shown(1, 1), QStringLiteral("Replace: b → B"));

    // The oldest waits for the newest, which renamed its file again.
    MessageBoxWatcher watcher("Undo");
    table->selectRow(2);
    click("pushHistoryUndo");
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 2, patience);
    QVERIFY2(watcher.boxes()[1].text.contains(ids[0]), qPrintable(watcher.boxes()[1].text));
    QCOMPARE(home->names("trip"), QStringList({"AA.jpg", "B.jpg", "c.jpg"}));

    auto *undo = history->findChild<QPushButton *>("pushHistoryUndo");
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), patience);
    table->selectRow(1);
    QTest::mouseClick(undo, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(home->names("trip"), QStringList({"AA.jpg", "b.jpg", "c.jpg"}),
                              patience);
    QCOMPARE(home->content("trip/b.jpg"), QByteArray("b.jpg"));
    // The undo comes on top, and the batch it took back can no longer be undone.
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 4, patience);
    QCOMPARE(listed().mid(1), ids);
    QCOMPARE(shown(2, 4), QStringLiteral("undone"));
    table->selectRow(2);
    QVERIFY(!undo->isEnabled());
}

void TestMainWindow::replaceEndToEnd()
{
    MessageBoxWatcher watcher;
    click("pushReplace");
    QCOMPARE(watcher.boxes().size(), 1); // nothing to look for

    const QString folder = home->folder("scans");
    home->file("scans/IMG_0042.jpg", "42");
    home->file("scans/DSC_0042.jpg");
    drop({folder, home->file("notes/report_v1.txt")});
    const QStringList before = rows();
    auto *replace = window->findChild<Replace *>();
    QSignalSpy started(replace, &QThread::started);
    QSignalSpy finished(replace, &QThread::finished);
    // No question asked; "Refresh list view " checked keeps the list.
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), "_v1");
    click("pushReplace");
    // The run may end before any wait starts: count, don't wait for a new one.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QCOMPARE(home->names("notes"), QStringList({"report.txt"}));
    QTRY_VERIFY_WITH_TIMEOUT(child("pushReplace")->isEnabled(), patience);
    QCOMPARE(rows(), before);

    // A broken pattern is named before anything starts.
    click("checkReplaceRegExp");
    child<QLineEdit>("lineReplaceIn")->setText("IMG_(\\d+");
    click("pushReplace");
    QCOMPARE(watcher.boxes().size(), 2);
    QVERIFY(watcher.boxes().last().text.contains(QStringLiteral("unexpected end")));
    QCOMPARE(started.size(), 1);

    child<QLineEdit>("lineReplaceIn")->setText("IMG_(\\d+)");
    child<QLineEdit>("lineReplaceOut")->setText("photo-\\1");
    click("checkRefreshListView");
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, patience);
    QCOMPARE(home->content("scans/photo-0042.jpg"), QByteArray("42"));
    QVERIFY(QFile::exists(home->at("scans/DSC_0042.jpg")));
    // The refreshed list comes after the end of the run, on its own.
    QTRY_COMPARE_WITH_TIMEOUT(rows().value(0), QDir::toNativeSeparators(folder + QLatin1Char('/')),
                              patience);
    QCOMPARE(rows().size(), 2);
    QCOMPARE(watcher.boxes().size(), 2);
}

// On a volume without a trash, "Delete if exists" would delete for good: the
// window asks first, runs nothing on No, and the plan it asked about on Yes.
void TestMainWindow::replaceAsksBeforeDeletingForGood()
{
    TestVolume stick(TestVolume::Tmpfs, 4);
    if (!stick.isMounted())
        QSKIP(qPrintable(stick.skipReason()));
    QFile noTrash(stick.path() + "/.Trash-" + QString::number(::getuid()));
    QVERIFY(noTrash.open(QIODevice::WriteOnly)); // a file where its trash would go
    noTrash.close();
    const auto write = [&stick](const QString &name, const QByteArray &content) {
        QFile file(stick.path() + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    };
    write("a.txt", "new");
    write("b.txt", "old");
    MessageBoxWatcher watcher; // the drop warns: the stick lies outside the home folder
    drop({stick.path() + "/a.txt"});
    const int warnings = int(watcher.boxes().size());
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), "a");
    QTest::keyClicks(child<QLineEdit>("lineReplaceOut"), "b");
    click("checkReplaceDeleteIfExists");
    auto *replace = window->findChild<Replace *>();
    QSignalSpy finished(replace, &QThread::finished);

    watcher.setButtonText("No");
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), warnings + 1, patience);
    QVERIFY(watcher.boxes().last().text.contains("deleted for good"));
    QCOMPARE(watcher.boxes().last().details, QDir::toNativeSeparators(stick.path() + "/b.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(child("pushReplace")->isEnabled(), patience);
    QCOMPARE(finished.size(), 0);

    watcher.setButtonText("Yes");
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QFile b(stick.path() + "/b.txt");
    QVERIFY(b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), QByteArray("new"));
    QVERIFY(!QFile::exists(stick.path() + "/a.txt"));
}

void TestMainWindow::batchCutOffIsRecoveredAtStart()
{
    window.reset();
    home->file("d/a", "a");
    const QString folder = QFileInfo(home->at("d")).canonicalFilePath() + '/';
    {
        // A batch written ahead whose process died after parking its file.
        BatchExecutor prepared({{folder, "a", "b"}, {folder, "b", "a"}}, {});
        home->file("d/b", "b");
        Journal journal;
        QString error;
        QVERIFY(!journal.begin(Journal::Kind::Rename, prepared.prepared(), QString(), &error)
                     .isEmpty());
        QVERIFY(QFile::rename(home->at("d/a"), folder + prepared.temporaryName(0)));
    }
    MessageBoxWatcher watcher;
    window = std::make_unique<MainWindow>();
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 1, patience);
    QVERIFY(watcher.boxes().first().text.contains(QStringLiteral("cut off")));
    QCOMPARE(home->names("d"), QStringList({"a", "b"}));
    QCOMPARE(home->content("d/a"), QByteArray("a"));
}

void TestMainWindow::fileMenuAndCommandLineAddLikeADrop()
{
    const QString folder = home->folder("album");
    const QString file = home->file("notes.txt");
    chooseInNextFileDialog(folder);
    // Ctrl+O is the usual "Open" of this platform.
    QTest::keySequence(window.get(), QKeySequence::Open);
    chooseInNextFileDialog(file);
    child<QAction>("actionAddFiles")->trigger();
    QCOMPARE(rows(), QStringList({folder, file}));

    // Relative paths on the command line are taken from the current folder.
    const QString savedCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(home->path()));
    const QString relative = home->file("docs/a.txt");
    const CommandLine given =
        readCommandLine({QStringLiteral("tavrelo"), QStringLiteral("docs/../docs/a.txt"), file});
    QDir::setCurrent(savedCurrent);
    QVERIFY(!given.answered);
    window->addPaths(given.paths);
    QCOMPARE(rows(), QStringList({folder, file, relative}));
    waitForAnalysis();
    QCOMPARE(files(), 2);

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
    Update *update = nullptr;
    Regexp *regexp = nullptr;
    // Windows of their own, without a parent.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        update = update ? update : qobject_cast<Update *>(widget);
        regexp = regexp ? regexp : qobject_cast<Regexp *>(widget);
    }
    QVERIFY(update && regexp && update->isVisible() && regexp->isVisible());
    emit update->updateIsAvailable();
    QVERIFY(!child("labelUpdate")->isHidden());
    // Left open, they would keep the program running without its window.
    child<QAction>("actionQuit")->trigger();
    QVERIFY(!window->isVisible() && !update->isVisible() && !regexp->isVisible());
}

// Help is the last menu: the expressions' help, About.
void TestMainWindow::helpMenu()
{
    const QList<QAction *> menus = child<QMenuBar>("menuBar")->actions();
    QCOMPARE(menus.last()->menu(), child<QMenu>("menuHelp"));

    child<QAction>("actionRegexpHelp")->trigger();
    Regexp *regexp = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        regexp = regexp ? regexp : qobject_cast<Regexp *>(widget);
    QVERIFY(regexp && regexp->isVisible());

    MessageBoxWatcher watcher;
    child<QAction>("actionAbout")->trigger();
    QCOMPARE(watcher.boxes().size(), 1);
    const QString about = watcher.boxes().first().text;
    QVERIFY2(about.contains(QCoreApplication::applicationVersion()), qPrintable(about));
    QVERIFY2(about.contains(QDir::toNativeSeparators(Journal::defaultDirectory()).toHtmlEscaped()),
             qPrintable(about));
    QVERIFY(about.contains("General Public License"));
}

// A run counts from its first file, and no earlier message shows cut short
// beside it.
void TestMainWindow::progressStripCountsFromTheStart()
{
    QStatusBar bar;
    auto *strip = new ProgressStrip(&bar);
    bar.addPermanentWidget(strip);
    bar.show();
    bar.showMessage("Rename done: 3 of 3 files renamed.");
    strip->begin("Renaming", 12000);
    QCOMPARE(bar.currentMessage(), QString());
    QCOMPARE(strip->findChild<QProgressBar *>("progressBar")->format(),
             QLocale().toString(0) + " of " + QLocale().toString(12000));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

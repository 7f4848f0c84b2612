#include "applyrules.h"
#include "journal.h"
#include "mainwindow.h"
#include "planner.h"
#include "presets.h"
#include "previewmodel.h"
#include "replace.h"
#include "rulestab.h"
#include "startup.h"
#include "testphotos.h"
#include "testsupport.h"
#include "update.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSemaphore>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <atomic>

static const int patience = 30000;

// The tab "Rules" driven through the real window and its workers.
class TestRulesTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyKindOfFieldSetsTheRule_data();
    void everyKindOfFieldSetsTheRule();
    void tableFollowsOrderAndSwitches();
    void tableSortsByItsHeaders();
    void brokenPatternMarksItsFieldAndStopsRename();
    void changeDuringPlanningIsPlannedAfterIt();
    void listThatDoesNotFitTheInputStopsRename();
    void listFromFileAndTypedNameRenameAndUndo();
    void photosNamedFromTheirDates();
    void presetsSaveLoadAndDelete();
    void presetNamesRefused_data();
    void presetNamesRefused();
    void renameRunsThePlanShownAndUndoTakesItBack();
    void lastStackComesBackInANewWindow();
    void scanRecursiveReachesEveryTab_data();
    void scanRecursiveReachesEveryTab();

private:
    template <typename T = QWidget> T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    void click(const QString &name)
    {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void openWindow();
    void showRulesTab();
    void addRule(const QString &kind);
    void setField(const QString &key, const QString &value);
    RuleStack stack() const { return window->findChild<RulesTab *>()->stack(); }
    // Old name -> new name, as the table shows them.
    QMap<QString, QString> table() const;
    QString summary() const { return child<QLabel>("labelRulesSummary")->text(); }
    void savePresetAs(const QString &name);

    std::unique_ptr<TestDir> home;
    QByteArray savedHome;
    std::unique_ptr<MainWindow> window;
};

void TestRulesTab::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setApplicationIdentity();
    // Worded as the program words them, counts in the singular included.
    installTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates));
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    savedHome = qgetenv("HOME");
}

void TestRulesTab::init()
{
    home = std::make_unique<TestDir>();
    qputenv("HOME", home->path().toLocal8Bit());
    // Settings are found once per process; each test keeps its own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home->at(".config"));
    openWindow();
}

void TestRulesTab::cleanup()
{
    window.reset();
    home.reset();
    qputenv("HOME", savedHome);
}

void TestRulesTab::openWindow()
{
    // The window going keeps its stack; the new one reads it.
    window.reset();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestRulesTab::showRulesTab()
{
    child<QTabWidget>("tabWidget")->setCurrentWidget(child("tabRules"));
}

void TestRulesTab::addRule(const QString &kind)
{
    // The menu offers every kind the program knows, by its title.
    const QList<QAction *> actions = child<QToolButton>("pushAddRule")->menu()->actions();
    for (QAction *action : actions) {
        if (action->data().toString() == kind) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable("no rule kind " + kind));
}

void TestRulesTab::setField(const QString &key, const QString &value)
{
    QWidget *field = child(QStringLiteral("rule_") + key);
    QVERIFY2(field, qPrintable(key));
    if (auto *path = field->findChild<QLineEdit *>())
        field = path; // a file's path beside its button
    if (auto *lines = qobject_cast<QPlainTextEdit *>(field)) {
        lines->setPlainText(value);
    } else if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->clear();
        QTest::keyClicks(line, value);
    } else if (auto *box = qobject_cast<QCheckBox *>(field)) {
        if (box->isChecked() != (value == QLatin1String("true")))
            box->click();
    } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        const int index = combo->findData(value);
        QVERIFY2(index >= 0, qPrintable(value));
        combo->setCurrentIndex(index);
    } else if (auto *spin = qobject_cast<QSpinBox *>(field)) {
        spin->setValue(value.toInt());
    }
}

QMap<QString, QString> TestRulesTab::table() const
{
    const QAbstractItemModel *model = child<QTableView>("tableRulesPreview")->model();
    QMap<QString, QString> names;
    for (int row = 0; row < model->rowCount(); ++row)
        names.insert(model->index(row, 0).data().toString(),
                     model->index(row, 1).data().toString());
    return names;
}

void TestRulesTab::savePresetAs(const QString &name)
{
    onNextModal([name](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        dialog->setTextValue(name);
        dialog->accept();
    });
    click("pushSavePreset");
}

// Each field of the form is one of the parameter types; an edit takes
// effect at once, in the rule and in the table.
void TestRulesTab::everyKindOfFieldSetsTheRule_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("edits"); // key=value, in order
    QTest::addColumn<QString>("newName");   // of IMG_42.jpg
    addRow("text", QStringLiteral("replace"), QStringList{"find=IMG", "with=pic"},
           QStringLiteral("pic_42.jpg"));
    addRow("flag", QStringLiteral("replace"), QStringList{"find=\\d+", "with=#", "regexp=true"},
           QStringLiteral("IMG_#.jpg"));
    addRow("choice", QStringLiteral("replace"), QStringList{"find=jpg", "with=jpeg", "on=suffix"},
           QStringLiteral("IMG_42.jpeg"));
    // Blanks after the commas are the user's spacing, not part of a suffix.
    addRow("list", QStringLiteral("numbering"), QStringList{"text=n", "extensions=png, jpg"},
           QStringLiteral("n1.jpg"));
}

void TestRulesTab::everyKindOfFieldSetsTheRule()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, edits);
    QFETCH(QString, newName);
    const QString folder = home->folder("photos");
    home->file("photos/IMG_42.jpg");
    QVERIFY(dropPaths(window.get(), {folder}));
    showRulesTab();
    addRule(kind);
    QCOMPARE(child<QListWidget>("listRules")->count(), 1);
    for (const QString &edit : edits)
        setField(edit.section(u'=', 0, 0), edit.section(u'=', 1));
    QTRY_COMPARE_WITH_TIMEOUT(table().value("IMG_42.jpg"), newName, patience);
    const bool renames = newName != QLatin1String("IMG_42.jpg");
    QTRY_COMPARE_WITH_TIMEOUT(summary(),
                              renames ? QStringLiteral("1 of 1 file will be renamed.")
                                      : QStringLiteral("0 of 1 file will be renamed."),
                              patience);
    QCOMPARE(child("pushApplyRules")->isEnabled(), renames);
}

void TestRulesTab::tableFollowsOrderAndSwitches()
{
    const QString folder = home->folder("f");
    home->file("f/a.txt");
    QVERIFY(dropPaths(window.get(), {folder}));
    showRulesTab();
    addRule("replace");
    setField("find", "a");
    setField("with", "b");
    addRule("replace");
    setField("find", "b");
    setField("with", "c");
    // Top to bottom: a → b, then b → c.
    QTRY_COMPARE_WITH_TIMEOUT(table().value("a.txt"), QStringLiteral("c.txt"), patience);
    auto *list = child<QListWidget>("listRules");
    QCOMPARE(list->item(1)->text(), QStringLiteral("Replace: b → c"));

    QVERIFY(!child("pushRuleDown")->isEnabled());
    click("pushRuleUp");
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(stack().at(0).text("find"), QStringLiteral("b"));
    // b → c finds nothing in "a"; a → b comes after it.
    QTRY_COMPARE_WITH_TIMEOUT(table().value("a.txt"), QStringLiteral("b.txt"), patience);

    list->item(1)->setCheckState(Qt::Unchecked);
    QVERIFY(!stack().at(1).enabled);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("a.txt"), QStringLiteral("a.txt"), patience);
    QTRY_COMPARE_WITH_TIMEOUT(summary(), QStringLiteral("0 of 1 file will be renamed."), patience);
    QVERIFY(!child("pushApplyRules")->isEnabled());

    list->item(1)->setCheckState(Qt::Checked);
    click("pushRemoveRule"); // the selected one: b → c
    QCOMPARE(stack().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("a.txt"), QStringLiteral("b.txt"), patience);
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);

    // Delete takes a rule away; the input list, out of sight, keeps its rows.
    auto *inputRows = child<QAbstractItemView>("listView");
    inputRows->selectAll();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(stack().isEmpty());
    QTest::keyClick(child("tableRulesPreview"), Qt::Key_Backspace);
    QCOMPARE(inputRows->model()->rowCount(), 1);
}

// A header click sorts the live table; the order stays while a typed name
// makes the plan again.
void TestRulesTab::tableSortsByItsHeaders()
{
    for (const char *name : {"a10.txt", "b2.txt", "c1.txt"})
        home->file(QStringLiteral("f/") + QLatin1String(name));
    QVERIFY(dropPaths(window.get(), {home->at("f")}));
    showRulesTab();
    addRule("replace");
    setField("find", "b");
    setField("with", "z");
    QTRY_COMPARE_WITH_TIMEOUT(table().value("b2.txt"), QStringLiteral("z2.txt"), patience);

    auto *view = child<QTableView>("tableRulesPreview");
    const auto column = [view](int column) {
        QStringList cells;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            cells << view->model()->index(row, column).data().toString();
        return cells;
    };
    QHeaderView *header = view->horizontalHeader();
    const auto clickHeader = [header](int section) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                   header->height() / 2));
    };
    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(header->sortIndicatorSection(), int(PreviewModel::NewNameColumn));
    QCOMPARE(column(PreviewModel::NewNameColumn), QStringList({"a10.txt", "c1.txt", "z2.txt"}));
    QCOMPARE(column(PreviewModel::OldNameColumn), QStringList({"a10.txt", "c1.txt", "b2.txt"}));
    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(column(PreviewModel::NewNameColumn), QStringList({"z2.txt", "c1.txt", "a10.txt"}));
    clickHeader(PreviewModel::OldNameColumn);
    QCOMPARE(column(PreviewModel::OldNameColumn), QStringList({"a10.txt", "b2.txt", "c1.txt"}));
    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(column(PreviewModel::OldNameColumn), QStringList({"a10.txt", "c1.txt", "b2.txt"}));

    // A name typed in the sorted table goes to its own file.
    const QModelIndex first = view->model()->index(0, PreviewModel::NewNameColumn);
    view->setCurrentIndex(first);
    view->edit(first);
    auto *editor = view->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText("y.txt");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("a10.txt"), QStringLiteral("y.txt"), patience);
    QCOMPARE(column(PreviewModel::OldNameColumn), QStringList({"c1.txt", "a10.txt", "b2.txt"}));
}

void TestRulesTab::brokenPatternMarksItsFieldAndStopsRename()
{
    QVERIFY(dropPaths(window.get(), {home->file("IMG_1.jpg")}));
    showRulesTab();
    addRule("replace");
    setField("find", "IMG_(\\d");
    setField("with", "x");
    auto *problem = child<QLabel>("labelRuleProblem");
    QVERIFY(!problem->isVisible());
    setField("regexp", "true");
    QVERIFY(problem->isVisible());
    QVERIFY(problem->text().contains("not a valid regular expression"));
    // The pattern is at fault, not the switch that makes it one.
    QVERIFY(child("rule_find")->property("problem").toBool());
    QVERIFY(!child("rule_regexp")->property("problem").toBool());
    QVERIFY(!child("rule_with")->property("problem").toBool());
    QCOMPARE(child<QListWidget>("listRules")->item(0)->toolTip(), problem->text());
    QTest::qWait(400); // long past the moment a plan would start
    QVERIFY(!child("pushApplyRules")->isEnabled());
    QVERIFY(summary().contains("not a valid regular expression"));

    QTest::keyClick(child("rule_find"), Qt::Key_End);
    QTest::keyClicks(child("rule_find"), ")");
    QVERIFY(!problem->isVisible());
    QVERIFY(!child("rule_find")->property("problem").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
    QCOMPARE(table().value("IMG_1.jpg"), QStringLiteral("x.jpg"));

    // A rule switched off does not stop the others.
    setField("find", "(");
    addRule("replace");
    setField("find", "IMG");
    setField("with", "pic");
    QVERIFY(!stack().problem().isEmpty());
    child<QListWidget>("listRules")->item(0)->setCheckState(Qt::Unchecked);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("IMG_1.jpg"), QStringLiteral("pic_1.jpg"), patience);
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
}

// A list of names is checked against the whole input before anything may run.
void TestRulesTab::listThatDoesNotFitTheInputStopsRename()
{
    QVERIFY(dropPaths(window.get(), {home->file("b.txt"), home->file("a.txt")}));
    showRulesTab();
    addRule("list");
    setField("names", "one.txt");
    QTRY_VERIFY_WITH_TIMEOUT(summary().contains("the list has 1 names for 2 files"), patience);
    QVERIFY(!child("pushApplyRules")->isEnabled());

    setField("names", "one.txt\ntwo.txt");
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
    QCOMPARE(table().value("b.txt"), QStringLiteral("one.txt"));
}

// Names from a file chosen in the dialog, one typed over in the table: both
// are renamed as shown, recorded with the stack, and undone.
void TestRulesTab::listFromFileAndTypedNameRenameAndUndo()
{
    const QString list = home->file("names.txt", "x.txt\ny.txt\n");
    home->file("docs/a.txt", "a");
    home->file("docs/b.txt", "b");
    QVERIFY(dropPaths(window.get(), {home->at("docs")}));
    showRulesTab();
    addRule("list");
    chooseInNextFileDialog(list);
    click("rule_file_open");
    QCOMPARE(child<QLineEdit>("rule_file_path")->text(), list);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("b.txt"), QStringLiteral("y.txt"), patience);

    auto *view = child<QTableView>("tableRulesPreview");
    QModelIndex typed;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->model()->index(row, 0).data().toString() == "b.txt")
            typed = view->model()->index(row, 1);
    }
    view->setCurrentIndex(typed);
    view->edit(typed);
    auto *editor = view->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText("typed.txt");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(table().value("b.txt"), QStringLiteral("typed.txt"), patience);
    QCOMPARE(table().value("a.txt"), QStringLiteral("x.txt"));
    QCOMPARE(stack().size(), 2);
    QCOMPARE(stack().at(1).kind(), QStringLiteral("edits"));

    MessageBoxWatcher watcher("Yes");
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
    click("pushApplyRules");
    QTRY_COMPARE_WITH_TIMEOUT(home->names("docs"), QStringList({"typed.txt", "x.txt"}), patience);
    QCOMPARE(home->content("docs/typed.txt"), QByteArray("b"));
    const QVector<Journal::Batch> batches = Journal().history();
    QVERIFY(!batches.isEmpty());
    QVERIFY(batches.first().rules.contains("\"edits\""));

    // The batch's end comes after its files are renamed: undo waits for it.
    QTRY_VERIFY_WITH_TIMEOUT(child<QAction>("actionUndo")->isEnabled(), patience);
    watcher.setButtonText("Undo");
    child<QAction>("actionUndo")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(home->names("docs"), QStringList({"a.txt", "b.txt"}), patience);
}

// The table shows a photo's date as its name, and why the others stay.
void TestRulesTab::photosNamedFromTheirDates()
{
    stamp(home->file("shots/dated.jpg", imageBytes("jpeg")),
          {"Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09"});
    home->file("shots/undated.jpg", imageBytes("jpeg"));
    home->file("shots/cut.jpg", imageBytes("jpeg").left(100));
    QVERIFY(dropPaths(window.get(), {home->at("shots")}));
    showRulesTab();
    addRule("template");
    setField("template", "{exif.date:yyyyMMdd}");
    QTRY_COMPARE_WITH_TIMEOUT(table().value("dated.jpg"), QStringLiteral("20210630.jpg"), patience);
    QMap<QString, QString> notes;
    const QAbstractItemModel *model = child<QTableView>("tableRulesPreview")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        notes.insert(model->index(row, 0).data().toString(),
                     model->index(row, 2).data().toString());
    QCOMPARE(notes.value("undated.jpg"), QStringLiteral("stays: it has no exif.date"));
    QCOMPARE(notes.value("cut.jpg"),
             QStringLiteral("stays: it has no exif.date (damaged, or not a photo)"));
    QCOMPARE(summary(), QStringLiteral("1 of 3 files will be renamed."));
}

// A change that comes while a plan is made is planned when that plan ends:
// a thread that is still running cannot be started again.
void TestRulesTab::changeDuringPlanningIsPlannedAfterIt()
{
    QVERIFY(dropPaths(window.get(), {home->file("name.txt")}));
    showRulesTab();
    auto *planner = window->findChild<RulesTab *>()->findChild<Planner *>();
    QVERIFY(planner);
    std::atomic<bool> planning{false};
    std::atomic<bool> hold{true};
    QSemaphore release;
    // The first plan waits for the test, which goes on while it runs.
    const QMetaObject::Connection holding = connect(
        planner, &QThread::started, planner,
        [&] {
            if (!hold.exchange(false))
                return;
            planning = true;
            release.acquire();
        },
        Qt::DirectConnection);
    const auto letGo = qScopeGuard([&] {
        disconnect(holding);
        release.release();
    });
    addRule("replace");
    setField("with", "X");
    QTest::keyClicks(child("rule_find"), "a");
    QTRY_VERIFY_WITH_TIMEOUT(planning, patience);
    QTest::keyClicks(child("rule_find"), "m");
    QTest::qWait(300); // the pause that would start a plan, were none running
    QVERIFY(planner->isRunning());
    QVERIFY(!child("pushApplyRules")->isEnabled());
    release.release();
    QTRY_COMPARE_WITH_TIMEOUT(table().value("name.txt"), QStringLiteral("nXe.txt"), patience);
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
}

void TestRulesTab::presetsSaveLoadAndDelete()
{
    showRulesTab();
    addRule("replace");
    setField("find", "IMG_");
    setField("with", "photo-");
    setField("on", "whole");
    addRule("numbering");
    setField("text", "trip");
    child<QListWidget>("listRules")->item(0)->setCheckState(Qt::Unchecked);
    auto *order = child<QComboBox>("comboRulesOrder");
    order->setCurrentIndex(order->findText("Size (greater first)"));
    emit order->activated(order->currentIndex());
    click("checkRulesReverse");
    const QByteArray saved = stack().toJson();

    MessageBoxWatcher watcher("No");
    savePresetAs("trip");
    auto *presets = child<QComboBox>("comboPresets");
    QCOMPARE(presets->currentText(), QStringLiteral("trip"));
    QCOMPARE(readFile(Presets().pathOf("trip")), saved);

    // Another stack; the preset brings the first back, order and switches too.
    click("pushRemoveRule");
    click("pushRemoveRule");
    click("checkRulesReverse");
    QVERIFY(stack().isEmpty());
    presets->setCurrentIndex(0);
    emit presets->activated(0);
    QCOMPARE(stack().toJson(), saved);
    QCOMPARE(child<QListWidget>("listRules")->count(), 2);
    QCOMPARE(child<QListWidget>("listRules")->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(order->currentText(), QStringLiteral("Size (greater first)"));
    QVERIFY(child<QCheckBox>("checkRulesReverse")->isChecked());

    // The same name again asks first; No keeps the preset as it was.
    click("pushRemoveRule");
    savePresetAs("trip");
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 1, patience);
    QVERIFY(watcher.boxes().last().text.contains("exists already"));
    QCOMPARE(readFile(Presets().pathOf("trip")), saved);
    watcher.setButtonText("Yes");
    savePresetAs("trip");
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 2, patience);
    QCOMPARE(readFile(Presets().pathOf("trip")), stack().toJson());

    // Deleting asks first, too.
    watcher.setButtonText("No");
    click("pushDeletePreset");
    QCOMPARE(watcher.boxes().size(), 3);
    QVERIFY(QFile::exists(Presets().pathOf("trip")));
    watcher.setButtonText("Yes");
    click("pushDeletePreset");
    QVERIFY(!QFile::exists(Presets().pathOf("trip")));
    QCOMPARE(presets->count(), 0);
    QVERIFY(!child("pushDeletePreset")->isEnabled());
}

void TestRulesTab::presetNamesRefused_data()
{
    QTest::addColumn<QString>("name");
    addRow("hidden", QStringLiteral(".trip"));
    addRow("folder", QStringLiteral("a/b"));
    addRow("blank", QStringLiteral("  "));
    addRow("backslash", QStringLiteral("a\\b"));
}

void TestRulesTab::presetNamesRefused()
{
    QFETCH(QString, name);
    showRulesTab();
    addRule("replace");
    MessageBoxWatcher watcher;
    savePresetAs(name);
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 1, patience);
    QVERIFY(watcher.boxes().first().text.contains("cannot be the name of a preset"));
    QCOMPARE(Presets().names(), QStringList());
    QCOMPARE(child<QComboBox>("comboPresets")->count(), 0);
}

void TestRulesTab::renameRunsThePlanShownAndUndoTakesItBack()
{
    const QString folder = home->folder("scans");
    home->file("scans/IMG_1.jpg", "1");
    home->file("scans/IMG_2.jpg", "2");
    QVERIFY(dropPaths(window.get(), {folder}));
    showRulesTab();
    addRule("replace");
    setField("find", "IMG_");
    setField("with", "scan-");
    QTRY_VERIFY_WITH_TIMEOUT(child("pushApplyRules")->isEnabled(), patience);
    QCOMPARE(summary(), QStringLiteral("2 of 2 files will be renamed."));
    // Not in the plan shown: the run leaves it.
    home->file("scans/IMG_3.jpg", "3");

    auto *worker = window->findChild<ApplyRules *>();
    QSignalSpy finished(worker, &QThread::finished);
    MessageBoxWatcher watcher("No");
    click("pushApplyRules");
    QCOMPARE(watcher.boxes().size(), 1);
    QVERIFY(watcher.boxes().first().text.startsWith("Rename 2 files with these rules?"));
    QVERIFY(watcher.boxes().first().text.contains("1. Replace: IMG_ → scan-"));
    QVERIFY(watcher.boxes().first().details.startsWith("2 files will be renamed."));
    QCOMPARE(finished.size(), 0);

    watcher.setButtonText("Yes");
    click("pushApplyRules");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, patience);
    QCOMPARE(home->names("scans"), QStringList({"IMG_3.jpg", "scan-1.jpg", "scan-2.jpg"}));
    QCOMPARE(home->content("scans/scan-2.jpg"), QByteArray("2"));
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
                              QStringLiteral("Rename done: 2 of 2 files renamed."), patience);
    // The table looks at the folder again once the run is over.
    QTRY_COMPARE_WITH_TIMEOUT(summary(), QStringLiteral("1 of 3 files will be renamed."), patience);

    auto *undo = child<QAction>("actionUndo");
    QCOMPARE(undo->text(), QStringLiteral("Undo rename of 2 files"));
    watcher.setButtonText("Undo");
    undo->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(home->names("scans"),
                              QStringList({"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg"}), patience);
    // The list now names the files taken back.
    QTRY_COMPARE_WITH_TIMEOUT(summary(), QStringLiteral("2 of 2 files will be renamed."), patience);
}

void TestRulesTab::lastStackComesBackInANewWindow()
{
    showRulesTab();
    addRule("replace");
    setField("find", "a");
    addRule("numbering");
    child<QListWidget>("listRules")->item(1)->setCheckState(Qt::Unchecked);
    click("checkRulesReverse");
    const QByteArray last = stack().toJson();

    openWindow();
    QCOMPARE(stack().toJson(), last);
    auto *list = child<QListWidget>("listRules");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Replace: a → "));
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    QVERIFY(child<QCheckBox>("checkRulesReverse")->isChecked());

    // What cannot be read is forgotten, not shown.
    window.reset();
    QSettings(QStringLiteral("Tavrelo"), QStringLiteral("Tavrelo"))
        .setValue(QStringLiteral("rules/lastStack"),
                  QStringLiteral("{\"rules\": [{\"kind\": 7}]}"));
    openWindow();
    QVERIFY(stack().isEmpty());
    QCOMPARE(child<QListWidget>("listRules")->count(), 0);
}

void TestRulesTab::scanRecursiveReachesEveryTab_data()
{
    QTest::addColumn<bool>("recursive");
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("replacedInSub");
    addRow("flat", false, 2, QStringList{"x_3.txt"});
    addRow("recursive", true, 3, QStringList{"y_3.txt"});
}

void TestRulesTab::scanRecursiveReachesEveryTab()
{
    QFETCH(bool, recursive);
    QFETCH(int, files);
    QFETCH(QStringList, replacedInSub);
    const QString folder = home->folder("top");
    home->file("top/x_1.txt");
    home->file("top/x_2.txt");
    home->file("top/sub/x_3.txt");
    auto *scan = child<QCheckBox>("checkScanRecursive");
    QVERIFY(scan->isEnabled());
    QVERIFY(dropPaths(window.get(), {folder}));
    if (recursive)
        click("checkScanRecursive");
    // The counts follow the box.
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("labelFilesInfosNumberFiles")->text().toInt(), files,
                              patience);

    showRulesTab();
    addRule("replace");
    setField("find", "x");
    setField("with", "z");
    QTRY_COMPARE_WITH_TIMEOUT(
        summary(), QStringLiteral("%1 of %1 files will be renamed.").arg(files), patience);
    QCOMPARE(table().contains("x_3.txt"), recursive);

    // The Replace tab's run reaches as far.
    child<QTabWidget>("tabWidget")->setCurrentWidget(child("tab_3"));
    QTest::keyClicks(child("lineReplaceIn"), "x");
    QTest::keyClicks(child("lineReplaceOut"), "y");
    QSignalSpy replaced(window->findChild<Replace *>(), &QThread::finished);
    QTRY_VERIFY_WITH_TIMEOUT(child("pushReplace")->isEnabled(), patience);
    click("pushReplace");
    QTRY_COMPARE_WITH_TIMEOUT(replaced.size(), 1, patience);
    QCOMPARE(home->names("top/sub"), replacedInSub);
    QCOMPARE(home->names("top"), QStringList({"sub", "y_1.txt", "y_2.txt"}));
}

QTEST_MAIN(TestRulesTab)
#include "tst_rulestab.moc"

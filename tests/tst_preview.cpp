#include "collationkeys.h"
#include "mainwindow.h"
#include "planner.h"
#include "previewmodel.h"
#include "startup.h"
#include "testsupport.h"
#include "update.h"

#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QThreadPool>
#include <QtTest>

// A loaded machine under the sanitizers may take a while; a hang still fails.
static const int patience = 30000;

// The preview window as a workbench: every row at once, sorted by a header
// click, the file in a name's way named, and the plan shown run from there.
class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void largeFolderSortsAndReachesItsLastRowAtOnce();
    void aFileInTheWayIsNamed_data();
    void aFileInTheWayIsNamed();
    void runsThePlanShown_data();
    void runsThePlanShown();
    void keysOrderAsTheCollator_data();
    void keysOrderAsTheCollator();
    void largePlanSortedAsideEndsAsAtOnce_data();
    void largePlanSortedAsideEndsAsAtOnce();
    void newerSortOrPlanWinsOverOneUnderWay();
    void selectionAndEditFollowTheirFile();

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QTableView *table() const { return child<QTableView>("tablePreview"); }
    PreviewModel *model() const { return qobject_cast<PreviewModel *>(table()->model()); }
    QString cell(int row, int column) const
    {
        return table()->model()->index(row, column).data().toString();
    }
    void clickHeader(int column);
    void waitForAnalysis()
    {
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushRename")->isEnabled(), patience);
    }
    // Shows the preview of a rename to "T1", "T2"… in name order.
    void previewRename(const QStringList &paths);
    // Files of many names, kinds and two folders below "many", for the
    // models below, and a plan of them made by the planner.
    void makeManyFiles();
    PlanPreview planOfMany(const QString &format);

    QByteArray savedHome;
    std::unique_ptr<TestDir> home;
    std::unique_ptr<MainWindow> window;
};

void TestPreview::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setApplicationIdentity();
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    savedHome = qgetenv("HOME");
    // The "C" locale collates by code point, numbers and all; a user's
    // locale puts "IMG_2" before "IMG_10".
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestPreview::init()
{
    home = std::make_unique<TestDir>();
    qputenv("HOME", home->path().toLocal8Bit());
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestPreview::cleanup()
{
    window.reset();
    home.reset();
    qputenv("HOME", savedHome);
}

void TestPreview::clickHeader(int column)
{
    QHeaderView *header = table()->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, middle);
}

void TestPreview::previewRename(const QStringList &paths)
{
    QVERIFY(dropPaths(window.get(), paths));
    QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), "T");
    child<QComboBox>("comboRenameBy")->setCurrentIndex(2); // by name
    waitForAnalysis();
    QTest::mouseClick(child<QPushButton>("pushPreview"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushPreviewRename")->isEnabled(), patience);
}

// More rows than a view would be handed in one slice, with numbers in the
// names, so that a plain text order and a cut-off model both show.
void TestPreview::largeFolderSortsAndReachesItsLastRowAtOnce()
{
    const int count = 2500;
    for (int i = 0; i < count; ++i)
        home->file(QStringLiteral("big/IMG_%1.jpg").arg(i));
    previewRename({home->at("big")});
    QCOMPARE(table()->model()->rowCount(), count);
    QCOMPARE(model()->preview().rows.size(), count);
    QStringList headers;
    for (int column = 0; column < PreviewModel::ColumnCount; ++column)
        headers << table()->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"Old name", "New name", "Note", "Folder"}));

    QMap<QString, QString> planned;
    for (int row = 0; row < count; ++row)
        planned.insert(cell(row, 0), cell(row, 1));

    // Ctrl+End lands on the last row with no waiting for more to come.
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table()->currentIndex().row(), count - 1);
    table()->selectRow(count - 1);
    QCOMPARE(table()->selectionModel()->selectedRows().size(), 1);

    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(table()->horizontalHeader()->sortIndicatorSection(), int(PreviewModel::NewNameColumn));
    QCOMPARE(QStringList({cell(0, 1), cell(1, 1), cell(9, 1), cell(count - 1, 1)}),
             QStringList({"T0001.jpg", "T0002.jpg", "T0010.jpg", "T2500.jpg"}));
    for (int row = 1; row < count; ++row)
        QVERIFY2(cell(row - 1, 1) < cell(row, 1), qPrintable(cell(row, 1)));
    // The row under the cursor follows its file through the sort.
    const QString current = cell(table()->currentIndex().row(), PreviewModel::OldNameColumn);
    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(cell(0, 1), QStringLiteral("T2500.jpg"));
    QCOMPARE(cell(table()->currentIndex().row(), PreviewModel::OldNameColumn), current);

    // Numbers in names in their natural order, as a file manager lists them.
    clickHeader(PreviewModel::OldNameColumn);
    QCOMPARE(QStringList({cell(0, 0), cell(1, 0), cell(2, 0), cell(10, 0), cell(count - 1, 0)}),
             QStringList({"IMG_0.jpg", "IMG_1.jpg", "IMG_2.jpg", "IMG_10.jpg", "IMG_2499.jpg"}));
    // A row's new name stays with its old one, whatever the order.
    for (int row = 0; row < count; ++row)
        QCOMPARE(cell(row, 1), planned.value(cell(row, 0)));

    // A plan this large for the model: the order is made aside, under a
    // busy pointer, and ends the same.
    model()->setAsyncSortThreshold(count);
    clickHeader(PreviewModel::NewNameColumn);
    QCOMPARE(table()->horizontalHeader()->sortIndicatorSection(), int(PreviewModel::NewNameColumn));
    QVERIFY(model()->isSorting());
    QCOMPARE(table()->viewport()->cursor().shape(), Qt::BusyCursor);
    QTRY_VERIFY_WITH_TIMEOUT(!model()->isSorting(), patience);
    QCOMPARE(table()->viewport()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(QStringList({cell(0, 1), cell(1, 1), cell(count - 1, 1)}),
             QStringList({"T0001.jpg", "T0002.jpg", "T2500.jpg"}));

    // Planned again while sorted: the first row of the order is current once
    // the order comes, and Ctrl+End goes from there.
    QSignalSpy sorting(model(), &PreviewModel::sortingChanged);
    QTest::mouseClick(child<QPushButton>("pushPreview"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(sorting.size(), 2, patience);
    QCOMPARE(cell(table()->currentIndex().row(), 1), QStringLiteral("T0001.jpg"));
    QTest::keyClick(table(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(cell(table()->currentIndex().row(), 1), QStringLiteral("T2500.jpg"));
}

void TestPreview::aFileInTheWayIsNamed_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("wholeFolder"); // or only the first file
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QStringList>("staying"); // one of these files keeps its name
    QTest::addColumn<QString>("note");        // %1: the other of them
    QTest::addColumn<bool>("oneMoves");
    // Replacing "a" by "b" makes a.txt want b.txt, which is there already.
    addRow("a file outside the request", QStringList{"a.txt", "b.txt"}, false, QString("a"),
           QString("b"), QStringList{"a.txt"},
           QStringLiteral("stays: \"b.txt\" is taken by a file outside the request"), false);
    addRow("a file of the request that keeps its name", QStringList{"a.txt", "b.txt"}, true,
           QString("a"), QString("b"), QStringList{"a.txt"},
           QStringLiteral("stays: \"b.txt\" is taken by a file that keeps its name"), false);
    // Both would become "a.txt": the one listed first gets it, the other
    // names it.
    addRow("a file of the request given the same new name", QStringList{"ax.txt", "xa.txt"}, true,
           QString("x"), QString(), QStringList{"ax.txt", "xa.txt"},
           QStringLiteral("stays: \"%1\" is given the same new name"), true);
}

void TestPreview::aFileInTheWayIsNamed()
{
    QFETCH(QStringList, files);
    QFETCH(bool, wholeFolder);
    QFETCH(QString, find);
    QFETCH(QString, with);
    QFETCH(QStringList, staying);
    QFETCH(QString, note);
    QFETCH(bool, oneMoves);
    for (const QString &file : files)
        home->file("d/" + file, file.toUtf8());
    QVERIFY(dropPaths(window.get(), {wholeFolder ? home->at("d") : home->at("d/" + files[0])}));
    QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), find);
    QTest::keyClicks(child<QLineEdit>("lineReplaceOut"), with);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushPreviewReplace")->isEnabled(), patience);
    QTest::mouseClick(child<QPushButton>("pushPreviewReplace"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(table()->model()->rowCount(), wholeFolder ? 2 : 1, patience);
    // Sorted, so that the file named is looked for in the plan, not among
    // the rows above.
    clickHeader(PreviewModel::OldNameColumn);
    clickHeader(PreviewModel::OldNameColumn);
    int row = 0;
    while (
        row < table()->model()->rowCount()
        && !(staying.contains(cell(row, PreviewModel::OldNameColumn))
             && cell(row, PreviewModel::NewNameColumn) == cell(row, PreviewModel::OldNameColumn)))
        ++row;
    QVERIFY(row < table()->model()->rowCount());
    staying.removeOne(cell(row, PreviewModel::OldNameColumn));
    if (note.contains("%1"))
        note = note.arg(staying.value(0));
    QCOMPARE(cell(row, PreviewModel::NoteColumn), note);
    // In full, not cut to an ellipsis.
    QVERIFY(table()->columnWidth(PreviewModel::NoteColumn)
            > table()->fontMetrics().horizontalAdvance(note));
    QCOMPARE(child<QPushButton>("pushPreviewRename")->isEnabled(), oneMoves);
}

void TestPreview::runsThePlanShown_data()
{
    QTest::addColumn<bool>("replacing");
    addRow("rename", false);
    addRow("replace", true);
}

// The run takes the plan in the window, also when the options changed since.
void TestPreview::runsThePlanShown()
{
    QFETCH(bool, replacing);
    home->file("trip/a.jpg", "a");
    home->file("trip/b.jpg", "b");
    MessageBoxWatcher watcher("No");
    if (replacing) {
        QVERIFY(dropPaths(window.get(), {home->at("trip")}));
        QTest::keyClicks(child<QLineEdit>("lineReplaceIn"), "a");
        QTest::keyClicks(child<QLineEdit>("lineReplaceOut"), "x");
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushPreviewReplace")->isEnabled(), patience);
        QTest::mouseClick(child<QPushButton>("pushPreviewReplace"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>("pushPreviewRename")->isEnabled(), patience);
        QTest::keyClicks(child<QLineEdit>("lineReplaceOut"), "y");
    } else {
        previewRename({home->at("trip")});
        // Asked as the main window asks, and nothing happens on "No".
        QTest::mouseClick(child<QPushButton>("pushPreviewRename"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes().size(), 1, patience);
        QCOMPARE(watcher.boxes().last().text,
                 QStringLiteral("You have selected to rename your files : \nT1.txt\n\nContinue ?"));
        QCOMPARE(home->names("trip"), QStringList({"a.jpg", "b.jpg"}));
        QTest::keyClicks(child<QLineEdit>("lineOutputFormat"), "U");
    }
    watcher.setButtonText("Yes");
    QTest::mouseClick(child<QPushButton>("pushPreviewRename"), Qt::LeftButton);
    const QStringList renamed =
        replacing ? QStringList({"b.jpg", "x.jpg"}) : QStringList({"T1.jpg", "T2.jpg"});
    QTRY_COMPARE_WITH_TIMEOUT(home->names("trip"), renamed, patience);
    QVERIFY(!child("Preview")->isVisible());

    auto *undo = window->findChild<QAction *>("actionUndo");
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), patience);
    // The run has ended; its plan, now spent, is not offered again.
    QVERIFY(!child<QPushButton>("pushPreviewRename")->isEnabled());
    watcher.setButtonText("Undo");
    undo->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(home->names("trip"), QStringList({"a.jpg", "b.jpg"}), patience);
}

// The keys the model sorts by, against QCollator's own: numbers in names,
// leading zeros, punctuation, letter case, accents, other scripts and names
// that tie, in locales with letters of their own.
void TestPreview::keysOrderAsTheCollator_data()
{
    QTest::addColumn<QString>("locale");
    addRow("English", QString("en_US"));
    addRow("German", QString("de_DE"));
    addRow("Swedish (\"aa\", \"w\")", QString("sv_SE"));
    addRow("Danish (\"aa\" after \"z\")", QString("da_DK"));
    addRow("Czech (\"ch\" after \"h\")", QString("cs_CZ"));
    addRow("Japanese", QString("ja_JP"));
    addRow("C: code points", QString("C"));
}

void TestPreview::keysOrderAsTheCollator()
{
    QFETCH(QString, locale);
    // Ties, punctuation, letter case, numbers with zeros and past 64 bits,
    // letters some languages sort apart, accents and other scripts.
    const QStringList names =
        QString(
            "|a|A|b|B.txt|a.txt|a_b|a-b|a b|a.b|a,b|a(b)|a~b|a+b|a!b|a#b|a'b|ab|aB|Ab|img2|img10|"
            "IMG1|img01|img001|img1a|img1.jpg|img1_2|img 1|img-1|0|00|007|7|10|9|1.5|1.10|"
            "v1.2.10|v1.2.9|x99999999999999999999|x100000000000000000000|aa|Aa|ch|cz|h|i|"
            "w|v|z|zz|é|e|E|f|ä|ae|ß|ss|Ω|日本|本|Ж|ё|\u00a0a|~|_|.")
            .split('|');
    QCollator collator{QLocale(locale)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    CollationKeys keys{QLocale(locale)};
    std::vector<QCollatorSortKey> expected;
    for (const QString &name : names) {
        keys.add(name);
        expected.push_back(collator.sortKey(name));
    }
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (int a = 0; a < names.size(); ++a) {
        for (int b = 0; b < names.size(); ++b) {
            QVERIFY2(sign(keys.compare(a, b))
                         == sign(expected[size_t(a)].compare(expected[size_t(b)])),
                     qPrintable(names[a] + " / " + names[b]));
        }
    }
}

void TestPreview::makeManyFiles()
{
    // Three spellings of a prefix, numbers with and without zeros, and a
    // suffix that is not renamed: notes, names and folders all differ.
    const QStringList prefixes = {"img_", "IMG-", "Img "};
    for (int i = 0; i < 240; ++i) {
        const QString number = i % 4 ? QString::number(i) : QString("%1").arg(i, 4, 10, QChar('0'));
        const QString folder = i % 7 ? "many/" : "many/sub/";
        home->file(folder + prefixes[i % 3] + number + (i % 5 ? ".jpg" : ".txt"));
    }
}

PlanPreview TestPreview::planOfMany(const QString &format)
{
    PlanRequest request;
    request.pathList = QStringList{home->at("many")};
    request.rename.outputFormat = format;
    request.rename.listExtensions = QStringList{"jpg"};
    request.rename.renameBy = 2;
    request.rename.renameByReversed = true;
    request.rename.recursive = true;
    request.recursive = true;
    Planner planner(nullptr);
    PlanPreview plan;
    bool planned = false;
    connect(&planner, &Planner::planned, this, [&](const PlanPreview &made) {
        plan = made;
        planned = true;
    });
    planner.setRequest(request);
    planner.start();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(planned, patience); }();
    planner.wait();
    return plan;
}

// The files in the order the model shows them, and in the plan's order.
static QStringList shownFiles(const PreviewModel &model)
{
    QStringList files;
    for (int row = 0; row < model.rowCount(); ++row)
        files << model.plannedAt(row).sourcePath();
    return files;
}

static QStringList plannedFiles(const PlanPreview &plan)
{
    QStringList files;
    for (const PlannedRename &row : plan.rows)
        files << row.sourcePath();
    return files;
}

void TestPreview::largePlanSortedAsideEndsAsAtOnce_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    addRow("old name", int(PreviewModel::OldNameColumn), Qt::AscendingOrder);
    addRow("new name, descending", int(PreviewModel::NewNameColumn), Qt::DescendingOrder);
    addRow("note", int(PreviewModel::NoteColumn), Qt::AscendingOrder);
    addRow("folder, descending", int(PreviewModel::FolderColumn), Qt::DescendingOrder);
}

void TestPreview::largePlanSortedAsideEndsAsAtOnce()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    makeManyFiles();
    const PlanPreview first = planOfMany("T");
    const PlanPreview second = planOfMany("U");
    QCOMPARE(first.rows.size(), 240);
    PreviewModel atOnce(nullptr);
    PreviewModel aside(nullptr);
    aside.setAsyncSortThreshold(100);
    QSignalSpy sorting(&aside, &PreviewModel::sortingChanged);
    atOnce.setPreview(first);
    aside.setPreview(first);
    QVERIFY(!aside.isSorting()); // nothing sorted yet: the plan's order

    // A header click: the rows stay as they were until the order comes.
    const QStringList before = shownFiles(aside);
    atOnce.sort(column, order);
    aside.sort(column, order);
    QVERIFY(aside.isSorting());
    QCOMPARE(shownFiles(aside), before);
    QTRY_VERIFY_WITH_TIMEOUT(!aside.isSorting(), patience);
    QCOMPARE(shownFiles(aside), shownFiles(atOnce));
    QVERIFY(shownFiles(aside) != before);
    QCOMPARE(sorting.size(), 2);

    // A plan made again while sorted: shown in its own order at first.
    atOnce.setPreview(second);
    aside.setPreview(second);
    QVERIFY(aside.isSorting());
    QCOMPARE(shownFiles(aside), plannedFiles(second));
    QTRY_VERIFY_WITH_TIMEOUT(!aside.isSorting(), patience);
    QCOMPARE(shownFiles(aside), shownFiles(atOnce));
}

void TestPreview::newerSortOrPlanWinsOverOneUnderWay()
{
    makeManyFiles();
    const PlanPreview first = planOfMany("T");
    const PlanPreview second = planOfMany("U");
    QCOMPARE(second.rows.size(), 240);
    PreviewModel atOnce(nullptr);
    PreviewModel aside(nullptr);
    aside.setAsyncSortThreshold(1);
    atOnce.setPreview(first);
    aside.setPreview(first);
    QSignalSpy orders(&aside, &QAbstractItemModel::layoutChanged);

    // The first order is made and on its way to the model when the second
    // is asked for: it must not land.
    aside.sort(PreviewModel::OldNameColumn, Qt::AscendingOrder);
    QThreadPool::globalInstance()->waitForDone();
    aside.sort(PreviewModel::NewNameColumn, Qt::DescendingOrder);
    atOnce.sort(PreviewModel::NewNameColumn, Qt::DescendingOrder);
    QTRY_VERIFY_WITH_TIMEOUT(!aside.isSorting(), patience);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(&aside);
    QCOMPARE(orders.size(), 1);
    QCOMPARE(shownFiles(aside), shownFiles(atOnce));

    // The same with a new plan: the order of the old one is dropped.
    aside.sort(PreviewModel::FolderColumn, Qt::AscendingOrder);
    atOnce.sort(PreviewModel::FolderColumn, Qt::AscendingOrder);
    QThreadPool::globalInstance()->waitForDone();
    aside.setPreview(second);
    atOnce.setPreview(second);
    QTRY_VERIFY_WITH_TIMEOUT(!aside.isSorting(), patience);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(&aside);
    QCOMPARE(orders.size(), 2);
    QCOMPARE(shownFiles(aside), shownFiles(atOnce));

    // Back to the plan's order: at once, and whatever was under way is off.
    aside.sort(PreviewModel::OldNameColumn, Qt::DescendingOrder);
    aside.sort(-1, Qt::AscendingOrder);
    QVERIFY(!aside.isSorting());
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(&aside);
    QCOMPARE(shownFiles(aside), plannedFiles(second));
}

// What a user holds in the table (the selected row, the current one, a new
// name being typed) stays with its file while the order comes and lands.
void TestPreview::selectionAndEditFollowTheirFile()
{
    makeManyFiles();
    PreviewModel model(nullptr);
    model.setAsyncSortThreshold(1);
    model.setEditable(true);
    model.setPreview(planOfMany("T"));
    QCOMPARE(model.rowCount(), 240);
    QTableView view;
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy typed(&model, &PreviewModel::newNameTyped);

    const int selectedRow = 5;
    const QString selected = model.plannedAt(selectedRow).sourcePath();
    view.selectRow(selectedRow);
    const int editedRow = 6;
    const QString edited = model.plannedAt(editedRow).sourcePath();
    view.edit(model.index(editedRow, PreviewModel::NewNameColumn));
    auto *editor = view.viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);

    view.sortByColumn(PreviewModel::NewNameColumn, Qt::DescendingOrder);
    QVERIFY(model.isSorting());
    // Typed while the order is on its way: the row shown is the one named.
    QVERIFY(model.setData(model.index(selectedRow, PreviewModel::NewNameColumn), "early.jpg",
                          Qt::EditRole));
    QCOMPARE(typed.size(), 1);
    QCOMPARE(typed.last().at(0).toString(), selected);

    QTRY_VERIFY_WITH_TIMEOUT(!model.isSorting(), patience);
    const QModelIndexList rows = view.selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows.first().row() != selectedRow);
    QCOMPARE(model.plannedAt(rows.first().row()).sourcePath(), selected);
    // The editor opened before the order came gives its name to its file.
    editor->setText("late.jpg");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(typed.size(), 2, patience);
    QCOMPARE(typed.last().at(0).toString(), edited);
    QCOMPARE(typed.last().at(1).toString(), QStringLiteral("late.jpg"));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"

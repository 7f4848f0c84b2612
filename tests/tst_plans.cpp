#include "batchnotes.h"
#include "directorylisting.h"
#include "filemoves.h"
#include "filenames.h"
#include "renameplan.h"
#include "replaceplan.h"
#include "rulestack.h"
#include "testdir.h"

#include <QtTest>

// What a batch will do, decided before any file moves: new names, numbering,
// which files a request reaches, the order of a listing.
class TestPlans : public QObject
{
    Q_OBJECT

private slots:
    void numberedNames_data();
    void numberedNames();
    void replacedNames_data();
    void replacedNames();
    void replaceRule_data();
    void replaceRule();
    void namesHeldOutsideTheRequest_data();
    void namesHeldOutsideTheRequest();
    void sharedNameNamesTheFileThatHasIt_data();
    void sharedNameNamesTheFileThatHasIt();
    void namesAsBytes_data();
    void namesAsBytes();
    void caseFoldingKeepsStrayBytes_data();
    void caseFoldingKeepsStrayBytes();
    void numberWidths_data();
    void numberWidths();
    void fileReachedTwiceUsesItsNumberInEveryGroup_data();
    void fileReachedTwiceUsesItsNumberInEveryGroup();
    void fileReachedUnderTwoSpellingsIsOneFile();
    void listingMatchesQDir_data();
    void listingMatchesQDir();
};

void TestPlans::numberedNames_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("expected");
    addRow("numbered text alone", QStringLiteral("a.jpg"), 0, false, QStringLiteral("T7.jpg"));
    addRow("alone, number first", QStringLiteral("a.jpg"), 0, true, QStringLiteral("7T.jpg"));
    addRow("before the old name", QStringLiteral("a.jpg"), 1, false, QStringLiteral("T7-a.jpg"));
    addRow("after the old name, number first", QStringLiteral("a.jpg"), 2, true,
           QStringLiteral("a-7T.jpg"));
    addRow("several dots keep all but the suffix", QStringLiteral("a.b.jpg"), 2, false,
           QStringLiteral("a.b-T7.jpg"));
    addRow("several dots, text alone", QStringLiteral("a.b.jpg"), 0, false,
           QStringLiteral("T7.jpg"));
    addRow("no dot gets none", QStringLiteral("README"), 0, false, QStringLiteral("T7"));
    addRow("no dot, before", QStringLiteral("README"), 1, true, QStringLiteral("7T-README"));
}

void TestPlans::numberedNames()
{
    QFETCH(QString, oldName);
    QFETCH(int, position);
    QFETCH(bool, reversed);
    RenameOptions options;
    options.outputFormat = QStringLiteral("T");
    options.reverseFormat = reversed;
    options.formatPosition = position;
    QTEST(RenamePlan::composeName(oldName, QStringLiteral("7"), options), "expected");
}

void TestPlans::replacedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("put");
    QTest::addColumn<QString>("expected");
    const int base = ReplaceRequest::BaseName;
    const int suffix = ReplaceRequest::Suffix;
    const int regExp = ReplaceRequest::RegExp;
    addRow("in the base name", "photo.jpg", base, "photo", "img", "img.jpg");
    addRow("letter case matters", "Photo.jpg", base, "photo", "img", "Photo.jpg");
    addRow("in the suffix only", "jpeg.jpeg", suffix, "jpeg", "jpg", "jpeg.jpg");
    addRow("every occurrence", "a_a_a.txt", base, "a", "b", "b_b_b.txt");
    addRow("removed", "report_v1.txt", base, "_v1", "", "report.txt");
    addRow("middle part kept", "archive.tar.gz", base, "archive", "backup", "backup.tar.gz");
    addRow("middle part untouched", "a.archive.gz", base, "archive", "x", "a.archive.gz");
    addRow("suffix after a middle part", "archive.tar.gz", suffix, "gz", "xz", "archive.tar.xz");
    addRow("no dot", "README", base, "READ", "WRITE", "WRITEME");
    addRow("suffix removed with its dot", "photo.jpg", suffix, "jpg", "", "photo");
    addRow("back-reference", "IMG_0042.jpg", regExp, "IMG_(\\d+)", "p-\\1", "p-0042.jpg");
    addRow("no whole match", "IMG_0042x.jpg", regExp, "IMG_(\\d+)", "x", "IMG_0042x.jpg");
    addRow("pattern leaves the suffix", "notes.txt", regExp, "[a-z]+", "new", "new.txt");
    addRow("invalid pattern", "a(b.txt", regExp, "a(b", "x", "a(b.txt");
}

void TestPlans::replacedNames()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, find);
    QFETCH(QString, put);
    const ReplaceRequest rule = ReplaceRequest::make(find, put, mode == ReplaceRequest::RegExp,
                                                     mode == ReplaceRequest::Suffix);
    QTEST(ReplacePlan::newName(name, rule), "expected");
}

// The replace kind of the rules, beyond what the Replace tab asks of it.
void TestPlans::replaceRule_data()
{
    QTest::addColumn<QString>("shortForm");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    addRow("plain text, every match", "replace:a:o", "banana.jpg", "bonono.jpg");
    addRow("plain text, first match", "replace:a:o:false:name:true:first", "banana.jpg",
           "bonana.jpg");
    addRow("plain text ignoring case", "replace:img:P:false:name:false", "IMG_1.jpg", "P_1.jpg");
    addRow("plain text, whole part only", "replace:IMG:P:false:name:true:whole", "IMG_1.jpg",
           "IMG_1.jpg");
    addRow("base name is up to the last dot", "replace:2024:2025", "a.2024.jpg", "a.2025.jpg");
    addRow("stem is up to the first dot", "replace:2024:2025:false:stem", "a.2024.jpg",
           "a.2024.jpg");
    addRow("the whole name, suffix included", "replace:.jpeg:.jpg:false:whole", "a.jpeg", "a.jpg");
    addRow("a suffix replaced by nothing loses its dot", "replace:jpg::false:suffix", "a.jpg", "a");
    addRow("perl group as \1", R"(replace:(\d+):<\1>:true)", "IMG_42.jpg", "IMG_<42>.jpg");
    addRow("perl group as $1", R"(replace:(\d+)_(\w+):$2-$1:true)", "12_ab.txt", "ab-12.txt");
    addRow("perl named group", R"(replace:(?<year>\d{4}):${year}y:true)", "x2024.txt",
           "x2024y.txt");
    addRow("$$ is a dollar", "replace:x:$$:true", "x.txt", "$.txt");
    addRow("perl first match only", R"(replace:\d:#:true:name:true:first)", "a1b2.txt", "a#b2.txt");
    addRow("perl whole match fails", R"(replace:\d+:#:true:name:true:whole)", "a1.txt", "a1.txt");
    addRow("perl whole match", R"(replace:[a-z]+(\d):n\1:true:name:true:whole)", "ab7.txt",
           "n7.txt");
    addRow("perl ignoring case", "replace:^img:P:true:name:false", "IMG_1.jpg", "P_1.jpg");
    addRow("an empty match does not eat letters", "replace:x*:-:true", "ab.txt", "-a-b-.txt");
    addRow("the tab's syntax, whole base name",
           R"(replace:IMG_(\d+):p\1:true:stem:true:whole:qregexp)", "IMG_42.jpg", "p42.jpg");
    addRow("nothing to find changes nothing", "replace::x", "a.txt", "a.txt");
}

void TestPlans::replaceRule()
{
    QFETCH(QString, shortForm);
    QFETCH(QString, name);
    QString error;
    const std::unique_ptr<Rule> rule = RuleStack::ruleFromShortForm(shortForm, &error);
    QVERIFY2(rule, qPrintable(error));
    QCOMPARE(rule->problem(), QString());
    QTEST(rule->apply(RuleFile(), name), "expected");
}

// A new name held by something the listing leaves out (a folder, a broken
// link) is taken, whether the folder's names are looked up
// one by one or read at once for a large batch.
void TestPlans::namesHeldOutsideTheRequest_data()
{
    QTest::addColumn<int>("files");
    addRow("a few names, looked up one by one", 20);
    addRow("many names, the folder read once", 600);
}

void TestPlans::namesHeldOutsideTheRequest()
{
    QFETCH(int, files);
    TestDir dir;
    for (int i = 0; i < files; ++i)
        dir.file(QStringLiteral("d/f%1.txt").arg(i, 3, 10, QLatin1Char('0')));
    dir.folder("d/g005.txt");
    QVERIFY(QFile::link(dir.at("d/nowhere"), dir.at("d/g006.txt")));
    const BatchPlan plan =
        ReplacePlan::make({dir.at("d")}, ReplaceRequest::make("f", "g", false, false));
    QVector<PlannedRename> rows = plan.renames();
    QCOMPARE(BatchPlan::foreseeConflicts(rows, false), files - 2);
    for (const PlannedRename &row : std::as_const(rows)) {
        const bool taken = row.newName == "g005.txt" || row.newName == "g006.txt";
        QCOMPARE(row.note, taken ? PlannedRename::Note::NameTaken : PlannedRename::Note::None);
    }
}

void TestPlans::sharedNameNamesTheFileThatHasIt_data()
{
    // "old>new" in one folder, "!" after a row the plan keeps for a shared
    // name, as BatchPlan::foresee marks it; "other/" puts a row elsewhere.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("named"); // by the last row's note
    addRow("the earlier file", QStringList{"a.txt>x.txt", "b.txt>y.txt", "c.txt>x.txt!"},
           QString("a.txt"));
    addRow("the first of three", QStringList{"a.txt>x.txt", "b.txt>x.txt!", "c.txt>x.txt!"},
           QString("a.txt"));
    addRow("letter case counts: the same name exactly",
           QStringList{"a.txt>X.txt", "b.txt>x.txt", "c.txt>x.txt!"}, QString("b.txt"));
    addRow("letter case ignored: the name folded", QStringList{"a.txt>X.txt", "b.txt>x.txt!"},
           QString("a.txt"));
    addRow("not a file of another folder",
           QStringList{"other/a.txt>x.txt", "b.txt>x.txt", "c.txt>x.txt!"}, QString("b.txt"));
    addRow("not a file that cannot bear the name",
           QStringList{"a.txt>x.txt?", "b.txt>x.txt", "c.txt>x.txt!"}, QString("b.txt"));
    addRow("none found: the file unnamed", QStringList{"b.txt>x.txt!"}, QString());
}

void TestPlans::sharedNameNamesTheFileThatHasIt()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, named);
    QVector<PlannedRename> planned;
    for (QString row : rows) {
        PlannedRename rename;
        rename.folder = QStringLiteral("/d/");
        if (row.startsWith("other/")) {
            rename.folder = QStringLiteral("/d/other/");
            row.remove(0, 6);
        }
        if (row.endsWith('!'))
            rename.note = PlannedRename::Note::NameShared;
        if (row.endsWith('?'))
            rename.note = PlannedRename::Note::InvalidName;
        row.remove(QRegularExpression("[!?]$"));
        rename.oldName = row.section('>', 0, 0);
        rename.newName = row.section('>', 1);
        planned.append(rename);
    }
    const BatchNotes notes(&planned);
    QCOMPARE(notes.text(int(planned.size()) - 1),
             named.isEmpty()
                 ? QStringLiteral("stays: another file gets the same new name")
                 : QStringLiteral("stays: \"%1\" is given the same new name").arg(named));
}

// How a volume that ignores letter case compares names: two names that
// differ only in a byte that is not UTF-8 are two files.
void TestPlans::caseFoldingKeepsStrayBytes_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");
    addRow("letter case alone", QByteArray("IMG.jpg"), QByteArray("img.JPG"), true);
    addRow("two stray bytes", QByteArray("A\xe9.txt"), QByteArray("A\xff.txt"), false);
    addRow("stray byte, other case around it",
           QByteArray("A\xe9"
                      "B"),
           QByteArray("a\xe9"
                      "b"),
           true);
    addRow("stray byte against its UTF-8 letter", QByteArray("caf\xe9"), QByteArray("caf\xc3\xa9"),
           false);
    addRow("a letter outside the BMP", QByteArray("\xf0\x90\x90\x80\xe9"),
           QByteArray("\xf0\x90\x90\xa8\xe9"), true);
}

void TestPlans::caseFoldingKeepsStrayBytes()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(caseFoldedName(nameFromBytes(a)) == caseFoldedName(nameFromBytes(b)), same);
}

void TestPlans::namesAsBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ascii");
    addRow("plain ASCII", QString("IMG_0001.jpg"), QByteArray("IMG_0001.jpg"), true);
    addRow("ASCII controls and DEL", QString("a\x01\x7f"), QByteArray("a\x01\x7f"), true);
    addRow("accented", QString::fromUtf8("caf\xc3\xa9.jpg"), QByteArray("caf\xc3\xa9.jpg"), false);
    addRow("Latin-1 range but not ASCII", QString(QChar(0xff)), QByteArray("\xc3\xbf"), false);
    addRow("beyond the basic plane", QString::fromUtf8("\xf0\x9f\x93\xb7.jpg"),
           QByteArray("\xf0\x9f\x93\xb7.jpg"), false);
    addRow("a byte that is not UTF-8", QString(QChar(ushort(0xdce9))) + ".jpg",
           QByteArray("\xe9.jpg"), false);
}

// The bytes a name is renamed by: ASCII names take the short road, every
// other name its exact bytes, and each reads back as it was.
void TestPlans::namesAsBytes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTEST(isAsciiText(name), "ascii");
    QCOMPARE(nameToBytes(name), bytes);
    QCOMPARE(nameFromBytes(bytes), name);
}

void TestPlans::numberWidths_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("firstLastAndNextGroup");
    addRow("9 files", 9, 9, QStringList{"T1.jpg", "T9.jpg", "T1.jpg"});
    addRow("10 files", 10, 10, QStringList{"T01.jpg", "T10.jpg", "T1.jpg"});
    addRow("100 files", 100, 100, QStringList{"T001.jpg", "T100.jpg", "T1.jpg"});
    // The width counts the folder's files, selected or not.
    addRow("5 selected of 12", 12, 5, QStringList{"T01.jpg", "T05.jpg", "T1.jpg"});
}

void TestPlans::numberWidths()
{
    QFETCH(int, files);
    QFETCH(int, selected);
    TestDir dir;
    for (int i = 0; i < files; ++i) // the selected files spread among the others
        dir.file(QStringLiteral("d/f%1.").arg(i, 3, 10, QLatin1Char('0'))
                 + (i * selected % files < selected ? "jpg" : "png"));
    RenameOptions options;
    options.outputFormat = QStringLiteral("T");
    options.listExtensions = QStringList{"jpg"};
    options.renameBy = 2;
    QStringList newNames;
    const BatchPlan plan = RenamePlan::make({dir.at("d"), dir.file("e/x.jpg")}, options);
    for (const PlannedRename &rename : plan.renames()) {
        if (rename.changesName())
            newNames << rename.newName;
    }
    QCOMPARE(newNames.size(), selected + 1);
    QTEST((QStringList{newNames.first(), newNames.at(selected - 1), newNames.last()}),
          "firstLastAndNextGroup");
}

void TestPlans::fileReachedTwiceUsesItsNumberInEveryGroup_data()
{
    QTest::addColumn<QStringList>("request");
    addRow("file then its folder", QStringList{"d/a.jpg", "d"});
    addRow("folder then one of its files", QStringList{"d", "d/a.jpg"});
}

void TestPlans::fileReachedTwiceUsesItsNumberInEveryGroup()
{
    QFETCH(QStringList, request);
    TestDir dir;
    dir.file("d/a.jpg");
    dir.file("d/b.jpg");
    for (QString &path : request)
        path = dir.at(path);
    RenameOptions options;
    options.outputFormat = QStringLiteral("T");
    options.listExtensions = QStringList{"jpg"};
    options.renameBy = 2;
    QStringList changes;
    const BatchPlan plan = RenamePlan::make(request, options);
    for (const PlannedRename &rename : plan.renames())
        changes << rename.oldName + QStringLiteral(" -> ") + rename.newName;
    QCOMPARE(changes, (QStringList{"a.jpg -> T1.jpg", "b.jpg -> T2.jpg"}));
}

void TestPlans::fileReachedUnderTwoSpellingsIsOneFile()
{
    TestDir dir;
    dir.file("d/a.txt");
    QVERIFY(QFile::link(dir.at("d"), dir.at("link")));
    const QStringList request{dir.at("d"), dir.at("d") + '/', dir.at("link"), dir.at("d/a.txt")};
    const BatchPlan plan = ReplacePlan::make(request, ReplaceRequest::make("a", "b", false, false));
    QCOMPARE(plan.renames().size(), 1);
    QCOMPARE(plan.renames().first().newName, QStringLiteral("b.txt"));
    const QString d = QDir::toNativeSeparators(dir.at("d") + '/');
    QCOMPARE(plan.refreshList({"b.txt"}),
             (QStringList{d, QDir::toNativeSeparators(dir.at("link") + '/'), d + "b.txt"}));
}

void TestPlans::listingMatchesQDir_data()
{
    QTest::addColumn<int>("sort");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("moreFiles");
    addRow("newest first", int(QDir::Time), int(ListingOrder::Time), 0);
    addRow("largest first", int(QDir::Size), int(ListingOrder::Size), 0);
    addRow("by name", int(QDir::Name), int(ListingOrder::Name), 0);
    // Large enough for the entries to be looked at on several threads.
    addRow("newest first, a large folder", int(QDir::Time), int(ListingOrder::Time), 9000);
    addRow("largest first, a large folder", int(QDir::Size), int(ListingOrder::Size), 9000);
}

void TestPlans::listingMatchesQDir()
{
    QFETCH(int, sort);
    QFETCH(int, order);
    QFETCH(int, moreFiles);
    TestDir dir;
    const QDateTime t(QDate(2023, 3, 26), QTime(1, 30), Qt::UTC);
    for (int i = 0; i < moreFiles; ++i)
        dir.sizedFile(QStringLiteral("d/f%1.jpg").arg(i * 7919 % moreFiles), i % 13,
                      t.addSecs(i % 977));
    dir.sizedFile("d/b.jpg", 5, t);
    dir.sizedFile("d/B.jpg", 5, t);
    dir.sizedFile("d/a.jpg", 7, t.addMSecs(1));
    dir.sizedFile("d/A.JPG", 7, t.addMSecs(-1));
    dir.sizedFile("d/\u00e9t\u00e9", 0, t);
    dir.sizedFile("d/.hidden", 0, t);
    dir.folder("d/sub");
    QFile::link(dir.sizedFile("target.txt", 9, t.addDays(-1)), dir.at("d/link.txt"));
    QFile::link(dir.at("gone.txt"), dir.at("d/broken.txt"));
    QStringList listed;
    for (const ListedFile &file : listPlainFiles(dir.at("d"), ListingOrder(order)))
        listed << file.name;
    QCOMPARE(listed, QDir(dir.at("d")).entryList(QDir::Files, QDir::SortFlags(sort)));
    if (moreFiles > 0) {
        const QVector<ListedFile> files = listPlainFiles(dir.at("d"), ListingOrder::Unsorted);
        for (const ListedFile &file : files) {
            const QFileInfo info(dir.at("d/" + file.name));
            QCOMPARE(file.size, info.size());
            QCOMPARE(file.modifiedMsecs, info.lastModified().toMSecsSinceEpoch());
            QCOMPARE(file.fileId, fileIdOf(info.filePath()));
        }
    }
    QStringList names = listPlainFileNames(dir.at("d"));
    names.sort();
    QCOMPARE(names, QDir(dir.at("d")).entryList(QDir::Files, QDir::Name));
}

QTEST_GUILESS_MAIN(TestPlans)
#include "tst_plans.moc"

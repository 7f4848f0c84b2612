#include "replace.h"
#include "replaceplan.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include <algorithm>

namespace {

// Every file of the tree, relative; each was made holding its own first name,
// so one that now bears another shows as "old>new", and a lost or
// overwritten one cannot hide.
QStringList tree(const TestDir &dir)
{
    QStringList files;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next().mid(dir.path().size() + 1);
        const QString origin = QString::fromUtf8(dir.content(name));
        files << (origin == name ? name : origin + QLatin1Char('>') + name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

class TestReplace : public QObject
{
    Q_OBJECT

private slots:
    void newName_data();
    void newName();
    void onDisk_data();
    void onDisk();
    void failedMoveAfterSetAsidePutsTheFileBack();
};

void TestReplace::newName_data()
{
    // mode: "s" replaces in the suffix, "r" takes a regular expression.
    for (const char *column : {"name", "in", "out", "mode", "expected"})
        QTest::addColumn<QString>(column);
    addRow("base", "photo.jpg", "photo", "img", "", "img.jpg");
    addRow("case matters", "Photo.jpg", "photo", "img", "", "Photo.jpg");
    addRow("suffix only", "jpeg.jpeg", "jpeg", "jpg", "s", "jpeg.jpg");
    addRow("every occurrence", "a_a_a.txt", "a", "b", "", "b_b_b.txt");
    addRow("empty replacement", "report_v1.txt", "_v1", "", "", "report.txt");
    addRow("middle kept", "archive.tar.gz", "archive", "backup", "", "backup.tar.gz");
    addRow("middle untouched", "a.archive.gz", "archive", "x", "", "a.archive.gz");
    addRow("suffix, middle kept", "archive.tar.gz", "gz", "xz", "s", "archive.tar.xz");
    addRow("no dot", "README", "READ", "WRITE", "", "WRITEME");
    addRow("suffix removed with its dot", "photo.jpg", "jpg", "", "s", "photo");
    addRow("back-reference", "IMG_0042.jpg", "IMG_(\\d+)", "p-\\1", "r", "p-0042.jpg");
    addRow("no whole match", "IMG_0042x.jpg", "IMG_(\\d+)", "x", "r", "IMG_0042x.jpg");
    addRow("regexp leaves suffix", "notes.txt", "[a-z]+", "new", "r", "new.txt");
    addRow("invalid pattern", "a(b.txt", "a(b", "x", "r", "a(b.txt");
}

void TestReplace::newName()
{
    QFETCH(QString, name);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, mode);
    QFETCH(QString, expected);
    const auto rule =
        ReplaceRule::make(in, out, mode == QLatin1String("r"), mode == QLatin1String("s"));
    QCOMPARE(replacedFileName(name, rule), expected);
}

void TestReplace::onDisk_data()
{
    // "|"-separated paths relative to the test folder; flags: "d" deletes if
    // exists, "s" replaces in the suffix, "k" keeps the list; messages are
    // "priority: text"; listed is "<none>" when no list came.
    for (const char *column :
         {"create", "input", "in", "out", "flags", "tree", "messages", "listed"})
        QTest::addColumn<QString>(column);
    const char *taken =
        "1: \"a.tar.txt\" couldn't be renamed because \"b.tar.txt\" already exists !";
    addRow("taken, kept", "a.tar.txt|b.tar.txt", "a.tar.txt", "a", "b", "", "a.tar.txt|b.tar.txt",
           taken, "a.tar.txt");
    addRow("replaced, old .bak kept", "a.tar.txt|b.tar.txt|b.tar.txt.bak", "a.tar.txt", "a", "b",
           "d", "a.tar.txt>b.tar.txt|b.tar.txt.bak", "", "b.tar.txt");
    addRow("directory at new name", "a.tar.txt|b.tar.txt/in", "a.tar.txt", "a", "b", "d",
           "a.tar.txt|b.tar.txt/in", taken, "a.tar.txt");
    addRow("vanished, name taken", "b.tar.txt|b.tar.txt.bak", "a.tar.txt", "a", "b", "d",
           "b.tar.txt|b.tar.txt.bak",
           "2: \"a.tar.txt\" couldn't be renamed because it no longer exists !", "a.tar.txt");
    addRow("subdirectories untouched", "d/a.tar.old|d/sub/b.old|d/.hidden.old", "d", "old", "new",
           "s", "d/.hidden.old|d/a.tar.old>d/a.tar.new|d/sub/b.old", "", "d/");
    addRow("name with a slash", "a.txt|x/in", "a.txt", "a", "x/b", "", "a.txt|x/in",
           "1: \"a.txt\" couldn't be renamed because \"x/b.txt\" is not a valid file name !",
           "a.txt");
    // "a" -> "aa" would grow again on a second pass, and a second attempt on
    // the old path would find it gone and its new name taken.
    addRow("reached twice", "d/a.txt", "d|d/a.txt|d/", "a", "aa", "", "d/a.txt>d/aa.txt", "",
           "d/|d/aa.txt|d/");
    addRow("reached twice, replacing", "d/a.txt", "d|d/a.txt|d/", "a", "aa", "d",
           "d/a.txt>d/aa.txt", "", "d/|d/aa.txt|d/");
    addRow("list kept", "a.txt", "a.txt", "a", "b", "k", "a.txt>b.txt", "", "<none>");
    addRow("empty input", "a.txt", "", "a", "b", "", "a.txt", "", "");
}

void TestReplace::onDisk()
{
    QFETCH(QString, create);
    QFETCH(QString, input);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, flags);
    TestDir dir;
    for (const QString &name : create.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        dir.file(name, name.toUtf8());
    QStringList paths;
    for (const QString &name : input.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        paths << QDir::toNativeSeparators(dir.at(name));

    Replace replace(nullptr);
    QSignalSpy errors(&replace, &Replace::errorAtRename);
    QSignalSpy refresh(&replace, &Replace::refreshListView);
    const auto flag = [&](char c) { return flags.contains(QLatin1Char(c)); };
    replace.setParameters(paths, in, out, false, flag('s'), flag('d'), flag('k'));
    replace.start();
    QVERIFY(replace.wait(20000));

    QStringList messages;
    for (const QList<QVariant> &error : std::as_const(errors))
        messages << QStringLiteral("%1: %2").arg(error.at(0).toInt()).arg(error.at(1).toString());
    QStringList listed{QStringLiteral("<none>")};
    if (!refresh.isEmpty())
        listed = refresh.first().first().toStringList();
    for (QString &path : listed)
        path = QDir::fromNativeSeparators(path).remove(dir.path() + QLatin1Char('/'));
    QTEST(tree(dir).join(QLatin1Char('|')), "tree");
    QTEST(messages.join(QLatin1Char('|')), "messages");
    QTEST(listed.join(QLatin1Char('|')), "listed");
}

void TestReplace::failedMoveAfterSetAsidePutsTheFileBack()
{
    TestDir dir;
    const QString target = dir.file(QStringLiteral("b.txt"), "b.txt");
    dir.file(QStringLiteral("b.txt.bak"), "b.txt.bak");

    // A source that is gone makes the move fail whoever runs the test.
    const FileRenameResult result = replaceExistingFile(dir.at(QStringLiteral("a.txt")), target);

    QVERIFY(!result.renamed);
    QCOMPARE(result.priority, 2);
    QVERIFY(result.message.contains(QStringLiteral("\"b.txt\" was left as it was")));
    QCOMPARE(tree(dir), QStringList({"b.txt", "b.txt.bak"}));
}

QTEST_GUILESS_MAIN(TestReplace)
#include "tst_replace.moc"

#include "metadata.h"
#include "presets.h"
#include "ruleregistry.h"
#include "rulestack.h"
#include "testdir.h"
#include "testphotos.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out, err;
    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

CliRun cli(const QStringList &arguments)
{
    QProcess process;
    process.start(TAVRELO_CLI, arguments);
    if (!process.waitForFinished(60000))
        qFatal("tavrelo-cli did not end");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// a.jpg is the oldest and the largest, b.jpg the smallest, c.txt the newest.
void makeFiles(TestDir &dir, const QString &under = QString())
{
    const QDateTime day(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC);
    dir.file(under + "a.jpg", QByteArray(30, 'a'), day);
    dir.file(under + "b.jpg", QByteArray(10, 'b'), day.addDays(1));
    dir.file(under + "c.txt", QByteArray(20, 'c'), day.addDays(2));
}

// Kinds a row needs that are not built in yet skip the row.
bool kindsMissing(const QStringList &kinds)
{
    for (const QString &kind : kinds) {
        if (!RuleRegistry::create(kind))
            return true;
    }
    return false;
}

RuleStack stackOf(const QByteArray &json)
{
    RuleStack stack;
    QString error;
    if (!RuleStack::fromJson(json, &stack, &error))
        qFatal("%s", qPrintable(error));
    return stack;
}

} // namespace

// apply, presets and --recursive through the real command line, with a
// journal and presets of its own.
class TestCliApply : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QString presetsDir() const { return m_home.filePath("presets"); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("TAVRELO_JOURNAL_DIR", m_home.filePath("journal").toLocal8Bit());
        qputenv("TAVRELO_PRESETS_DIR", presetsDir().toLocal8Bit());
    }
    void sameStackEveryWay_data();
    void sameStackEveryWay();
    void orderOfTheCommandLine_data();
    void orderOfTheCommandLine();
    void badInput_data();
    void badInput();
    void applyShownInHistoryAndUndone();
    void recursive_data();
    void recursive();
    void presetsListed();
    void manualDocumentsEveryKind();
    void listFromAFile();
    void photosNamedByDateTaken();
};

void TestCliApply::sameStackEveryWay_data()
{
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QStringList>("rules"); // --rule options
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("after"); // a.jpg, b.jpg, c.txt; none: not checked

    addRow("numbered text, natural order", QStringList{"numbering"}, QStringList{"numbering:T"},
           QByteArray(R"({"rules": [{"kind": "numbering", "text": "T"}]})"),
           QStringList{"T1.jpg", "T2.jpg", "T3.txt"});
    addRow("some suffixes, number first after the old name", QStringList{"numbering"},
           QStringList{"numbering:N:prepend:true:jpg,png"},
           QByteArray(R"({"rules": [{"kind": "numbering", "text": "N", "format": "prepend",
                          "reverse": true, "extensions": ["jpg", "png"]}]})"),
           QStringList{"a-1N.jpg", "b-2N.jpg", "c.txt"});
    addRow("pattern with a captured group, then a number", QStringList{"replace", "numbering"},
           QStringList{"replace:^(.)$:x$1:true", "numbering:-:append"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "^(.)$", "with": "x$1",
                          "regexp": true}, {"kind": "numbering", "text": "-",
                          "format": "append"}]})"),
           QStringList{"-1-xa.jpg", "-2-xb.jpg", "-3-xc.txt"});
    addRow("escaped colon in a field", QStringList{"replace"}, QStringList{"replace:b:x\\:y"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "b", "with": "x:y"}]})"),
           QStringList{"a.jpg", "x:y.jpg", "c.txt"});
    addRow("a rule turned off", QStringList{"replace"}, QStringList{"replace:a:z"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "a", "with": "z"},
                          {"kind": "numbering", "enabled": false}]})"),
           QStringList{"z.jpg", "b.jpg", "c.txt"});
    // Kinds that come with their own files; their fields here are all given.
    addRow("upper case", QStringList{"case"}, QStringList{"case:upper:name"},
           QByteArray(R"({"rules": [{"kind": "case", "case": "upper", "on": "name"}]})"),
           QStringList{"A.jpg", "B.jpg", "C.txt"});
    addRow("template with a colon inside braces", QStringList{"template"},
           QStringList{"template:{n:3}-{name}"},
           QByteArray(R"({"rules": [{"kind": "template", "template": "{n:3}-{name}"}]})"),
           QStringList());
    addRow("counter after the name", QStringList{"counter"},
           QStringList{"counter:5:5:3:after:_:folder"},
           QByteArray(R"({"rules": [{"kind": "counter", "start": 5, "step": 5, "width": 3,
                          "place": "after", "separator": "_", "scope": "folder"}]})"),
           QStringList());
    addRow("suffix set", QStringList{"suffix"}, QStringList{"suffix:keep:png"},
           QByteArray(R"({"rules": [{"kind": "suffix", "case": "keep", "set": "png"}]})"),
           QStringList());
}

// A stack given as --rule options, as a rules file and as a preset plans the
// same renames, and those are the ones expected.
void TestCliApply::sameStackEveryWay()
{
    QFETCH(QStringList, kinds);
    if (kindsMissing(kinds))
        QSKIP("a kind of this row is not built in");
    QFETCH(QStringList, rules);
    QFETCH(QByteArray, json);
    TestDir dir;
    makeFiles(dir);
    const auto before = snapshot(dir.path());

    QStringList fromRules{"apply", "--dry-run", "--json"};
    for (const QString &rule : rules)
        fromRules << "--rule" << rule;
    const CliRun ruled = cli(fromRules << dir.path());
    QVERIFY2(ruled.exitCode == 0, qPrintable(ruled.err));
    TestDir side;
    const QString file = side.file("rules.json", json);
    const CliRun filed = cli({"apply", "--rules", file, "--dry-run", "--json", dir.path()});
    QCOMPARE(filed.out, ruled.out);
    QString error;
    QVERIFY2(Presets().save("every way", stackOf(json), &error), qPrintable(error));
    const CliRun preset =
        cli({"apply", "--preset", "every way", "--dry-run", "--json", dir.path()});
    QCOMPARE(preset.out, ruled.out);
    QCOMPARE(snapshot(dir.path()), before);

    QFETCH(QStringList, after);
    if (after.isEmpty())
        return;
    // Without a rule that counts, the files come in the order of the disk.
    QMap<QString, QString> newNames;
    for (const QJsonValue change : ruled.json()["changes"].toArray())
        newNames.insert(change["old"].toString(), change["new"].toString());
    const QStringList names{"a.jpg", "b.jpg", "c.txt"};
    QCOMPARE(newNames.size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(newNames.value(dir.at(names[i])), dir.at(after[i]));
}

void TestCliApply::orderOfTheCommandLine_data()
{
    QTest::addColumn<QByteArray>("order"); // the file's keys beside "rules"
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("after"); // a.jpg, b.jpg, c.txt

    // By size: a, c, b; by date: c, b, a.
    addRow("the file's order", QByteArray(R"("order": "size")"), QStringList(),
           QStringList{"T1.jpg", "T3.jpg", "T2.txt"});
    addRow("the file's order reversed", QByteArray(R"("order": "size")"),
           QStringList{"--reverse-order"}, QStringList{"T3.jpg", "T1.jpg", "T2.txt"});
    addRow("an order of its own", QByteArray(R"("order": "size")"), QStringList{"--order", "date"},
           QStringList{"T3.jpg", "T2.jpg", "T1.txt"});
    addRow("an order of its own, not the file's direction",
           QByteArray(R"("order": "size", "reversed": true)"), QStringList{"--order", "date"},
           QStringList{"T3.jpg", "T2.jpg", "T1.txt"});
    addRow("an order of its own, reversed", QByteArray(R"("order": "size")"),
           QStringList{"--order", "date", "--reverse-order"},
           QStringList{"T1.jpg", "T2.jpg", "T3.txt"});
}

void TestCliApply::orderOfTheCommandLine()
{
    QFETCH(QByteArray, order);
    QFETCH(QStringList, options);
    QFETCH(QStringList, after);
    TestDir dir, side;
    makeFiles(dir);
    const QString file = side.file(
        "order.json", R"({"rules": [{"kind": "numbering", "text": "T"}], )" + order + "}");
    const CliRun run = cli(QStringList{"apply", "--rules", file} + options << dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(dir.content(after[i]).left(1), QByteArray(1, "abc"[i]));
}

void TestCliApply::badInput_data()
{
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QStringList>("options"); // RULES: the rules file
    QTest::addColumn<QByteArray>("file");     // of RULES
    QTest::addColumn<QString>("error");

    const QStringList none;
    const QStringList numbering{"numbering"};
    const QStringList replace{"replace"};
    const QByteArray noFile;
    addRow("no rule", none, none, noFile, "apply needs rules: --preset, --rules or --rule");
    addRow("a preset and a rule", numbering, QStringList{"--preset", "p", "--rule", "numbering"},
           noFile, "the rules come from one --preset, one --rules or --rule options");
    addRow("unknown kind", none, QStringList{"--rule", "numbring:T"}, noFile,
           "--rule 'numbring:T': unknown kind \"numbring\" (the kinds are numbering, ");
    addRow("a word the choice does not know", numbering,
           QStringList{"--rule", "numbering:T:before"}, noFile,
           "--rule 'numbering:T:before': numbering: \"format\" must be one of \"name\", "
           "\"append\", \"prepend\", not \"before\"");
    addRow("invalid regular expression", replace, QStringList{"--rule", "replace:a(:b:true"},
           noFile, "--rule 'replace:a(:b:true': \"a(\" is not a valid regular expression");
    addRow("unknown template token", QStringList{"template"},
           QStringList{"--rule", "template:{nme}"}, noFile, "--rule 'template:{nme}': ");
    addRow("an order no one knows", numbering,
           QStringList{"--rule", "numbering:T", "--order", "random"}, noFile,
           "--order is natural, name, date, size or taken, not 'random'");
    addRow("rules file missing", none, QStringList{"--rules", "RULES.missing"}, noFile,
           "RULES.missing: ");
    addRow("rules file not JSON", none, QStringList{"--rules", "RULES"},
           QByteArray("{\"rules\": ["), "RULES: not valid JSON: ");
    addRow("unknown key in a rules file", replace, QStringList{"--rules", "RULES"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "a", "whith": "b"}]})"),
           "RULES: rule 1: replace: unknown key \"whith\"");
    addRow("invalid pattern in the second rule", replace, QStringList{"--rules", "RULES"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "a"},
                          {"kind": "replace", "find": "[", "regexp": true}]})"),
           "RULES: rule 2 (replace): \"[\" is not a valid regular expression");
    addRow("rules file without rules", none, QStringList{"--rules", "RULES"},
           QByteArray(R"({"rules": []})"), "RULES holds no rule");
    addRow("every rule turned off", replace, QStringList{"--rules", "RULES"},
           QByteArray(R"({"rules": [{"kind": "replace", "find": "a", "enabled": false}]})"),
           "RULES: every rule is turned off");
    addRow("missing preset", none, QStringList{"--preset", "nowhere"}, noFile,
           "there is no preset \"nowhere\" in ");
}

// Refused with exit status 2 and a message that names the fault, before
// anything moves.
void TestCliApply::badInput()
{
    QFETCH(QStringList, kinds);
    if (kindsMissing(kinds))
        QSKIP("a kind of this row is not built in");
    QFETCH(QStringList, options);
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    TestDir dir, side;
    makeFiles(dir);
    const auto before = snapshot(dir.path());
    const QString rules = side.file("bad.json", file);
    if (!file.isEmpty())
        side.file("presets/broken.json", file);
    qputenv("TAVRELO_PRESETS_DIR", side.at("presets").toLocal8Bit());
    const CliRun run =
        cli(QStringList{"apply"} + options.replaceInStrings("RULES", rules) << dir.path());
    qputenv("TAVRELO_PRESETS_DIR", presetsDir().toLocal8Bit());
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    error.replace("RULES", rules);
    QVERIFY2(run.err.startsWith("tavrelo-cli: ") && run.err.contains(error), qPrintable(run.err));
    QCOMPARE(snapshot(dir.path()), before);
}

void TestCliApply::applyShownInHistoryAndUndone()
{
    TestDir dir;
    makeFiles(dir);
    const QByteArray json = R"({"rules": [{"kind": "replace", "find": "b", "with": "x"},
                                          {"kind": "numbering", "text": "T", "format": "append"}],
                                "order": "date", "reversed": true})";
    const RuleStack stack = stackOf(json);
    QString error;
    QVERIFY2(Presets().save("trip", stack, &error), qPrintable(error));

    CliRun run = cli({"apply", "--preset", "trip", "--json", dir.path()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json()["summary"]["renamed"].toInt(), 3);
    QCOMPARE(dir.names(), QStringList({"T1-a.jpg", "T2-x.jpg", "T3-c.txt"}));
    const QString batch = run.json()["summary"]["batch"].toString();

    run = cli({"history"});
    QVERIFY2(run.out.startsWith(batch), qPrintable(run.out));
    QVERIFY2(run.out.contains("\n    " + stack.summary() + " (date order, reversed)\n"),
             qPrintable(run.out));
    run = cli({"history", "--json"});
    const QJsonObject shown = run.json()["batches"][0].toObject();
    QCOMPARE(shown["kind"].toString(), "rules");
    QCOMPARE(shown["rules"].toObject(), stack.toJsonObject());

    run = cli({"undo"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(dir.names(), QStringList({"a.jpg", "b.jpg", "c.txt"}));
    QCOMPARE(dir.content("b.jpg"), QByteArray(10, 'b'));
    QCOMPARE(cli({"history", "--json"}).json()["batches"][1]["undone"].toBool(), true);
}

void TestCliApply::recursive_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("top");   // the names at the top after the run
    QTest::addColumn<QStringList>("below"); // in sub/deeper/

    const QStringList below{"a.jpg", "b.jpg", "c.txt"};
    addRow("rename numbers each folder apart",
           QStringList{"rename", "--text", "T", "--order", "name", "--recursive"},
           QStringList{"T1.jpg", "T2.jpg", "T3.txt", "sub"},
           QStringList{"T1.jpg", "T2.jpg", "T3.txt"});
    addRow("replace", QStringList{"replace", "--find", "b", "--with", "x", "--recursive"},
           QStringList{"a.jpg", "c.txt", "sub", "x.jpg"}, QStringList{"a.jpg", "c.txt", "x.jpg"});
    addRow("apply", QStringList{"apply", "--rule", "replace:c:x", "--recursive"},
           QStringList{"a.jpg", "b.jpg", "sub", "x.txt"}, QStringList{"a.jpg", "b.jpg", "x.txt"});
    addRow("apply, not recursive", QStringList{"apply", "--rule", "replace:c:x"},
           QStringList{"a.jpg", "b.jpg", "sub", "x.txt"}, below);
}

void TestCliApply::recursive()
{
    QFETCH(QStringList, options);
    TestDir dir;
    makeFiles(dir);
    makeFiles(dir, "sub/deeper/");
    const CliRun run = cli(options << dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QTEST(dir.names(), "top");
    QTEST(dir.names("sub/deeper"), "below");
    QCOMPARE(dir.names("sub"), QStringList{"deeper"});
}

void TestCliApply::presetsListed()
{
    TestDir presets;
    qputenv("TAVRELO_PRESETS_DIR", presets.at("none").toLocal8Bit());
    CliRun run = cli({"presets"});
    QVERIFY(run.exitCode == 0 && run.out.isEmpty() && run.err.isEmpty());

    qputenv("TAVRELO_PRESETS_DIR", presets.path().toLocal8Bit());
    const RuleStack stack = stackOf(R"({"rules": [{"kind": "numbering"}]})");
    QString error;
    for (const char *name : {"img10", "Trip", "img2"})
        QVERIFY2(Presets().save(name, stack, &error), qPrintable(error));
    presets.file("notes.txt");
    run = cli({"presets"});
    QCOMPARE(run.out, "img2\nimg10\nTrip\n");
    run = cli({"presets", "--json"});
    QCOMPARE(run.json().array(), QJsonArray({"img2", "img10", "Trip"}));
    qputenv("TAVRELO_PRESETS_DIR", presetsDir().toLocal8Bit());
}

// The manual is written by hand: every kind built in has a part of its own
// there, with its fields in the order of --rule, each key, its words and its
// default.
void TestCliApply::manualDocumentsEveryKind()
{
    const QString manual =
        QString::fromUtf8(readFile(TAVRELO_SOURCE_DIR "/packaging/tavrelo-cli.1"))
            .replace("\\-", "-")
            .replace("\\e", "\\");
    QVERIFY(!manual.isEmpty());
    for (const RuleRegistry::Kind &kind : RuleRegistry::kinds()) {
        const qsizetype start = manual.indexOf("\n.SS " + kind.name + "\n");
        QVERIFY2(start >= 0, qPrintable(kind.name));
        const qsizetype end = manual.indexOf(QRegularExpression("\n\\.S[SH] "), start + 1);
        const QString part = manual.mid(start, end - start);
        const std::unique_ptr<Rule> rule = RuleRegistry::create(kind.name);
        QStringList fields{kind.name};
        for (const RuleParameter &parameter : rule->parameters())
            fields << parameter.key;
        QVERIFY2(part.contains("\n.B " + fields.join(':') + "\n"), qPrintable(fields.join(':')));
        const QJsonObject defaults = rule->toJson();
        for (const RuleParameter &parameter : rule->parameters()) {
            const qsizetype at = part.indexOf("\n.TP\n.B \"" + parameter.key + "\"");
            QVERIFY2(at >= 0, qPrintable(kind.name + ' ' + parameter.key));
            const QString entry = part.mid(at, part.indexOf("\n.TP\n", at + 1) - at);
            for (const RuleParameter::Choice &choice : parameter.choices) {
                const QRegularExpression word("\\b" + QRegularExpression::escape(choice.word)
                                              + "\\b");
                QVERIFY2(entry.contains(word), qPrintable(kind.name + ' ' + choice.word));
            }
            const QJsonValue value = defaults[parameter.key];
            QString shown = value.isArray()    ? value.toVariant().toStringList().join(',')
                            : value.isBool()   ? (value.toBool() ? "true" : "false")
                            : value.isDouble() ? QString::number(value.toInt())
                                               : value.toString();
            shown = shown.isEmpty() ? "Default: empty." : "Default: \\fB" + shown + "\\fP.";
            QVERIFY2(entry.contains(shown),
                     qPrintable(kind.name + ' ' + parameter.key + ' ' + shown));
        }
    }
}

// The names of a file, in the order the files are counted; a list one
// name short moves nothing.
void TestCliApply::listFromAFile()
{
    TestDir dir, side;
    makeFiles(dir);
    const QString good = side.file("names.txt", "first.png\nsecond\nthird.md\n");
    const QString shortList = side.file("short.txt", "first.png\nsecond\n");
    const auto before = snapshot(dir.path());
    const CliRun refused = cli({"apply", "--rule", "list:" + shortList, dir.path()});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains("rule 1 (list): the list has 2 names for 3 files"),
             qPrintable(refused.err));
    QCOMPARE(snapshot(dir.path()), before);
    const CliRun run = cli({"apply", "--rule", "list:" + good, dir.path()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(dir.names(), (QStringList{"first.png", "second", "third.md"}));
    QCOMPARE(dir.content("first.png"), QByteArray(30, 'a'));
    QCOMPARE(dir.content("third.md"), QByteArray(20, 'c'));
}

// Photos of the same second numbered in the order they were taken; one
// without a date stays, the dry run saying why; undo takes it all back.
void TestCliApply::photosNamedByDateTaken()
{
    TestDir dir;
    const QString second = "Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09";
    stamp(dir.file("z.jpg", imageBytes("jpeg")), {second, "Exif.Photo.SubSecTimeOriginal=10"});
    stamp(dir.file("y.jpg", imageBytes("jpeg")), {second, "Exif.Photo.SubSecTimeOriginal=90"});
    stamp(dir.file("a.jpg", imageBytes("jpeg")),
          {"Exif.Photo.DateTimeOriginal=2020:01:01 00:00:00"});
    dir.file("undated.jpg", imageBytes("jpeg"));
    const QStringList rule{"apply", "--order", "taken", "--rule",
                           "template:{exif.date:yyyyMMdd_HHmmss}:counter"};

    CliRun run = cli(rule + QStringList{"--dry-run", dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("undated.jpg") && run.out.contains("exif.date"), qPrintable(run.out));
    QCOMPARE(dir.names(), QStringList({"a.jpg", "undated.jpg", "y.jpg", "z.jpg"}));

    run = cli(rule + QStringList{dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(dir.names(), QStringList({"20200101_000000.jpg", "20210630_140509_1.jpg",
                                       "20210630_140509_2.jpg", "undated.jpg"}));
    // z.jpg was taken a fraction of a second before y.jpg.
    QCOMPARE(Metadata::read(dir.at("20210630_140509_1.jpg")).taken.time().msec(), 100);

    run = cli({"undo"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(dir.names(), QStringList({"a.jpg", "undated.jpg", "y.jpg", "z.jpg"}));
}

QTEST_GUILESS_MAIN(TestCliApply)
#include "tst_cliapply.moc"

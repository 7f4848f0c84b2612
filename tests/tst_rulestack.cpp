#include "batchplan.h"
#include "ruleplan.h"
#include "ruleregistry.h"
#include "rulestack.h"
#include "shortform.h"
#include "testdir.h"

#include <QJsonDocument>
#include <QtTest>

// The rules of a stack, one by one and together: what each kind makes of a
// name, how a stack is read and written (JSON and the command line's short
// form), and what a stack plans for real folders.
class TestRuleStack : public QObject
{
    Q_OBJECT

private slots:
    void counterNames_data();
    void counterNames();
    void counterStepZeroIsAProblem();
    void templateNames_data();
    void templateNames();
    void templateProblems_data();
    void templateProblems();
    void templateCountsOnlyWithANumber();
    void templateModificationTime_data();
    void templateModificationTime();

    void shortFormRoundTrips_data();
    void shortFormRoundTrips();
    void everyKindRoundTrips_data();
    void everyKindRoundTrips();
    void shortFormFieldsRoundTrip_data();
    void shortFormFieldsRoundTrip();
    void stackJsonRoundTrips();
    void stackRejected_data();
    void stackRejected();
    void shortFormRejected_data();
    void shortFormRejected();

    void planOrder_data();
    void planOrder();
    void planWidths_data();
    void planWidths();
    void planRequestAcrossFilesGivenOneByOne();
    void planCountsOnlyRenamedFiles();
    void planRecursive();
    void planInvalidNames_data();
    void planInvalidNames();
    void listNames_data();
    void listNames();
};

namespace {

std::unique_ptr<Rule> ruleOf(const QString &shortForm)
{
    QString error;
    std::unique_ptr<Rule> rule = RuleStack::ruleFromShortForm(shortForm, &error);
    if (!rule)
        qWarning("%s: %s", qPrintable(shortForm), qPrintable(error));
    return rule;
}

RuleStack stackOf(const QStringList &shortForms, ListingOrder order = ListingOrder::Natural,
                  bool reversed = false)
{
    RuleStack stack;
    for (const QString &shortForm : shortForms)
        stack.append(ruleOf(shortForm));
    stack.order = order;
    stack.reversed = reversed;
    return stack;
}

// "folder/old -> new" for every file of the plan (folder relative to root,
// empty for root itself), "folder/old" for a file that stays.
QStringList outcome(const BatchPlan &plan, const TestDir &root)
{
    const QString prefix = QDir(root.path()).canonicalPath() + '/';
    QStringList lines;
    for (const PlannedRename &rename : plan.renames()) {
        QString folder = rename.folder;
        if (folder.startsWith(prefix))
            folder.remove(0, prefix.size());
        lines << (rename.changesName() ? folder + rename.oldName + " -> " + rename.newName
                                       : folder + rename.oldName);
    }
    return lines;
}

// New names only, in order.
QStringList newNames(const BatchPlan &plan)
{
    QStringList names;
    for (const PlannedRename &rename : plan.renames())
        names << rename.newName;
    return names;
}

} // namespace

// --- counter ---------------------------------------------------------------

void TestRuleStack::counterNames_data()
{
    QTest::addColumn<QString>("shortForm");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("groupCount");
    QTest::addColumn<int>("requestPosition");
    QTest::addColumn<int>("requestCount");
    QTest::addColumn<QString>("expected");
    const QString counter = "counter";
    // Defaults: from 1 by 1, after the base name, "_", per folder.
    addRow("after the base name", counter, "photo.jpg", 0, 5, 0, 5, "photo_1.jpg");
    addRow("before", "counter:1:1:0:before", "photo.jpg", 1, 5, 1, 5, "2_photo.jpg");
    addRow("in place of the base name", "counter:1:1:0:replace", "photo.jpg", 2, 5, 2, 5, "3.jpg");
    addRow("several dots: before the last", counter, "a.tar.gz", 0, 1, 0, 1, "a.tar_1.gz");
    addRow("no suffix", counter, "README", 0, 1, 0, 1, "README_1");
    addRow("no suffix, replaced", "counter:1:1:0:replace", "README", 3, 4, 3, 4, "4");
    addRow("a trailing dot stays", counter, "name.", 0, 1, 0, 1, "name_1.");
    // With no base name, the separator would join the number to nothing.
    addRow("only a suffix, after", counter, ".jpg", 0, 1, 0, 1, "1.jpg");
    addRow("only a suffix, before", "counter:1:1:0:before", ".jpg", 0, 1, 0, 1, "1.jpg");
    addRow("only a suffix, replaced", "counter:1:1:0:replace", ".jpg", 0, 1, 0, 1, "1.jpg");
    addRow("empty name", counter, "", 0, 1, 0, 1, "1");
    addRow("empty name, before", "counter:1:1:0:before", "", 0, 1, 0, 1, "1");
    addRow("empty separator", "counter:1:1:0:after:", "a.jpg", 0, 1, 0, 1, "a1.jpg");
    addRow("separator of surrogate pairs", "counter:1:1:0:after:\U0001F600\U0001F601",
           "\U0001D49C.jpg", 0, 1, 0, 1, "\U0001D49C\U0001F600\U0001F6011.jpg");
    addRow("base of surrogate pairs, before", "counter:1:1:0:before", "\U0001D49C\U0001D49E", 0, 1,
           0, 1, "1_\U0001D49C\U0001D49E");
    // Width 0: the digits of the furthest number the group reaches.
    addRow("9 files: 1 digit", counter, "a.jpg", 8, 9, 8, 9, "a_9.jpg");
    addRow("10 files: 2 digits, first", counter, "a.jpg", 0, 10, 0, 10, "a_01.jpg");
    addRow("10 files: 2 digits, last", counter, "a.jpg", 9, 10, 9, 10, "a_10.jpg");
    addRow("100 files: 3 digits", counter, "a.jpg", 0, 100, 0, 100, "a_001.jpg");
    addRow("from 995 over 10 files, first", "counter:995", "a.jpg", 0, 10, 0, 10, "a_0995.jpg");
    addRow("from 995 over 10 files, last", "counter:995", "a.jpg", 9, 10, 9, 10, "a_1004.jpg");
    addRow("by 10 over 10 files", "counter:10:10", "a.jpg", 0, 10, 0, 10, "a_010.jpg");
    addRow("fixed width", "counter:7:1:3", "a.jpg", 0, 1, 0, 1, "a_007.jpg");
    addRow("a number never loses digits", "counter:12:1:1", "a.jpg", 0, 1, 0, 1, "a_12.jpg");
    // Downwards: "-" and the padded digits.
    addRow("down from 3, first", "counter:3:-1", "a.jpg", 0, 5, 0, 5, "a_3.jpg");
    addRow("down from 3, below 0", "counter:3:-1", "a.jpg", 4, 5, 4, 5, "a_-1.jpg");
    addRow("down by 5 from 0, zero", "counter:0:-5", "a.jpg", 0, 3, 0, 3, "a_00.jpg");
    addRow("down by 5 from 0, padded", "counter:0:-5", "a.jpg", 1, 3, 1, 3, "a_-05.jpg");
    addRow("down by 5 from 0, widest", "counter:0:-5", "a.jpg", 2, 3, 2, 3, "a_-10.jpg");
    addRow("negative start, fixed width", "counter:-12:1:4:before:-", "a.jpg", 0, 1, 0, 1,
           "-0012-a.jpg");
    // Scope "request": the whole request's position and count.
    addRow("request: its position, its width", "counter:1:1:0:after:_:request", "a.jpg", 0, 3, 7,
           12, "a_08.jpg");
    addRow("folder: the group's", "counter:1:1:0:after:_:folder", "a.jpg", 0, 3, 7, 12, "a_1.jpg");
}

void TestRuleStack::counterNames()
{
    QFETCH(QString, shortForm);
    QFETCH(QString, name);
    const std::unique_ptr<Rule> rule = ruleOf(shortForm);
    QVERIFY(rule);
    QCOMPARE(rule->problem(), QString());
    QVERIFY(rule->counts());
    RuleFile file;
    file.folder = "/nowhere/";
    file.oldName = name;
    QFETCH(int, position);
    QFETCH(int, groupCount);
    QFETCH(int, requestPosition);
    QFETCH(int, requestCount);
    file.position = position;
    file.groupCount = groupCount;
    file.requestPosition = requestPosition;
    file.requestCount = requestCount;
    QTEST(rule->apply(file, name), "expected");
}

void TestRuleStack::counterStepZeroIsAProblem()
{
    RuleStack stack;
    QString error;
    QVERIFY(RuleStack::fromJson(
        R"({"rules": [{"kind": "counter"}, {"kind": "counter", "step": 0}]})", &stack, &error));
    QCOMPARE(stack.at(1).problem(), QString("the step must not be 0"));
    QCOMPARE(stack.problem(), QString("rule 2 (counter): the step must not be 0"));
    stack.at(1).enabled = false;
    QCOMPARE(stack.problem(), QString());
    stack.at(1).setValue("step", -1);
    QCOMPARE(stack.at(1).problem(), QString());
}

// --- template --------------------------------------------------------------

void TestRuleStack::templateNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("groupCount");
    QTest::addColumn<QString>("expected");
    const QString trip = "/photos/Trip/";
    addRow("the name as it is", "{name}", "photo.jpg", trip, 0, 1, "photo.jpg");
    addRow("number as wide as the folder's", "{name}_{n}", "photo.jpg", trip, 0, 10,
           "photo_01.jpg");
    addRow("9 files, 1 digit", "{n}", "a.jpg", trip, 8, 9, "9.jpg");
    addRow("100 files, 3 digits", "{n}", "a.jpg", trip, 41, 100, "042.jpg");
    addRow("fixed width", "{n:3}", "a.jpg", trip, 0, 1, "001.jpg");
    addRow("fixed width, wider number", "{n:1}", "a.jpg", trip, 11, 12, "12.jpg");
    addRow("folder and number", "{folder}_{n:3}", "a.jpg", trip, 4, 5, "Trip_005.jpg");
    addRow("the suffix in the base name", "{name}.{ext}", "a.jpg", trip, 0, 1, "a.jpg.jpg");
    addRow("the last dot cuts", "{ext}-{name}", "a.tar.gz", trip, 0, 1, "gz-a.tar.gz");
    addRow("no suffix", "{ext}-{name}", "README", trip, 0, 1, "-README");
    addRow("only a suffix", "x{name}", ".jpg", trip, 0, 1, "x.jpg");
    addRow("only a suffix, its ext", "{ext}", ".jpg", trip, 0, 1, "jpg.jpg");
    addRow("empty name", "{name}_{n}", "", trip, 0, 1, "_1");
    addRow("empty template keeps the suffix", "", "a.jpg", trip, 0, 1, ".jpg");
    addRow("literal braces", "{{{name}}}", "a.jpg", trip, 0, 1, "{a}.jpg");
    addRow("literal braces, reversed", "}}x{{", "a.jpg", trip, 0, 1, "}x{.jpg");
    addRow("literal colon and bar", "a:b|c", "a.jpg", trip, 0, 1, "a:b|c.jpg");
    addRow("surrogate pairs around", "\U0001F600{name}\U0001F600", "\U0001D49C\U0001D49E.jpg", trip,
           0, 1, "\U0001F600\U0001D49C\U0001D49E\U0001F600.jpg");
    addRow("folder of surrogate pairs", "{folder}", "a", "/x/\U0001D49C/", 0, 1, "\U0001D49C");
    // An alternative stands in when the file has no value for the first:
    // this file does not exist, so it has no date.
    addRow("fallback", "{mtime|folder}", "a.jpg", trip, 0, 1, "Trip.jpg");
    addRow("first alternative that has a value", "{name|folder}", "a.jpg", trip, 0, 1, "a.jpg");
    addRow("no alternative has a value: the name stays", "[{mtime}]", "a.jpg", trip, 0, 1, "a.jpg");
}

void TestRuleStack::templateNames()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(int, position);
    QFETCH(int, groupCount);
    std::unique_ptr<Rule> rule = RuleRegistry::create("template");
    rule->setValue("template", text);
    QCOMPARE(rule->problem(), QString());
    RuleFile file;
    file.folder = folder;
    file.oldName = name;
    file.position = position;
    file.groupCount = groupCount;
    QTEST(rule->apply(file, name), "expected");
}

void TestRuleStack::templateProblems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    addRow("unknown token", "{name}_{foo}", "unknown token {foo}");
    addRow("tokens know their case", "{N}", "unknown token {N}");
    addRow("empty token", "a{}b", "unknown token {}");
    addRow("unknown alternative", "{name|foo:3}", "unknown token {foo:3}");
    addRow("empty alternative", "{name|}", "unknown token {}");
    addRow("unclosed brace", "x_{n:3", "\"{n:3\" has no closing brace (\"{{\" is a brace)");
    addRow("unclosed after a closed one", "{n}{", "\"{\" has no closing brace (\"{{\" is a brace)");
    addRow("brace alone", "a}b", "a \"}\" stands alone (\"}}\" is a brace)");
    addRow("odd braces", "{name}}}}", "a \"}\" stands alone (\"}}\" is a brace)");
    addRow("width not a number", "{n:x}", "bad width in {n:x}: a number from 1 to 32 is needed");
    addRow("width 0", "{n:0}", "bad width in {n:0}: a number from 1 to 32 is needed");
    addRow("width too large", "{n:33}", "bad width in {n:33}: a number from 1 to 32 is needed");
    addRow("width negative", "{n:-1}", "bad width in {n:-1}: a number from 1 to 32 is needed");
    addRow("width with a blank", "{n: 3}", "bad width in {n: 3}: a number from 1 to 32 is needed");
    addRow("width empty", "{n:}", "bad width in {n:}: a number from 1 to 32 is needed");
    addRow("width far too large", "{n:999999999999}",
           "bad width in {n:999999999999}: a number from 1 to 32 is needed");
    addRow("argument to a plain token", "{name:3}", "{name:3} takes nothing after a colon");
    addRow("empty date format", "{mtime:}", "{mtime:} needs a date format after the colon");
}

void TestRuleStack::templateProblems()
{
    QFETCH(QString, text);
    std::unique_ptr<Rule> rule = RuleRegistry::create("template");
    rule->setValue("template", text);
    QTEST(rule->problem(), "problem");
    // A rule that does not work leaves the name as it is.
    RuleFile file;
    file.folder = "/x/";
    file.oldName = "a.jpg";
    QCOMPARE(rule->apply(file, "a.jpg"), QString("a.jpg"));
    QFETCH(QString, problem);
    RuleStack stack;
    stack.append(std::move(rule));
    QCOMPARE(stack.problem(), "rule 1 (template): " + problem);
}

void TestRuleStack::templateCountsOnlyWithANumber()
{
    std::unique_ptr<Rule> rule = RuleRegistry::create("template");
    QVERIFY(!rule->counts());
    rule->setValue("template", "{folder}_{name}_{mtime:yyyy}");
    QVERIFY(!rule->counts());
    rule->setValue("template", "{name}_{n:2}");
    QVERIFY(rule->counts());
    rule->setValue("template", "{mtime|n}");
    QVERIFY(rule->counts());
    rule->setValue("template", "{{n}}");
    QVERIFY(!rule->counts());
    rule->setValue("template", "{n}{foo}");
    QVERIFY(!rule->problem().isEmpty());
    QVERIFY(!rule->counts());
}

void TestRuleStack::templateModificationTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    addRow("the day alone", "{mtime}", "2024-02-29.jpg");
    addRow("any format", "{mtime:yyyyMMdd-HHmmss}_{name}", "20240229-134507_a.jpg");
    addRow("a colon in the format", "{mtime:HH:mm}", "13:45.jpg");
    addRow("quoted text in the format", "{mtime:'day' d}", "day 29.jpg");
    addRow("a date before the fallback", "{mtime:yyyy|folder}", "2024.jpg");
}

void TestRuleStack::templateModificationTime()
{
    QFETCH(QString, text);
    TestDir dir;
    // The tests run with TZ=UTC: local time is UTC.
    dir.file("d/a.jpg", "x", QDateTime(QDate(2024, 2, 29), QTime(13, 45, 7), Qt::UTC));
    const BatchPlan plan =
        RulePlan::make({dir.at("d")}, stackOf({joinShortForm({"template", text})}));
    QCOMPARE(plan.renames().size(), 1);
    QTEST(plan.renames().first().newName, "expected");
}

// --- reading and writing ---------------------------------------------------

void TestRuleStack::shortFormRoundTrips_data()
{
    QTest::addColumn<QString>("shortForm");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("written"); // the rule's shortForm()
    addRow("template keeps the colon in braces", "template:{folder}_{n:3}", "template",
           QVariant("{folder}_{n:3}"), "template:{folder}_{n:3}");
    addRow("a date format's colons", "template:{mtime:HH:mm}_{name}", "template",
           QVariant("{mtime:HH:mm}_{name}"), "template:{mtime:HH:mm}_{name}");
    addRow("escaped colon outside braces", "template:a\\:{name}", "template", QVariant("a:{name}"),
           "template:a\\:{name}");
    addRow("literal braces stay readable", "template:{{{name}}}", "template",
           QVariant("{{{name}}}"), "template:{{{name}}}");
    addRow("braces are themselves", "template:{{", "template", QVariant("{{"), "template:{{");
    addRow("a backslash is itself", "template:a\\b", "template", QVariant("a\\b"), "template:a\\b");
    addRow("a regular expression reads as typed", "replace:(\\d+)\\.x", "find",
           QVariant("(\\d+)\\.x"), "replace:(\\d+)\\.x");
    addRow("a backslash before a field's end is doubled", "replace:a\\\\:b", "find",
           QVariant("a\\"), "replace:a\\\\:b");
    addRow("defaults are left off", "counter:1:1:0:after:_:folder", "place", QVariant("after"),
           "counter");
    addRow("up to the last field that differs", "counter:5:-2:3:before", "step", QVariant(-2),
           "counter:5:-2:3:before");
    addRow("empty separator", "counter:1:1:0:after::request", "separator", QVariant(""),
           "counter:1:1:0:after::request");
    addRow("colon as separator", "counter:1:1:0:after:\\::request", "separator", QVariant(":"),
           "counter:1:1:0:after:\\::request");
    addRow("a brace as separator", "counter:1:1:0:after:\\{:request", "scope", QVariant("request"),
           "counter:1:1:0:after:\\{:request");
    addRow("surrogate pairs", "counter:1:1:0:before:\U0001F600", "separator",
           QVariant("\U0001F600"), "counter:1:1:0:before:\U0001F600");
    addRow("fewer fields than keys", "counter:3", "width", QVariant(0), "counter:3");
}

void TestRuleStack::shortFormRoundTrips()
{
    QFETCH(QString, shortForm);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    const std::unique_ptr<Rule> rule = ruleOf(shortForm);
    QVERIFY(rule);
    QCOMPARE(rule->value(key).toString(), value.toString());
    QTEST(rule->shortForm(), "written");
    const std::unique_ptr<Rule> again = ruleOf(rule->shortForm());
    QVERIFY(again);
    QCOMPARE(again->toJson(), rule->toJson());
    // And through JSON.
    RuleStack stack;
    stack.append(rule->clone());
    RuleStack read;
    QString error;
    QVERIFY2(RuleStack::fromJson(stack.toJson(), &read, &error), qPrintable(error));
    QCOMPARE(read.at(0).shortForm(), rule->shortForm());
}

void TestRuleStack::everyKindRoundTrips_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    const QStringList texts{"",      "a:b",         "{n:3}",     "{",     "}",
                            "\\",    "x}{y:z",      "{a:{b}",    "a\\:b", "}{:}{",
                            "{{:}}", "\U0001F600:", "trailing\\"};
    for (const RuleRegistry::Kind &kind : RuleRegistry::kinds()) {
        for (int i = 0; i < texts.size(); ++i)
            QTest::addRow("%s, text %d", qPrintable(kind.name), i) << kind.name << texts[i];
    }
}

// Every parameter of every kind away from its default, and every text a
// tricky one: the short form and JSON give the rule back.
void TestRuleStack::everyKindRoundTrips()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    std::unique_ptr<Rule> rule = RuleRegistry::create(kind);
    QVERIFY(rule);
    for (const RuleParameter &parameter : rule->parameters()) {
        switch (parameter.type) {
        case RuleParameter::Type::Text:
            rule->setValue(parameter.key, text);
            break;
        case RuleParameter::Type::Flag:
            rule->setValue(parameter.key, !parameter.defaultValue.toBool());
            break;
        case RuleParameter::Type::Number:
            rule->setValue(parameter.key, parameter.defaultValue.toInt() == parameter.minimum
                                              ? parameter.maximum
                                              : parameter.minimum);
            break;
        case RuleParameter::Type::Choice:
            rule->setValue(parameter.key,
                           parameter.choices.constLast().word == parameter.defaultValue.toString()
                               ? parameter.choices.constFirst().word
                               : parameter.choices.constLast().word);
            break;
        case RuleParameter::Type::List:
            // The short form splits a list at its commas.
            rule->setValue(parameter.key, QStringList{text.isEmpty() ? "x" : text, "y"});
            break;
        }
    }
    rule->enabled = false;
    const std::unique_ptr<Rule> fromSpec = ruleOf(rule->shortForm());
    QVERIFY(fromSpec);
    fromSpec->enabled = false;
    QCOMPARE(fromSpec->toJson(), rule->toJson());
    QCOMPARE(fromSpec->problem(), rule->problem());

    RuleStack stack;
    stack.append(rule->clone());
    RuleStack read;
    QString error;
    QVERIFY2(RuleStack::fromJson(stack.toJson(true), &read, &error), qPrintable(error));
    QCOMPARE(read.size(), 1);
    QVERIFY(!read.at(0).enabled);
    QCOMPARE(read.at(0).toJson(), rule->toJson());
    QCOMPARE(read.at(0).problem(), rule->problem());
}

void TestRuleStack::shortFormFieldsRoundTrip_data()
{
    QTest::addColumn<QStringList>("fields");
    addRow("plain", QStringList{"a", "b"});
    addRow("empty fields", QStringList{"", "", ""});
    addRow("colons", QStringList{":", "a:b", "::"});
    addRow("balanced braces keep colons", QStringList{"{a:b}", "{{:}}", "x{:}y"});
    addRow("unbalanced braces", QStringList{"{", "}", "}{", "{a:b", "a:b}", "}a:b{"});
    addRow("backslashes", QStringList{"\\", "\\\\", "a\\:b", "\\{", "end\\"});
    addRow("close before open", QStringList{"}{a:b}", "}}{{"});
    // Every field of up to four characters of ":{}\\a", with a neighbour.
    const QString alphabet = ":{}\\a";
    QStringList all{""};
    for (int length = 1; length <= 4; ++length) {
        for (const QString &shorter : QStringList(all)) {
            if (shorter.size() != length - 1)
                continue;
            for (const QChar c : alphabet)
                all << shorter + c;
        }
    }
    for (int i = 0; i < all.size(); i += 50)
        QTest::addRow("all short fields %d", i) << all.mid(i, 50);
}

void TestRuleStack::shortFormFieldsRoundTrip()
{
    QFETCH(QStringList, fields);
    for (const QString &field : std::as_const(fields)) {
        const QStringList pair{field, "next:{x}"};
        QCOMPARE(splitShortForm(joinShortForm(pair)), pair);
    }
    // A field that ends in "{name" before one holding a "}" reads as a token's
    // argument: the one text the short form cannot say (JSON can).
    QStringList joinable;
    static const QRegularExpression opensToken(QStringLiteral("\\{[\\w.]+$"));
    for (const QString &field : std::as_const(fields)) {
        if (!field.contains(opensToken))
            joinable.append(field);
    }
    QCOMPARE(splitShortForm(joinShortForm(joinable)), joinable);
}

void TestRuleStack::stackJsonRoundTrips()
{
    const QByteArray json = R"({
        "order": "date",
        "reversed": true,
        "rules": [
            {"kind": "counter", "start": 995, "step": -3, "width": 5, "place": "before",
             "separator": "\u00e9:", "scope": "request"},
            {"kind": "template", "template": "{folder}_{n:3}_{mtime:yyyy|name}", "enabled": false},
            {"kind": "replace", "find": "a", "with": "b"},
            {"kind": "numbering"}
        ]
    })";
    RuleStack stack;
    QString error;
    QVERIFY2(RuleStack::fromJson(json, &stack, &error), qPrintable(error));
    QCOMPARE(stack.size(), 4);
    QCOMPARE(stack.order, ListingOrder::Time);
    QVERIFY(stack.reversed);
    QCOMPARE(stack.at(0).number("start"), 995);
    QCOMPARE(stack.at(0).text("separator"), QString("\u00e9:"));
    QVERIFY(!stack.at(1).enabled);
    QCOMPARE(stack.problem(), QString());
    // The template that numbers is off: the counter and the numbering count.
    QVERIFY(stack.counts());
    stack.at(0).enabled = false;
    stack.at(3).enabled = false;
    QVERIFY(!stack.counts());
    stack.at(0).enabled = true;
    stack.at(3).enabled = true;

    RuleStack again;
    QVERIFY2(RuleStack::fromJson(stack.toJson(), &again, &error), qPrintable(error));
    QCOMPARE(again.toJsonObject(), stack.toJsonObject());
    // Every key written, "enabled" only where off.
    const QJsonObject counter = stack.toJsonObject().value("rules").toArray().at(0).toObject();
    QCOMPARE(counter.keys(),
             (QStringList{"kind", "place", "scope", "separator", "start", "step", "width"}));
    QCOMPARE(stack.toJsonObject().value("rules").toArray().at(1).toObject().value("enabled"),
             QJsonValue(false));
    // Copies are deep.
    RuleStack copy = stack;
    copy.at(0).setValue("start", 1);
    QCOMPARE(stack.at(0).number("start"), 995);
    // Each rule's short form gives it back.
    for (int i = 0; i < stack.size(); ++i) {
        const std::unique_ptr<Rule> rule = ruleOf(stack.at(i).shortForm());
        QVERIFY(rule);
        rule->enabled = stack.at(i).enabled;
        QCOMPARE(rule->toJson(), stack.at(i).toJson());
    }
}

void TestRuleStack::stackRejected_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    addRow("unknown kind", QByteArray(R"({"rules": [{"kind": "counter"}, {"kind": "nope"}]})"),
           QString("rule 2: unknown kind \"nope\""));
    addRow("no kind", QByteArray(R"({"rules": [{"start": 1}]})"),
           QString("rule 1: unknown kind \"\""));
    addRow("unknown key", QByteArray(R"({"rules": [{"kind": "counter", "bogus": 1}]})"),
           QString("rule 1: counter: unknown key \"bogus\""));
    addRow("number as a text", QByteArray(R"({"rules": [{"kind": "counter", "start": "1"}]})"),
           QString("rule 1: counter: \"start\" must be a whole number from -999999999 to "
                   "999999999"));
    addRow("number with a fraction", QByteArray(R"({"rules": [{"kind": "counter", "step": 1.5}]})"),
           QString("rule 1: counter: \"step\" must be a whole number from -1000 to 1000"));
    addRow("number out of range", QByteArray(R"({"rules": [{"kind": "counter", "step": 1001}]})"),
           QString("rule 1: counter: \"step\" must be a whole number from -1000 to 1000"));
    addRow("number far out of range",
           QByteArray(R"({"rules": [{"kind": "counter", "start": 1e300}]})"),
           QString("rule 1: counter: \"start\" must be a whole number from -999999999 to "
                   "999999999"));
    addRow("unknown choice", QByteArray(R"({"rules": [{"kind": "counter", "place": "middle"}]})"),
           QString("rule 1: counter: \"place\" must be one of \"before\", \"after\", "
                   "\"replace\""));
    addRow("text as a number", QByteArray(R"({"rules": [{"kind": "template", "template": 3}]})"),
           QString("rule 1: template: \"template\" must be a text"));
    addRow("enabled as a text",
           QByteArray(R"({"rules": [{"kind": "template", "enabled": "yes"}]})"),
           QString("rule 1: template: \"enabled\" must be true or false"));
    addRow("rule not an object", QByteArray(R"({"rules": [3]})"), QString("rule 1: not an object"));
    addRow("no rules", QByteArray(R"({"order": "natural"})"),
           QString("a list \"rules\" is needed"));
    addRow("rules not a list", QByteArray(R"({"rules": {}})"),
           QString("a list \"rules\" is needed"));
    addRow("unknown order", QByteArray(R"({"rules": [], "order": "random"})"),
           QString("\"order\" must be \"natural\", \"name\", \"date\", \"size\" or \"taken\""));
    addRow("unknown key of the stack", QByteArray(R"({"rules": [], "rule": []})"),
           QString("unknown key \"rule\""));
    addRow("not an object", QByteArray("[]"), QString("not a JSON object"));
    addRow("not JSON", QByteArray("{\"rules\": [}"), QString("not valid JSON: ..."));
}

void TestRuleStack::stackRejected()
{
    QFETCH(QByteArray, json);
    RuleStack stack = stackOf({"counter"});
    QString fault;
    QVERIFY(!RuleStack::fromJson(json, &stack, &fault));
    QFETCH(QString, error);
    // The parser's own words are Qt's.
    if (error.endsWith("..."))
        QVERIFY2(fault.startsWith(error.chopped(3)), qPrintable(fault));
    else
        QCOMPARE(fault, error);
    // What the stack held stays.
    QCOMPARE(stack.size(), 1);
}

void TestRuleStack::shortFormRejected_data()
{
    QTest::addColumn<QString>("shortForm");
    QTest::addColumn<QString>("error");
    addRow("unknown kind", "nope:1", "unknown kind \"nope\"");
    addRow("nothing", "", "unknown kind \"\"");
    addRow("not a number", "counter:x",
           "counter: \"start\" must be a whole number from -999999999 to 999999999, not \"x\"");
    addRow("out of range", "counter:1:1:33",
           "counter: \"width\" must be a whole number from 0 to 32, not \"33\"");
    addRow("unknown choice", "counter:1:1:0:middle",
           "counter: \"place\" must be one of \"before\", \"after\", \"replace\", not \"middle\"");
    addRow("too many fields", "counter:1:1:0:after:_:folder:more",
           "counter: counter takes at most 6 fields");
    addRow("a third field for the template", "template:{n}:keep:3",
           "template: template takes at most 2 fields");
}

void TestRuleStack::shortFormRejected()
{
    QFETCH(QString, shortForm);
    QString error;
    QVERIFY(!RuleStack::ruleFromShortForm(shortForm, &error));
    QTEST(error, "error");
}

// --- plans of real folders -------------------------------------------------

void TestRuleStack::planOrder_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QStringList>("expected");
    // The files' names, sizes and dates disagree with one another.
    addRow("natural", int(ListingOrder::Natural), false,
           QStringList{"d/img1.jpg -> 1.jpg", "d/img2.jpg -> 2.jpg", "d/IMG3.jpg -> 3.jpg",
                       "d/img10.jpg -> 4.jpg"});
    addRow("natural, reversed", int(ListingOrder::Natural), true,
           QStringList{"d/img10.jpg -> 1.jpg", "d/IMG3.jpg -> 2.jpg", "d/img2.jpg -> 3.jpg",
                       "d/img1.jpg -> 4.jpg"});
    addRow("by character code", int(ListingOrder::Name), false,
           QStringList{"d/IMG3.jpg -> 1.jpg", "d/img1.jpg -> 2.jpg", "d/img10.jpg -> 3.jpg",
                       "d/img2.jpg -> 4.jpg"});
    addRow("newest first", int(ListingOrder::Time), false,
           QStringList{"d/img2.jpg -> 1.jpg", "d/img10.jpg -> 2.jpg", "d/img1.jpg -> 3.jpg",
                       "d/IMG3.jpg -> 4.jpg"});
    addRow("oldest first", int(ListingOrder::Time), true,
           QStringList{"d/IMG3.jpg -> 1.jpg", "d/img1.jpg -> 2.jpg", "d/img10.jpg -> 3.jpg",
                       "d/img2.jpg -> 4.jpg"});
    addRow("largest first", int(ListingOrder::Size), false,
           QStringList{"d/img1.jpg -> 1.jpg", "d/IMG3.jpg -> 2.jpg", "d/img2.jpg -> 3.jpg",
                       "d/img10.jpg -> 4.jpg"});
}

void TestRuleStack::planOrder()
{
    QFETCH(int, order);
    QFETCH(bool, reversed);
    TestDir dir;
    const QDateTime t(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    dir.sizedFile("d/img10.jpg", 1, t.addSecs(60));
    dir.sizedFile("d/img2.jpg", 3, t.addSecs(120));
    dir.sizedFile("d/img1.jpg", 9, t);
    dir.sizedFile("d/IMG3.jpg", 5, t.addSecs(-60));
    const RuleStack stack = stackOf({"counter:1:1:0:replace"}, ListingOrder(order), reversed);
    QTEST(outcome(RulePlan::make({dir.at("d")}, stack), dir), "expected");
    // A template numbers in the same order.
    const RuleStack byTemplate = stackOf({"template:{n}"}, ListingOrder(order), reversed);
    QTEST(outcome(RulePlan::make({dir.at("d")}, byTemplate), dir), "expected");
}

void TestRuleStack::planWidths_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("scope");
    // First and last number of the first folder, first of the second (of 3 files).
    QTest::addColumn<QStringList>("expected");
    addRow("9 files", 9, QString("folder"), QStringList{"1", "9", "1"});
    addRow("10 files", 10, QString("folder"), QStringList{"01", "10", "1"});
    addRow("100 files", 100, QString("folder"), QStringList{"001", "100", "1"});
    addRow("9 files, across the request", 9, QString("request"), QStringList{"01", "09", "10"});
    addRow("10 files, across the request", 10, QString("request"), QStringList{"01", "10", "11"});
    addRow("100 files, across the request", 100, QString("request"),
           QStringList{"001", "100", "101"});
}

void TestRuleStack::planWidths()
{
    QFETCH(int, files);
    QFETCH(QString, scope);
    TestDir dir;
    for (int i = 1; i <= files; ++i)
        dir.file(QString("a/f%1.txt").arg(i));
    for (int i = 1; i <= 3; ++i)
        dir.file(QString("b/g%1.txt").arg(i));
    const BatchPlan plan =
        RulePlan::make({dir.at("a"), dir.at("b")}, stackOf({"counter:1:1:0:replace:_:" + scope}));
    const QStringList names = newNames(plan);
    QCOMPARE(names.size(), files + 3);
    auto base = [](const QString &name) { return name.section('.', 0, 0); };
    QTEST((QStringList{base(names.first()), base(names.at(files - 1)), base(names.at(files))}),
          "expected");
    // Every number of the first folder is as wide as the others.
    for (int i = 0; i < files; ++i)
        QCOMPARE(base(names.at(i)).size(), base(names.first()).size());
}

void TestRuleStack::planRequestAcrossFilesGivenOneByOne()
{
    TestDir dir;
    const QString a1 = dir.file("a/x.txt");
    const QString b1 = dir.file("b/y.txt");
    const QString a2 = dir.file("a/z.txt");
    // The files given one by one form a group per folder, at its first file.
    QCOMPARE(
        outcome(RulePlan::make({a1, b1, a2}, stackOf({"counter:1:1:0:before:-:request"})), dir),
        (QStringList{"a/x.txt -> 1-x.txt", "a/z.txt -> 2-z.txt", "b/y.txt -> 3-y.txt"}));
    QCOMPARE(outcome(RulePlan::make({a1, b1, a2}, stackOf({"counter:1:1:0:before:-"})), dir),
             (QStringList{"a/x.txt -> 1-x.txt", "a/z.txt -> 2-z.txt", "b/y.txt -> 1-y.txt"}));
}

void TestRuleStack::planCountsOnlyRenamedFiles()
{
    TestDir dir;
    dir.file("d/a.jpg");
    dir.file("d/b.png");
    dir.file("d/c.jpg");
    // The numbering passes over the PNG: it uses up no number of the counter
    // either, but still counts toward the folder's width.
    const RuleStack stack = stackOf({"numbering:T:name:false:jpg", "counter:1:1:0:after:_"});
    QCOMPARE(outcome(RulePlan::make({dir.at("d")}, stack), dir),
             (QStringList{"d/a.jpg -> T1_1.jpg", "d/b.png", "d/c.jpg -> T2_2.jpg"}));
}

void TestRuleStack::planRecursive()
{
    TestDir dir;
    dir.file("d/b.txt");
    dir.file("d/a.txt");
    dir.file("d/.hidden.txt");
    dir.file("d/sub/c.txt");
    dir.file("d/sub/deeper/e.txt");
    dir.file("d/sub/deeper/f.txt");
    dir.file("d/sub10/x.txt");
    dir.file("d/sub2/y.txt");
    dir.file("d/.secret/g.txt");
    dir.file("outside/h.txt");
    QVERIFY(QFile::link(dir.at("outside"), dir.at("d/link")));
    // A link back up would be a loop.
    QVERIFY(QFile::link(dir.at("d"), dir.at("d/sub/up")));

    RulePlanOptions options;
    options.recursive = true;
    const BatchPlan plan =
        RulePlan::make({dir.at("d")}, stackOf({"template:{folder}-{n}"}), options);
    QCOMPARE(
        outcome(plan, dir),
        (QStringList{"d/a.txt -> d-1.txt", "d/b.txt -> d-2.txt", "d/sub/c.txt -> sub-1.txt",
                     "d/sub/deeper/e.txt -> deeper-1.txt", "d/sub/deeper/f.txt -> deeper-2.txt",
                     "d/sub2/y.txt -> sub2-1.txt", "d/sub10/x.txt -> sub10-1.txt"}));
    // Across the request, the numbers run on through the subfolders, which
    // come in natural order too.
    const BatchPlan across =
        RulePlan::make({dir.at("d")}, stackOf({"counter:1:1:0:replace:_:request"}), options);
    QCOMPARE(newNames(across),
             (QStringList{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt", "7.txt"}));
    QCOMPARE(across.renames().last().oldName, QString("x.txt"));
    // The input list afterwards holds the dropped folder alone.
    QCOMPARE(plan.refreshList(newNames(plan)),
             QStringList{QDir::toNativeSeparators(dir.at("d") + '/')});
    // Without recursion, the folder's own files only.
    QCOMPARE(outcome(RulePlan::make({dir.at("d")}, stackOf({"template:{folder}-{n}"})), dir),
             (QStringList{"d/a.txt -> d-1.txt", "d/b.txt -> d-2.txt"}));
}

void TestRuleStack::planInvalidNames_data()
{
    QTest::addColumn<QStringList>("shortForms");
    QTest::addColumn<QString>("newName");
    addRow("empty name", QStringList{"template:"}, QString(""));
    addRow("empty base name and no suffix", QStringList{"replace:README:"}, QString(""));
    addRow("a dot", QStringList{"template:."}, QString("."));
    addRow("two dots", QStringList{"template:.."}, QString(".."));
    addRow("a slash", QStringList{"template:a/{name}"}, QString("a/README"));
    addRow("a slash from a replacement", QStringList{"replace:E:/"}, QString("R/ADM/"));
    addRow("a counter after a slash", QStringList{"template:x/", "counter"}, QString("x/_2"));
}

void TestRuleStack::planInvalidNames()
{
    QFETCH(QStringList, shortForms);
    TestDir dir;
    dir.file("d/README");
    dir.file("d/ok.txt");
    const BatchPlan plan = RulePlan::make({dir.at("d")}, stackOf(shortForms));
    QVector<PlannedRename> rows = plan.renames();
    QCOMPARE(rows.size(), 2);
    BatchPlan::foreseeConflicts(rows, false);
    const auto readme = std::find_if(rows.cbegin(), rows.cend(), [](const PlannedRename &row) {
        return row.oldName == QLatin1String("README");
    });
    QVERIFY(readme != rows.cend());
    QTEST(readme->newName, "newName");
    QCOMPARE(readme->note, PlannedRename::Note::InvalidName);
    QVERIFY(!readme->willMove());
    QVERIFY(!PlannedRename::refusalText(*readme).isEmpty());
}

void TestRuleStack::listNames_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("list"); // null: no file at all
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("fault");

    const QString none;
    addRow("lines in order", QString("auto"), QByteArray("one.md\ntwo\nthree.txt"),
           QStringList{"d/a.txt -> one.md", "d/b.txt -> two", "d/c.txt -> three.txt"}, none);
    addRow("lines with commas read as lines", QString("lines"), QByteArray("x,1\ny,2\nz,3\n"),
           QStringList{"d/a.txt -> x,1", "d/b.txt -> y,2", "d/c.txt -> z,3"}, none);
    addRow("blank trailing line ignored", QString("auto"),
           QByteArray("\xEF\xBB\xBFone\r\ntwo\r\nthree\r\n\r\n\n"),
           QStringList{"d/a.txt -> one", "d/b.txt -> two", "d/c.txt -> three"}, none);
    addRow("csv by old name", QString("auto"), QByteArray("c.txt,z.jpg\n\na.txt,y\n"),
           QStringList{"d/a.txt -> y", "d/b.txt", "d/c.txt -> z.jpg"}, none);
    addRow("quoted csv", QString("csv"), QByteArray("\"b.txt\",\"x, \"\"quoted\"\".txt\"\n"),
           QStringList{"d/a.txt", "d/b.txt -> x, \"quoted\".txt", "d/c.txt"}, none);
    addRow("count mismatch", QString("auto"), QByteArray("one\ntwo\n"), QStringList(),
           QString("rule 1 (list): the list has 2 names for 3 files"));
    addRow("unknown old name", QString("csv"), QByteArray("a.txt,x\nd.txt,y\n"), QStringList(),
           QString("rule 1 (list): the list renames \"d.txt\", which is not among the files"));
    addRow("empty line inside", QString("lines"), QByteArray("one\n\nthree\n"), QStringList(),
           QString("line 2 of the list is empty"));
    addRow("unreadable file", QString("auto"), QByteArray(), QStringList(),
           QString("cannot be read"));
}

// A list names the files whole, by order or by old name; one that does not
// fit the input is refused before the plan.
void TestRuleStack::listNames()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, list);
    QFETCH(QStringList, expected);
    QFETCH(QString, fault);
    TestDir dir;
    for (const char *name : {"b.txt", "c.txt", "a.txt"})
        dir.file(QString("d/") + name);
    const QString file = list.isNull() ? dir.at("missing") : dir.file("list.txt", list);
    const RuleStack stack = stackOf({joinShortForm({"list", file, format})});
    QString problem = stack.problem();
    const GroupList groups = RulePlan::listInput({dir.at("d")}, stack);
    if (problem.isEmpty())
        problem = RulePlan::problem(groups, stack);
    if (!fault.isEmpty()) {
        QVERIFY2(problem.contains(fault), qPrintable(problem));
        return;
    }
    QCOMPARE(problem, QString());
    QStringList got = outcome(RulePlan::make(groups, stack), dir);
    got.sort(); // a list by old name leaves the listing unsorted
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestRuleStack)
#include "tst_rulestack.moc"

#include "clirequest.h"

#include "presets.h"
#include "ruleregistry.h"
#include "shortform.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegExp>

namespace {

CliRequest answer(int exitCode, const QString &message)
{
    CliRequest request;
    request.exitCode = exitCode;
    request.message = message;
    return request;
}

CliRequest usageError(const QString &message)
{
    return answer(2, QStringLiteral("tavrelo-cli: %1\nTry 'tavrelo-cli --help'.").arg(message));
}

QCommandLineOption flag(const QString &name)
{
    return QCommandLineOption(name);
}

QCommandLineOption valued(const QString &name)
{
    return QCommandLineOption(name, QString(), QStringLiteral("value"));
}

} // namespace

namespace {

// One field of a kind in the help: its key, with its default where it has
// one, and a choice's words, the default first.
QString fieldHelp(const RuleParameter &parameter)
{
    switch (parameter.type) {
    case RuleParameter::Type::Text: {
        const QString text = parameter.defaultValue.toString();
        return text.isEmpty() ? parameter.key
                              : QStringLiteral("%1=\"%2\"").arg(parameter.key, text);
    }
    case RuleParameter::Type::Flag:
        return parameter.key
               + (parameter.defaultValue.toBool() ? QLatin1String("=true")
                                                  : QLatin1String("=false"));
    case RuleParameter::Type::Number:
        return QStringLiteral("%1=%2").arg(parameter.key).arg(parameter.defaultValue.toInt());
    case RuleParameter::Type::Choice: {
        const QString chosen = parameter.defaultValue.toString();
        QStringList words{chosen};
        for (const RuleParameter::Choice &choice : parameter.choices) {
            if (choice.word != chosen)
                words.append(choice.word);
        }
        return parameter.key + QLatin1Char('=') + words.join(QLatin1Char('|'));
    }
    case RuleParameter::Type::List: {
        const QStringList items = parameter.defaultValue.toStringList();
        return items.isEmpty() ? parameter.key
                               : parameter.key + QLatin1Char('=') + items.join(QLatin1Char(','));
    }
    }
    return parameter.key;
}

// Every kind the registry knows, so that a kind added there is documented
// here without a word written for it.
QString kindsHelp()
{
    const int width = 80;
    const QString indent(6, QLatin1Char(' '));
    QString text;
    for (const RuleRegistry::Kind &kind : RuleRegistry::kinds()) {
        const std::unique_ptr<Rule> rule = RuleRegistry::create(kind.name);
        const QVector<RuleParameter> parameters = rule->parameters();
        QStringList keys{kind.name};
        for (const RuleParameter &parameter : parameters)
            keys.append(parameter.key);
        text += QLatin1String("  ") + keys.join(QLatin1Char(':')) + QLatin1Char('\n');
        QString line = indent;
        for (int i = 0; i < parameters.size(); ++i) {
            const QString field =
                fieldHelp(parameters[i])
                + (i + 1 < parameters.size() ? QLatin1String(",") : QLatin1String(""));
            if (line.size() > indent.size() && line.size() + 1 + field.size() > width - 1) {
                text += line + QLatin1Char('\n');
                line = indent;
            }
            if (line.size() > indent.size())
                line += QLatin1Char(' ');
            line += field;
        }
        if (line.size() > indent.size())
            text += line + QLatin1Char('\n');
    }
    return text;
}

} // namespace

QString CliRequest::helpText()
{
    return QStringLiteral(
               "Usage:\n"
               "  tavrelo-cli rename --text TEXT [--format name|append|prepend] "
               "[--reverse-format]\n"
               "                     [--order date|size|name] [--reverse-order] "
               "[--ext EXT[,EXT...]]\n"
               "                     [--recursive] [--dry-run] [--json] PATH...\n"
               "  tavrelo-cli replace --find TEXT --with TEXT [--regexp | --suffix]\n"
               "                      [--delete-if-exists] [--recursive] [--dry-run] [--json] "
               "PATH...\n"
               "  tavrelo-cli apply (--preset NAME | --rules FILE.json | --rule RULE...)\n"
               "                    [--order natural|name|date|size|taken] [--reverse-order]\n"
               "                    [--recursive] [--dry-run] [--json] PATH...\n"
               "  tavrelo-cli presets [--json]\n"
               "  tavrelo-cli undo [--dry-run] [--json] [BATCH-ID]\n"
               "  tavrelo-cli history [--json]\n"
               "  tavrelo-cli --help | --version\n"
               "\n"
               "rename gives the selected files of each folder TEXT and a zero-padded number,\n"
               "numbered per folder: name keeps only the numbered text, append puts it before\n"
               "the old name, prepend after it. Files of a folder are numbered by date (newer\n"
               "first), size (greater first) or name. --ext selects suffixes (case-sensitive);\n"
               "without it every suffix found is renamed.\n"
               "replace replaces TEXT in every base name, in the suffix with --suffix, or a\n"
               "regular expression matching the whole base name with --regexp (\\1 refers to a\n"
               "captured group). An existing file of a new name is replaced (and moved to the\n"
               "trash) only with --delete-if-exists.\n"
               "apply runs rules one after the other on every name: a preset, the rules of a\n"
               "JSON file, or one --rule per rule, in the order given. Files are counted in\n"
               "natural order, or in the order of the preset or file; --order puts its own\n"
               "order instead (taken: the date a photo was taken, older first, files without\n"
               "one last), and --reverse-order reverses the order.\n"
               "presets lists the presets, kept in %1.\n"
               "undo takes back the newest batch not undone yet, from this program or the\n"
               "window, or the batch of BATCH-ID; a batch whose files a later batch renamed\n"
               "again waits until that one is undone. history lists the batches, newest\n"
               "first, with their ids and the folders they renamed in.\n"
               "--recursive also renames the files of the subfolders of each folder given.\n"
               "--dry-run prints what would be done and touches nothing; --json prints one\n"
               "JSON document.\n"
               "\n"
               "A --rule RULE is a kind and its fields, separated by colons, in this order;\n"
               "a field left out keeps its default (shown after =; of several words, the\n"
               "first). A colon inside {} or written \\: does not separate fields; a list\n"
               "is written a,b; a flag is true or false.\n"
               "%2"
               "\n"
               "Exit status: 0 when every change was made, 1 when some file could not be\n"
               "renamed, 2 for bad usage or input.\n")
        .arg(QDir::toNativeSeparators(Presets::defaultDirectory()), kindsHelp());
}

namespace {

// The rules of apply, from the one source given, checked whole so that a
// fault stops the run before the first file moves: an empty answer when
// they can run, else what is wrong, naming the rule.
QString readStack(const QCommandLineParser &parser, RuleStack *stack)
{
    const QStringList presets = parser.values(QStringLiteral("preset"));
    const QStringList files = parser.values(QStringLiteral("rules"));
    const QStringList written = parser.values(QStringLiteral("rule"));
    QString source;
    QString error;
    if (!presets.isEmpty()) {
        source = QStringLiteral("preset \"%1\"").arg(presets.constFirst());
        const Presets store;
        if (!store.load(presets.constFirst(), stack, &error)) {
            if (!QFileInfo::exists(store.pathOf(presets.constFirst())))
                error += QStringLiteral(" in %1").arg(QDir::toNativeSeparators(store.directory()));
            return error;
        }
    } else if (!files.isEmpty()) {
        source = files.constFirst();
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("%1: %2").arg(source, file.errorString());
        if (!RuleStack::fromJson(file.readAll(), stack, &error))
            return QStringLiteral("%1: %2").arg(source, error);
    } else {
        for (const QString &shortForm : written) {
            std::unique_ptr<Rule> rule = RuleStack::ruleFromShortForm(shortForm, &error);
            if (!rule) {
                const QString kind = splitShortForm(shortForm).constFirst();
                if (!RuleRegistry::create(kind)) {
                    QStringList kinds;
                    for (const RuleRegistry::Kind &known : RuleRegistry::kinds())
                        kinds.append(known.name);
                    error +=
                        QStringLiteral(" (the kinds are %1)").arg(kinds.join(QLatin1String(", ")));
                }
                return QStringLiteral("--rule '%1': %2").arg(shortForm, error);
            }
            if (!rule->problem().isEmpty())
                return QStringLiteral("--rule '%1': %2").arg(shortForm, rule->problem());
            stack->append(std::move(rule));
        }
        return QString();
    }

    if (stack->isEmpty())
        return QStringLiteral("%1 holds no rule").arg(source);
    const QString problem = stack->problem();
    if (!problem.isEmpty())
        return QStringLiteral("%1: %2").arg(source, problem);
    bool someEnabled = false;
    for (int i = 0; i < stack->size(); ++i)
        someEnabled = someEnabled || stack->at(i).enabled;
    if (!someEnabled)
        return QStringLiteral("%1: every rule is turned off").arg(source);
    return QString();
}

} // namespace

CliRequest CliRequest::parse(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return usageError(QStringLiteral(
            "a command is needed: rename, replace, apply, presets, undo or history"));
    const QString command = arguments.at(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h"))
        return answer(0, helpText());
    if (command == QLatin1String("--version"))
        return answer(0, QStringLiteral("tavrelo-cli 1.1.2\n"));

    CliRequest request;
    QCommandLineParser parser;
    parser.addOption(flag(QStringLiteral("help")));
    parser.addOption(flag(QStringLiteral("json")));
    if (command == QLatin1String("rename")) {
        request.command = Command::Rename;
        parser.addOptions({valued(QStringLiteral("text")), valued(QStringLiteral("format")),
                           flag(QStringLiteral("reverse-format")), valued(QStringLiteral("order")),
                           flag(QStringLiteral("reverse-order")), valued(QStringLiteral("ext")),
                           flag(QStringLiteral("recursive")), flag(QStringLiteral("dry-run"))});
    } else if (command == QLatin1String("replace")) {
        request.command = Command::Replace;
        parser.addOptions({valued(QStringLiteral("find")), valued(QStringLiteral("with")),
                           flag(QStringLiteral("regexp")), flag(QStringLiteral("suffix")),
                           flag(QStringLiteral("delete-if-exists")),
                           flag(QStringLiteral("recursive")), flag(QStringLiteral("dry-run"))});
    } else if (command == QLatin1String("apply")) {
        request.command = Command::Apply;
        parser.addOptions({valued(QStringLiteral("preset")), valued(QStringLiteral("rules")),
                           valued(QStringLiteral("rule")), valued(QStringLiteral("order")),
                           flag(QStringLiteral("reverse-order")), flag(QStringLiteral("recursive")),
                           flag(QStringLiteral("dry-run"))});
    } else if (command == QLatin1String("presets")) {
        request.command = Command::Presets;
    } else if (command == QLatin1String("undo")) {
        request.command = Command::Undo;
        parser.addOption(flag(QStringLiteral("dry-run")));
    } else if (command == QLatin1String("history")) {
        request.command = Command::History;
    } else {
        return usageError(QStringLiteral("unknown command '%1'").arg(command));
    }

    QStringList rest = arguments.mid(2);
    rest.prepend(arguments.constFirst());
    if (!parser.parse(rest))
        return usageError(QStringLiteral("%1: %2").arg(command, parser.errorText()));
    if (parser.isSet(QStringLiteral("help")))
        return answer(0, helpText());
    request.json = parser.isSet(QStringLiteral("json"));
    request.dryRun = parser.optionNames().contains(QLatin1String("dry-run"));
    request.recursive = parser.optionNames().contains(QLatin1String("recursive"));
    request.paths = parser.positionalArguments();

    if (request.command == Command::Undo && !request.paths.isEmpty()) {
        if (request.paths.size() > 1)
            return usageError(
                QStringLiteral("undo takes one batch at most: '%1'").arg(request.paths.at(1)));
        request.batchId = request.paths.takeFirst();
    }
    if (request.command == Command::Undo || request.command == Command::History
        || request.command == Command::Presets) {
        if (!request.paths.isEmpty())
            return usageError(
                QStringLiteral("%1 takes no path: '%2'").arg(command, request.paths.constFirst()));
        return request;
    }
    if (request.paths.isEmpty())
        return usageError(QStringLiteral("%1 needs at least one file or folder").arg(command));
    for (const QString &path : std::as_const(request.paths)) {
        // A dangling link is a name that exists: it can be renamed.
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return answer(2, QStringLiteral("tavrelo-cli: '%1' does not exist").arg(path));
    }

    if (request.command == Command::Apply) {
        const int sources = int(parser.isSet(QStringLiteral("preset")))
                            + int(parser.isSet(QStringLiteral("rules")))
                            + int(parser.isSet(QStringLiteral("rule")));
        if (sources == 0)
            return usageError(QStringLiteral("apply needs rules: --preset, --rules or --rule"));
        if (sources > 1 || parser.values(QStringLiteral("preset")).size() > 1
            || parser.values(QStringLiteral("rules")).size() > 1)
            return usageError(
                QStringLiteral("the rules come from one --preset, one --rules or --rule options"));
        ListingOrder order = ListingOrder::Natural;
        const QString orderWord = parser.value(QStringLiteral("order"));
        if (parser.isSet(QStringLiteral("order")) && !RuleStack::orderNamed(orderWord, &order))
            return usageError(
                QStringLiteral("--order is natural, name, date, size or taken, not '%1'")
                    .arg(orderWord));
        const QString error = readStack(parser, &request.stack);
        if (!error.isEmpty())
            return answer(2, QStringLiteral("tavrelo-cli: %1").arg(error));
        if (parser.isSet(QStringLiteral("order"))) {
            // A new order comes with its own direction: the rules'
            // "reversed" belonged to their order.
            request.stack.order = order;
            request.stack.reversed = false;
        }
        if (parser.isSet(QStringLiteral("reverse-order")))
            request.stack.reversed = true;
        return request;
    }

    if (request.command == Command::Rename) {
        request.rename.recursive = request.recursive;
        if (!parser.isSet(QStringLiteral("text")))
            return usageError(QStringLiteral("rename needs --text"));
        request.rename.outputFormat = parser.value(QStringLiteral("text"));
        const QStringList formats = {QStringLiteral("name"), QStringLiteral("append"),
                                     QStringLiteral("prepend")};
        const QString format = parser.isSet(QStringLiteral("format"))
                                   ? parser.value(QStringLiteral("format"))
                                   : formats.constFirst();
        request.rename.formatPosition = int(formats.indexOf(format));
        if (request.rename.formatPosition < 0)
            return usageError(
                QStringLiteral("--format is name, append or prepend, not '%1'").arg(format));
        const QStringList orders = {QStringLiteral("date"), QStringLiteral("size"),
                                    QStringLiteral("name")};
        const QString order = parser.isSet(QStringLiteral("order"))
                                  ? parser.value(QStringLiteral("order"))
                                  : orders.constFirst();
        request.rename.renameBy = int(orders.indexOf(order));
        if (request.rename.renameBy < 0)
            return usageError(QStringLiteral("--order is date, size or name, not '%1'").arg(order));
        request.rename.reverseFormat = parser.isSet(QStringLiteral("reverse-format"));
        request.rename.renameByReversed = parser.isSet(QStringLiteral("reverse-order"));
        request.extensionsGiven = parser.isSet(QStringLiteral("ext"));
        const QStringList values = parser.values(QStringLiteral("ext"));
        for (const QString &value : values) {
            // An empty item stands for the files without a suffix.
            for (QString suffix : value.split(QLatin1Char(','))) {
                if (suffix.startsWith(QLatin1Char('.')))
                    suffix.remove(0, 1);
                if (!request.rename.listExtensions.contains(suffix))
                    request.rename.listExtensions.append(suffix);
            }
        }
        return request;
    }

    if (!parser.isSet(QStringLiteral("find")) || !parser.isSet(QStringLiteral("with")))
        return usageError(QStringLiteral("replace needs --find and --with"));
    request.find = parser.value(QStringLiteral("find"));
    request.with = parser.value(QStringLiteral("with"));
    request.regExp = parser.isSet(QStringLiteral("regexp"));
    request.suffix = parser.isSet(QStringLiteral("suffix"));
    request.deleteIfExists = parser.isSet(QStringLiteral("delete-if-exists"));
    if (request.find.isEmpty())
        return answer(2, QStringLiteral("tavrelo-cli: the text to find is empty"));
    if (request.regExp && request.suffix)
        return usageError(QStringLiteral("--regexp and --suffix exclude each other"));
    if (request.regExp) {
        const QRegExp pattern(request.find, Qt::CaseSensitive, QRegExp::RegExp);
        if (!pattern.isValid())
            return answer(2,
                          QStringLiteral("tavrelo-cli: '%1' is not a valid regular expression: %2")
                              .arg(request.find, pattern.errorString()));
    }
    return request;
}

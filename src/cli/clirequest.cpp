#include "clirequest.h"

#include <QCommandLineParser>
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

QString CliRequest::helpText()
{
    return QStringLiteral(
        "Usage:\n"
        "  tavrelo-cli rename --text TEXT [--format name|append|prepend] [--reverse-format]\n"
        "                     [--order date|size|name] [--reverse-order] [--ext EXT[,EXT...]]\n"
        "                     [--dry-run] [--json] PATH...\n"
        "  tavrelo-cli replace --find TEXT --with TEXT [--regexp | --suffix]\n"
        "                      [--delete-if-exists] [--dry-run] [--json] PATH...\n"
        "  tavrelo-cli undo [--dry-run] [--json]\n"
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
        "undo takes back the newest batch not undone yet, from this program or the\n"
        "window; history lists the batches.\n"
        "--dry-run prints what would be done and touches nothing; --json prints one\n"
        "JSON document.\n"
        "\n"
        "Exit status: 0 when every change was made, 1 when some file could not be\n"
        "renamed, 2 for bad usage or input.\n");
}

CliRequest CliRequest::parse(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return usageError(QStringLiteral("a command is needed: rename, replace, undo or history"));
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
                           flag(QStringLiteral("dry-run"))});
    } else if (command == QLatin1String("replace")) {
        request.command = Command::Replace;
        parser.addOptions({valued(QStringLiteral("find")), valued(QStringLiteral("with")),
                           flag(QStringLiteral("regexp")), flag(QStringLiteral("suffix")),
                           flag(QStringLiteral("delete-if-exists")),
                           flag(QStringLiteral("dry-run"))});
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
    request.paths = parser.positionalArguments();

    if (request.command == Command::Undo || request.command == Command::History) {
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

    if (request.command == Command::Rename) {
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

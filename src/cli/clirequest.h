#ifndef CLIREQUEST_H
#define CLIREQUEST_H

#include "renameplan.h"
#include "rulestack.h"

#include <QString>
#include <QStringList>

// One command line read into what tavrelo-cli is asked to do, checked before
// anything is touched: known options only, the values they allow, paths that
// exist, a text to find and a valid pattern, rules that can all run. No file
// is changed here.
struct CliRequest
{
    enum class Command { Rename, Replace, Apply, Presets, Undo, History };

    Command command = Command::Rename;
    QStringList paths;
    bool dryRun = false;
    bool json = false;
    bool recursive = false;

    // rename; listExtensions is filled only when --ext was given.
    RenameOptions rename;
    bool extensionsGiven = false;

    // replace
    QString find;
    QString with;
    bool regExp = false;
    bool suffix = false;
    bool deleteIfExists = false;

    // undo: the batch to take back; empty for the newest.
    QString batchId;

    // apply: the rules, from a preset, a file or --rule, with the order of
    // the command line put over theirs.
    RuleStack stack;

    // Set when the command line is answered without running anything: the
    // help or the version (0, on stdout) or a usage error (2, on stderr).
    int exitCode = -1;
    QString message;

    bool answered() const { return exitCode >= 0; }

    static CliRequest parse(const QStringList &arguments);
    static QString helpText();
};

#endif // CLIREQUEST_H

#ifndef RULESPEC_H
#define RULESPEC_H

#include <QString>
#include <QStringList>

// The short form of a rule on the command line: "kind:field:field". A colon
// that opens a token's argument ("{n:3}", "{mtime:yyyy-MM-dd}") does not end
// a field, nor does one written "\:"; every other backslash is itself, so
// that regular expressions read as typed. Plain functions.

QStringList splitSpecFields(const QString &spec);
// The reverse: fields joined so that splitSpecFields gives them back.
QString joinSpecFields(const QStringList &fields);

#endif // RULESPEC_H

#ifndef RULESPEC_H
#define RULESPEC_H

#include <QString>
#include <QStringList>

// The short form of a rule on the command line: "kind:field:field". A colon
// inside braces (a template's "{n:3}") does not end a field, and a backslash
// takes the next character as it is ("\:" is a colon). Plain functions.

QStringList splitSpecFields(const QString &spec);
// The reverse: fields joined so that splitSpecFields gives them back.
QString joinSpecFields(const QStringList &fields);

#endif // RULESPEC_H

#ifndef SHORTFORM_H
#define SHORTFORM_H

#include <QString>
#include <QStringList>

// The short form of a rule on the command line: "kind:field:field". A colon
// that opens a token's argument ("{n:3}", "{mtime:yyyy-MM-dd}") does not end
// a field, nor does one written "\:"; every other backslash is itself, so
// that regular expressions read as typed. Plain functions.

QStringList splitShortForm(const QString &shortForm);
// The reverse: fields joined so that splitShortForm gives them back.
QString joinShortForm(const QStringList &fields);

#endif // SHORTFORM_H

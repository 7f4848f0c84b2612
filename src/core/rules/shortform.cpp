#include "shortform.h"

namespace {

bool isTokenCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// Whether text ends with "{name", the opening of a token whose argument the
// next colon starts ("{n:3}", "{mtime:HH:mm}").
bool endsInTokenName(QStringView text)
{
    qsizetype i = text.size();
    while (i > 0 && isTokenCharacter(text[i - 1]))
        --i;
    return i > 0 && i < text.size() && text[i - 1] == QLatin1Char('{');
}

// Whether the token argument that a colon at "at" would start closes: a "}"
// comes before any "{" (an argument holds no brace).
bool argumentCloses(const QString &text, qsizetype at)
{
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('}'))
            return true;
        if (text[i] == QLatin1Char('{'))
            return false;
    }
    return false;
}

qsizetype backslashesFrom(const QString &text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && text[end] == QLatin1Char('\\'))
        ++end;
    return end - at;
}

} // namespace

QStringList splitShortForm(const QString &shortForm)
{
    QStringList fields;
    QString field;
    bool inToken = false;
    for (qsizetype i = 0; i < shortForm.size(); ++i) {
        const QChar c = shortForm[i];
        if (c == QLatin1Char('\\')) {
            // Backslashes are special only before a colon, as in a Windows
            // command line: pairs stand for one, an odd one takes the colon.
            const qsizetype run = backslashesFrom(shortForm, i);
            const bool beforeColon =
                i + run < shortForm.size() && shortForm[i + run] == QLatin1Char(':');
            field.append(QString(beforeColon ? run / 2 : run, QLatin1Char('\\')));
            i += run - 1;
            if (beforeColon && run % 2 == 1) {
                field.append(QLatin1Char(':'));
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char(':') && !inToken) {
            if (endsInTokenName(field) && argumentCloses(shortForm, i)) {
                inToken = true;
            } else {
                fields.append(field);
                field.clear();
                continue;
            }
        } else if (c == QLatin1Char('}')) {
            inToken = false;
        }
        field.append(c);
    }
    fields.append(field);
    return fields;
}

QString joinShortForm(const QStringList &fields)
{
    QStringList written;
    written.reserve(fields.size());
    for (qsizetype f = 0; f < fields.size(); ++f) {
        const QString &field = fields[f];
        const bool last = f + 1 == fields.size();
        QString out;
        bool inToken = false;
        for (qsizetype i = 0; i < field.size(); ++i) {
            const QChar c = field[i];
            if (c == QLatin1Char('\\')) {
                const qsizetype run = backslashesFrom(field, i);
                const qsizetype next = i + run;
                // Before a colon, or before the colon that ends the field.
                const bool doubled = next < field.size() ? field[next] == QLatin1Char(':') : !last;
                out.append(QString(doubled ? 2 * run : run, QLatin1Char('\\')));
                i = next - 1;
                continue;
            }
            if (c == QLatin1Char(':') && !inToken) {
                // A token's colon stays bare, to keep a template readable.
                if (endsInTokenName(QStringView(field).left(i)) && argumentCloses(field, i))
                    inToken = true;
                else
                    out.append(QLatin1Char('\\'));
            } else if (c == QLatin1Char('}')) {
                inToken = false;
            }
            out.append(c);
        }
        written.append(out);
    }
    return written.join(QLatin1Char(':'));
}

#include "rulespec.h"

namespace {

bool isTokenCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// Whether text ends with "{name", the opening of a token whose argument the
// next colon starts ("{n:3}", "{mtime:yyyy-MM-dd}").
bool endsInTokenName(const QString &text)
{
    qsizetype i = text.size();
    while (i > 0 && isTokenCharacter(text[i - 1]))
        --i;
    return i > 0 && i < text.size() && text[i - 1] == QLatin1Char('{');
}

} // namespace

QStringList splitSpecFields(const QString &spec)
{
    QStringList fields;
    QString field;
    const qsizetype lastClose = spec.lastIndexOf(QLatin1Char('}'));
    for (qsizetype i = 0; i < spec.size(); ++i) {
        const QChar c = spec[i];
        if (c == QLatin1Char('\\') && i + 1 < spec.size() && spec[i + 1] == QLatin1Char(':')) {
            field.append(QLatin1Char(':'));
            ++i;
            continue;
        }
        if (c == QLatin1Char(':') && !(i < lastClose && endsInTokenName(field))) {
            fields.append(field);
            field.clear();
            continue;
        }
        field.append(c);
    }
    fields.append(field);
    return fields;
}

QString joinSpecFields(const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString &field : fields) {
        QString out;
        for (qsizetype i = 0; i < field.size(); ++i) {
            const QChar c = field[i];
            // A token's colon stays bare, to keep a template readable.
            if (c == QLatin1Char(':')
                && !(endsInTokenName(field.left(i)) && field.indexOf(QLatin1Char('}'), i) > 0))
                out.append(QLatin1Char('\\'));
            out.append(c);
        }
        escaped.append(out);
    }
    return escaped.join(QLatin1Char(':'));
}

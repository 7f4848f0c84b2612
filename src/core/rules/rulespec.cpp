#include "rulespec.h"

QStringList splitSpecFields(const QString &spec)
{
    QStringList fields;
    QString field;
    int depth = 0;
    for (qsizetype i = 0; i < spec.size(); ++i) {
        const QChar c = spec[i];
        if (c == QLatin1Char('\\') && i + 1 < spec.size()) {
            field.append(spec[++i]);
            continue;
        }
        if (c == QLatin1Char(':') && depth == 0) {
            fields.append(field);
            field.clear();
            continue;
        }
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}') && depth > 0)
            --depth;
        field.append(c);
    }
    fields.append(field);
    return fields;
}

namespace {

QString escapeField(const QString &field)
{
    // Braces that do not close within the field would hold the next colon:
    // those are escaped, the others kept for a readable template.
    int depth = 0;
    for (const QChar c : field) {
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}') && depth > 0)
            --depth;
    }
    const bool balanced = depth == 0;
    QString out;
    depth = 0;
    for (const QChar c : field) {
        if (c == QLatin1Char('\\') || (c == QLatin1Char(':') && depth == 0)
            || (!balanced && (c == QLatin1Char('{') || c == QLatin1Char('}')))) {
            out.append(QLatin1Char('\\'));
        } else if (c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char('}') && depth > 0) {
            --depth;
        }
        out.append(c);
    }
    return out;
}

} // namespace

QString joinSpecFields(const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString &field : fields)
        escaped.append(escapeField(field));
    return escaped.join(QLatin1Char(':'));
}

#include "counterrule.h"

namespace {

int digitCount(qint64 number)
{
    quint64 magnitude = number < 0 ? quint64(-number) : quint64(number);
    int digits = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

QVector<RuleParameter> CounterRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("start"),
         Type::Number,
         QT_TRANSLATE_NOOP("Rule", "Start at"),
         1,
         {},
         -999999999,
         999999999},
        {QStringLiteral("step"),
         Type::Number,
         QT_TRANSLATE_NOOP("Rule", "Step"),
         1,
         {},
         -1000,
         1000},
        {QStringLiteral("width"),
         Type::Number,
         QT_TRANSLATE_NOOP("Rule", "Digits (0: as many as the folder needs)"),
         0,
         {},
         0,
         32},
        {QStringLiteral("place"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Put the number"),
         QStringLiteral("after"),
         {{QStringLiteral("before"), QT_TRANSLATE_NOOP("Rule", "before the name")},
          {QStringLiteral("after"), QT_TRANSLATE_NOOP("Rule", "after the name")},
          {QStringLiteral("replace"), QT_TRANSLATE_NOOP("Rule", "in place of the name")}}},
        {QStringLiteral("separator"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "Separator"),
         QStringLiteral("_"),
         {}},
        {QStringLiteral("scope"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Count"),
         QStringLiteral("folder"),
         {{QStringLiteral("folder"), QT_TRANSLATE_NOOP("Rule", "in each folder afresh")},
          {QStringLiteral("request"), QT_TRANSLATE_NOOP("Rule", "across all the files")}}},
    };
}

QString CounterRule::prepare()
{
    m_start = number(QStringLiteral("start"));
    m_step = number(QStringLiteral("step"));
    m_width = number(QStringLiteral("width"));
    const QString place = text(QStringLiteral("place"));
    m_place = place == QLatin1String("before")    ? Place::Before
              : place == QLatin1String("replace") ? Place::Replace
                                                  : Place::After;
    m_separator = text(QStringLiteral("separator"));
    m_acrossRequest = text(QStringLiteral("scope")) == QLatin1String("request");
    if (m_step == 0)
        return Rule::tr("the step must not be 0");
    return QString();
}

QString CounterRule::apply(const RuleFile &file, const QString &name) const
{
    const qint64 index = m_acrossRequest ? file.requestPosition : file.position;
    int width = m_width;
    if (width == 0) {
        // The numbers run from the first to the last: one of them is the
        // widest.
        const qint64 count = m_acrossRequest ? file.requestCount : file.groupCount;
        const qint64 last = m_start + m_step * qMax<qint64>(count - 1, 0);
        width = qMax(digitCount(m_start), digitCount(last));
    }
    const qint64 value = m_start + m_step * index;
    const QString digits = QString::number(value < 0 ? -value : value);

    // Cut at the last dot, as SplitName does, without copying the parts.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView base = dot < 0 ? QStringView(name) : QStringView(name).left(dot);
    const QStringView ending = dot < 0 ? QStringView() : QStringView(name).mid(dot);
    // With no base name to join to, the separator would stand alone.
    const bool joined = m_place != Place::Replace && !base.isEmpty();

    QString out;
    out.reserve(name.size() + m_separator.size() + qMax<qsizetype>(width, digits.size()) + 1);
    if (joined && m_place == Place::After) {
        out += base;
        out += m_separator;
    }
    if (value < 0)
        out += QLatin1Char('-');
    for (qsizetype i = digits.size(); i < width; ++i)
        out += QLatin1Char('0');
    out += digits;
    if (joined && m_place == Place::Before) {
        out += m_separator;
        out += base;
    }
    out += ending;
    return out;
}

QString CounterRule::summary() const
{
    const QString number = QStringLiteral("#");
    switch (m_place) {
    case Place::Before:
        return number + m_separator + QStringLiteral("{name}");
    case Place::After:
        return QStringLiteral("{name}") + m_separator + number;
    case Place::Replace:
        break;
    }
    return number;
}

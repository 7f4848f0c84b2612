#include "insertrule.h"

#include <QTextBoundaryFinder>

CharacterOffsets::CharacterOffsets(QStringView text) : m_size(text.size())
{
    // Below U+0300 (where the combining marks begin) every code unit is a
    // character of its own, "\r\n" aside: most names are spared the finder.
    for (qsizetype i = 0; i < text.size() && m_plain; ++i) {
        const char16_t c = text[i].unicode();
        m_plain = c < 0x300 && !(c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n');
    }
    if (m_plain)
        return;
    unsigned char buffer[512];
    const bool fits = qsizetype(sizeof buffer) >= text.size() + 1;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text, fits ? buffer : nullptr,
                               fits ? qsizetype(sizeof buffer) : 0);
    m_starts.append(0);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        m_starts.append(at);
    if (m_starts.last() != m_size) // not expected; the end closes the last one anyway
        m_starts.append(m_size);
}

qsizetype CharacterOffsets::count() const
{
    return m_plain ? m_size : m_starts.size() - 1;
}

qsizetype CharacterOffsets::fromStart(qsizetype n) const
{
    const qsizetype at = qBound<qsizetype>(0, n, count());
    return m_plain ? at : m_starts[at];
}

qsizetype CharacterOffsets::fromEnd(qsizetype n) const
{
    return fromStart(count() - qBound<qsizetype>(0, n, count()));
}

QVector<RuleParameter> InsertRule::parameters() const
{
    using Type = RuleParameter::Type;
    RuleParameter position{
        QStringLiteral("position"), Type::Number, QT_TRANSLATE_NOOP("Rule", "At character"), 0, {}};
    position.maximum = 9999;
    return {
        {QStringLiteral("text"), Type::Text, QT_TRANSLATE_NOOP("Rule", "Text"), QString(), {}},
        position,
        {QStringLiteral("from"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Counted from"),
         QStringLiteral("start"),
         {{QStringLiteral("start"), QT_TRANSLATE_NOOP("Rule", "the start of the base name")},
          {QStringLiteral("end"), QT_TRANSLATE_NOOP("Rule", "the end of the base name")}}},
        {QStringLiteral("tokens"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Fill in tokens such as {exif.date}"),
         false,
         {}},
    };
}

QString InsertRule::prepare()
{
    m_text = text(QStringLiteral("text"));
    m_position = number(QStringLiteral("position"));
    m_fromEnd = text(QStringLiteral("from")) == QLatin1String("end");
    m_template.reset();
    if (!flag(QStringLiteral("tokens")))
        return QString();
    m_template = std::make_unique<TemplateRule>();
    m_template->setValue(QStringLiteral("template"), m_text);
    return m_template->problem();
}

QString InsertRule::apply(const RuleFile &file, const QString &name) const
{
    if (m_text.isEmpty())
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView base = QStringView(name).left(dot < 0 ? name.size() : dot);
    QString inserted;
    if (m_template) {
        if (!m_template->expand(file, base,
                                dot < 0 ? QStringView() : QStringView(name).mid(dot + 1), inserted))
            return name;
    }
    const QString &text = m_template ? inserted : m_text;
    const CharacterOffsets offsets(base);
    const qsizetype at = m_fromEnd ? offsets.fromEnd(m_position) : offsets.fromStart(m_position);
    QString out;
    out.reserve(name.size() + text.size());
    out.append(QStringView(name).left(at));
    out.append(text);
    out.append(QStringView(name).mid(at));
    return out;
}

QString InsertRule::summary() const
{
    return m_fromEnd ? Rule::tr("insert \"%1\" %2 from the end").arg(m_text).arg(m_position)
                     : Rule::tr("insert \"%1\" at %2").arg(m_text).arg(m_position);
}

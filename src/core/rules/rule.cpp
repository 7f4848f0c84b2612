#include "rule.h"

#include "metadatacache.h"
#include "ruleregistry.h"
#include "shortform.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

#include <cmath>

QString RuleFile::folderName() const
{
    return QDir(folder).dirName();
}

void RuleFile::readFacts() const
{
    if (m_factsRead)
        return;
    m_factsRead = true;
    const QFileInfo info(path());
    m_modified = info.lastModified();
    m_size = info.size();
}

QDateTime RuleFile::modified() const
{
    readFacts();
    return m_modified;
}

qint64 RuleFile::size() const
{
    readFacts();
    return m_size;
}

const Metadata &RuleFile::metadata() const
{
    if (!m_metadataRead) {
        m_metadataRead = true;
        m_metadata = MetadataCache::shared().facts(path(), size(), modified());
    }
    return m_metadata;
}

SplitName SplitName::of(const QString &name, bool firstDot)
{
    const qsizetype dot =
        firstDot ? name.indexOf(QLatin1Char('.')) : name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {name, QString(), false};
    return {name.left(dot), name.mid(dot + 1), true};
}

QString SplitName::joined() const
{
    if (!dotted || suffix.isEmpty())
        return base;
    return base + QLatin1Char('.') + suffix;
}

bool Rule::selects(const QString &) const
{
    return true;
}

QString Rule::choiceLabel(const QString &key) const
{
    const QString word = text(key);
    for (const RuleParameter &parameter : parameters()) {
        if (parameter.key != key)
            continue;
        for (const RuleParameter::Choice &choice : parameter.choices) {
            if (choice.word == word)
                return QCoreApplication::translate("Rule", choice.label);
        }
    }
    return word;
}

void Rule::setChecked(const QString &key, const QVariant &value)
{
    m_values.insert(key, value);
}

void Rule::setValue(const QString &key, const QVariant &value)
{
    m_values.insert(key, value);
    m_problem = prepare();
}

void Rule::reset()
{
    m_values.clear();
    for (const RuleParameter &parameter : parameters())
        m_values.insert(parameter.key, parameter.defaultValue);
    m_problem = prepare();
}

namespace {

bool isWordOf(const RuleParameter &parameter, const QString &word)
{
    for (const RuleParameter::Choice &choice : parameter.choices) {
        if (choice.word == word)
            return true;
    }
    return false;
}

QString wordsOf(const RuleParameter &parameter)
{
    QStringList words;
    for (const RuleParameter::Choice &choice : parameter.choices)
        words.append(QLatin1Char('"') + choice.word + QLatin1Char('"'));
    return words.join(QLatin1String(", "));
}

// The value of one JSON key, checked against its parameter; an invalid
// QVariant with the fault in error when it does not fit.
QVariant fromJsonValue(const RuleParameter &parameter, const QJsonValue &value, QString *error)
{
    switch (parameter.type) {
    case RuleParameter::Type::Text:
        if (value.isString())
            return value.toString();
        *error = Rule::tr("\"%1\" must be a text").arg(parameter.key);
        return QVariant();
    case RuleParameter::Type::Flag:
        if (value.isBool())
            return value.toBool();
        *error = Rule::tr("\"%1\" must be true or false").arg(parameter.key);
        return QVariant();
    case RuleParameter::Type::Number: {
        // In range before it is converted: a double beyond an integer's
        // range has no integer value to compare with.
        const double number = value.toDouble(0.5);
        if (!value.isDouble() || number < parameter.minimum || number > parameter.maximum
            || number != std::floor(number)) {
            *error = Rule::tr("\"%1\" must be a whole number from %2 to %3")
                         .arg(parameter.key)
                         .arg(parameter.minimum)
                         .arg(parameter.maximum);
            return QVariant();
        }
        return int(number);
    }
    case RuleParameter::Type::Choice:
        if (value.isString() && isWordOf(parameter, value.toString()))
            return value.toString();
        *error = Rule::tr("\"%1\" must be one of %2").arg(parameter.key, wordsOf(parameter));
        return QVariant();
    case RuleParameter::Type::List: {
        if (!value.isArray()) {
            *error = Rule::tr("\"%1\" must be a list of texts").arg(parameter.key);
            return QVariant();
        }
        QStringList items;
        for (const QJsonValue &item : value.toArray()) {
            if (!item.isString()) {
                *error = Rule::tr("\"%1\" must be a list of texts").arg(parameter.key);
                return QVariant();
            }
            items.append(item.toString());
        }
        return items;
    }
    }
    return QVariant();
}

QJsonValue toJsonValue(const RuleParameter &parameter, const QVariant &value)
{
    switch (parameter.type) {
    case RuleParameter::Type::Flag:
        return value.toBool();
    case RuleParameter::Type::Number:
        return value.toInt();
    case RuleParameter::Type::List:
        return QJsonArray::fromStringList(value.toStringList());
    case RuleParameter::Type::Text:
    case RuleParameter::Type::Choice:
        break;
    }
    return value.toString();
}

QVariant fromField(const RuleParameter &parameter, const QString &field, QString *error)
{
    switch (parameter.type) {
    case RuleParameter::Type::Text:
        return field;
    case RuleParameter::Type::Flag:
        if (field == QLatin1String("true") || field == QLatin1String("yes")
            || field == QLatin1String("1"))
            return true;
        if (field == QLatin1String("false") || field == QLatin1String("no")
            || field == QLatin1String("0") || field.isEmpty())
            return false;
        *error = Rule::tr("\"%1\" must be true or false, not \"%2\"").arg(parameter.key, field);
        return QVariant();
    case RuleParameter::Type::Number: {
        bool ok = false;
        const int number = field.toInt(&ok);
        if (!ok || number < parameter.minimum || number > parameter.maximum) {
            *error = Rule::tr("\"%1\" must be a whole number from %2 to %3, not \"%4\"")
                         .arg(parameter.key)
                         .arg(parameter.minimum)
                         .arg(parameter.maximum)
                         .arg(field);
            return QVariant();
        }
        return number;
    }
    case RuleParameter::Type::Choice:
        if (isWordOf(parameter, field))
            return field;
        *error = Rule::tr("\"%1\" must be one of %2, not \"%3\"")
                     .arg(parameter.key, wordsOf(parameter), field);
        return QVariant();
    case RuleParameter::Type::List:
        return field.isEmpty() ? QStringList() : field.split(QLatin1Char(','));
    }
    return QVariant();
}

QString toField(const RuleParameter &parameter, const QVariant &value)
{
    switch (parameter.type) {
    case RuleParameter::Type::Flag:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case RuleParameter::Type::Number:
        return QString::number(value.toInt());
    case RuleParameter::Type::List:
        return value.toStringList().join(QLatin1Char(','));
    case RuleParameter::Type::Text:
    case RuleParameter::Type::Choice:
        break;
    }
    return value.toString();
}

} // namespace

bool Rule::readJson(const QJsonObject &object, QString *error)
{
    reset();
    const QVector<RuleParameter> known = parameters();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it.key() == QLatin1String("kind"))
            continue;
        if (it.key() == QLatin1String("enabled")) {
            if (!it.value().isBool()) {
                *error = tr("\"enabled\" must be true or false");
                return false;
            }
            enabled = it.value().toBool();
            continue;
        }
        const auto parameter =
            std::find_if(known.cbegin(), known.cend(),
                         [&it](const RuleParameter &p) { return p.key == it.key(); });
        if (parameter == known.cend()) {
            *error = tr("unknown key \"%1\"").arg(it.key());
            return false;
        }
        const QVariant value = fromJsonValue(*parameter, it.value(), error);
        if (!value.isValid())
            return false;
        setChecked(parameter->key, value);
    }
    m_problem = prepare();
    return true;
}

QJsonObject Rule::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("kind"), kind());
    if (!enabled)
        object.insert(QStringLiteral("enabled"), false);
    for (const RuleParameter &parameter : parameters())
        object.insert(parameter.key, toJsonValue(parameter, m_values.value(parameter.key)));
    return object;
}

bool Rule::readFields(const QStringList &fields, QString *error)
{
    reset();
    const QVector<RuleParameter> known = parameters();
    if (fields.size() > known.size()) {
        *error = tr("%1 takes at most %2 fields").arg(kind()).arg(known.size());
        return false;
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QVariant value = fromField(known[i], fields[i], error);
        if (!value.isValid())
            return false;
        setChecked(known[i].key, value);
    }
    m_problem = prepare();
    return true;
}

QString Rule::shortForm() const
{
    const QVector<RuleParameter> known = parameters();
    qsizetype used = 0;
    for (qsizetype i = 0; i < known.size(); ++i) {
        if (m_values.value(known[i].key) != known[i].defaultValue)
            used = i + 1;
    }
    QStringList fields{kind()};
    for (qsizetype i = 0; i < used; ++i)
        fields.append(toField(known[i], m_values.value(known[i].key)));
    return joinShortForm(fields);
}

QString Rule::summary() const
{
    return shortForm();
}

std::unique_ptr<Rule> Rule::clone() const
{
    std::unique_ptr<Rule> copy = RuleRegistry::create(kind());
    copy->enabled = enabled;
    copy->m_values = m_values;
    copy->m_problem = copy->prepare();
    return copy;
}

#include "rulestack.h"

#include "ruleregistry.h"
#include "shortform.h"

#include <QJsonArray>
#include <QJsonDocument>

RuleStack::RuleStack(const RuleStack &other) : order(other.order), reversed(other.reversed)
{
    m_rules.reserve(other.m_rules.size());
    for (const std::unique_ptr<Rule> &rule : other.m_rules)
        m_rules.push_back(rule->clone());
}

RuleStack &RuleStack::operator=(const RuleStack &other)
{
    if (this != &other) {
        RuleStack copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void RuleStack::append(std::unique_ptr<Rule> rule)
{
    m_rules.push_back(std::move(rule));
}

void RuleStack::insert(int index, std::unique_ptr<Rule> rule)
{
    m_rules.insert(m_rules.begin() + qBound(0, index, size()), std::move(rule));
}

void RuleStack::remove(int index)
{
    if (index >= 0 && index < size())
        m_rules.erase(m_rules.begin() + index);
}

void RuleStack::move(int from, int to)
{
    if (from < 0 || from >= size() || to < 0 || to >= size() || from == to)
        return;
    std::unique_ptr<Rule> rule = std::move(m_rules[size_t(from)]);
    m_rules.erase(m_rules.begin() + from);
    m_rules.insert(m_rules.begin() + to, std::move(rule));
}

namespace {

struct OrderWord
{
    ListingOrder order;
    const char *word;
};
const OrderWord orderWords[] = {{ListingOrder::Natural, "natural"},
                                {ListingOrder::Name, "name"},
                                {ListingOrder::Time, "date"},
                                {ListingOrder::Size, "size"},
                                {ListingOrder::Taken, "taken"}};

} // namespace

QString RuleStack::orderWord(ListingOrder order)
{
    for (const OrderWord &known : orderWords) {
        if (known.order == order)
            return QLatin1String(known.word);
    }
    return QStringLiteral("natural");
}

bool RuleStack::orderNamed(const QString &word, ListingOrder *order)
{
    for (const OrderWord &known : orderWords) {
        if (word == QLatin1String(known.word)) {
            *order = known.order;
            return true;
        }
    }
    return false;
}

QString RuleStack::problem() const
{
    for (int i = 0; i < size(); ++i) {
        const Rule &rule = at(i);
        if (rule.enabled && !rule.problem().isEmpty())
            return tr("rule %1 (%2): %3").arg(i + 1).arg(rule.kind(), rule.problem());
    }
    return QString();
}

QString RuleStack::inputProblem(const QVector<RuleFile> &files) const
{
    for (int i = 0; i < size(); ++i) {
        const Rule &rule = at(i);
        if (!rule.enabled)
            continue;
        const QString fault = rule.checkInput(files);
        if (!fault.isEmpty())
            return tr("rule %1 (%2): %3").arg(i + 1).arg(rule.kind(), fault);
    }
    return QString();
}

bool RuleStack::counts() const
{
    for (const std::unique_ptr<Rule> &rule : m_rules) {
        if (rule->enabled && rule->counts())
            return true;
    }
    return false;
}

bool RuleStack::numbersCollisions() const
{
    for (const std::unique_ptr<Rule> &rule : m_rules) {
        if (rule->enabled && rule->numbersCollisions())
            return true;
    }
    return false;
}

bool RuleStack::readsMetadata() const
{
    for (const std::unique_ptr<Rule> &rule : m_rules) {
        if (rule->enabled && rule->readsMetadata())
            return true;
    }
    return false;
}

QString RuleStack::summary() const
{
    QStringList parts;
    for (const std::unique_ptr<Rule> &rule : m_rules) {
        if (rule->enabled)
            parts.append(rule->summary());
    }
    return parts.join(QLatin1String(" → "));
}

QJsonObject RuleStack::toJsonObject() const
{
    QJsonArray rules;
    for (const std::unique_ptr<Rule> &rule : m_rules)
        rules.append(rule->toJson());
    QJsonObject object;
    object.insert(QStringLiteral("rules"), rules);
    object.insert(QStringLiteral("order"), orderWord(order));
    object.insert(QStringLiteral("reversed"), reversed);
    return object;
}

QByteArray RuleStack::toJson(bool compact) const
{
    return QJsonDocument(toJsonObject())
        .toJson(compact ? QJsonDocument::Compact : QJsonDocument::Indented);
}

bool RuleStack::fromJsonObject(const QJsonObject &object, RuleStack *stack, QString *error)
{
    RuleStack read;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("order")) {
            if (!orderNamed(it.value().toString(), &read.order)) {
                *error =
                    tr("\"order\" must be \"natural\", \"name\", \"date\", \"size\" or \"taken\"");
                return false;
            }
        } else if (key == QLatin1String("reversed")) {
            if (!it.value().isBool()) {
                *error = tr("\"reversed\" must be true or false");
                return false;
            }
            read.reversed = it.value().toBool();
        } else if (key != QLatin1String("rules")) {
            *error = tr("unknown key \"%1\"").arg(key);
            return false;
        }
    }
    const QJsonValue rules = object.value(QLatin1String("rules"));
    if (!rules.isArray()) {
        *error = tr("a list \"rules\" is needed");
        return false;
    }
    const QJsonArray array = rules.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject ruleObject = array.at(i).toObject();
        const QString kind = ruleObject.value(QLatin1String("kind")).toString();
        std::unique_ptr<Rule> rule = RuleRegistry::create(kind);
        QString fault;
        if (!array.at(i).isObject())
            fault = tr("not an object");
        else if (!rule)
            fault = tr("unknown kind \"%1\"").arg(kind);
        else if (!rule->readJson(ruleObject, &fault))
            fault = tr("%1: %2").arg(kind, fault);
        if (!fault.isEmpty()) {
            *error = tr("rule %1: %2").arg(i + 1).arg(fault);
            return false;
        }
        read.append(std::move(rule));
    }
    *stack = std::move(read);
    return true;
}

bool RuleStack::fromJson(const QByteArray &bytes, RuleStack *stack, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("not valid JSON: %1 (at character %2)")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        *error = tr("not a JSON object");
        return false;
    }
    return fromJsonObject(document.object(), stack, error);
}

std::unique_ptr<Rule> RuleStack::ruleFromShortForm(const QString &shortForm, QString *error)
{
    const QStringList fields = splitShortForm(shortForm);
    std::unique_ptr<Rule> rule = RuleRegistry::create(fields.constFirst());
    if (!rule) {
        *error = tr("unknown kind \"%1\"").arg(fields.constFirst());
        return nullptr;
    }
    QString fault;
    if (!rule->readFields(fields.mid(1), &fault)) {
        *error = tr("%1: %2").arg(fields.constFirst(), fault);
        return nullptr;
    }
    return rule;
}

#ifndef RULESTACK_H
#define RULESTACK_H

#include "directorylisting.h"
#include "rule.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Rules applied in order, and the order in which their files are counted: a
// preset, a --rules file, what the journal records of a batch. As JSON:
// {"rules": [RULE, ...], "order": "natural", "reversed": false}, each RULE
// {"kind": ..., "enabled": true, its keys}; an unknown key is an error.
// Copies are deep, so that a thread can plan with its own.
class RuleStack
{
    Q_DECLARE_TR_FUNCTIONS(RuleStack)

public:
    RuleStack() = default;
    RuleStack(const RuleStack &other);
    RuleStack &operator=(const RuleStack &other);
    RuleStack(RuleStack &&) = default;
    RuleStack &operator=(RuleStack &&) = default;

    int size() const { return int(m_rules.size()); }
    bool isEmpty() const { return m_rules.empty(); }
    Rule &at(int index) { return *m_rules[size_t(index)]; }
    const Rule &at(int index) const { return *m_rules[size_t(index)]; }
    void append(std::unique_ptr<Rule> rule);
    void insert(int index, std::unique_ptr<Rule> rule);
    void remove(int index);
    void move(int from, int to);

    ListingOrder order = ListingOrder::Natural;
    bool reversed = false;
    // "natural", "name", "date", "size", "taken", as the command line and the JSON
    // name them.
    static QString orderWord(ListingOrder order);
    static bool orderNamed(const QString &word, ListingOrder *order);

    // The first fault that stops the stack, naming its rule ("rule 2
    // (replace): ..."); empty when every enabled rule works.
    QString problem() const;
    // The same for the input as a whole (Rule::checkInput).
    QString inputProblem(const QVector<RuleFile> &files) const;
    // Whether some enabled rule counts files, so that their order matters.
    bool counts() const;
    // Whether some enabled rule numbers the names it gives several files.
    bool numbersCollisions() const;
    // Whether some enabled rule reads what the files say inside.
    bool readsMetadata() const;
    // The enabled rules in a few words each.
    QString summary() const;

    QJsonObject toJsonObject() const;
    QByteArray toJson(bool compact = false) const;
    // False, with the fault naming the rule, for a document that is not a
    // stack; rule problems (a pattern that does not compile) are left to
    // problem().
    static bool fromJsonObject(const QJsonObject &object, RuleStack *stack, QString *error);
    static bool fromJson(const QByteArray &bytes, RuleStack *stack, QString *error);
    // One rule from its short form "kind:field:...".
    static std::unique_ptr<Rule> ruleFromShortForm(const QString &shortForm, QString *error);

private:
    std::vector<std::unique_ptr<Rule>> m_rules;
};

#endif // RULESTACK_H

#ifndef RULEREGISTRY_H
#define RULEREGISTRY_H

#include "rule.h"

#include <QString>
#include <QVector>

#include <memory>

// Every rule kind by its stable name: one line per kind in ruleregistry.cpp.
class RuleRegistry
{
public:
    struct Kind
    {
        QString name;
        const char *title; // for the window, translated in the "Rule" context
        std::unique_ptr<Rule> (*make)();
        // Offered to add in the window; a kind the window makes itself is not.
        bool offered = true;
    };

    static const QVector<Kind> &kinds();
    // A rule of that kind with every parameter at its default; null for a
    // name no kind bears.
    static std::unique_ptr<Rule> create(const QString &name);
    static QString title(const QString &name);
};

#endif // RULEREGISTRY_H

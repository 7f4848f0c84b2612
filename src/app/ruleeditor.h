#ifndef RULEEDITOR_H
#define RULEEDITOR_H

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

class QFormLayout;
class QLabel;
class Rule;
struct RuleParameter;

// A form for one rule, built from the parameters its kind declares, so that
// a new kind needs no editor of its own. Every edit sets the value on the
// rule at once and emits ruleEdited(); what stops the rule from working is
// shown in red under the form, its field marked. The fields are named
// "rule_" + the parameter's key. GUI thread.
class RuleEditor : public QWidget
{
    Q_OBJECT

public:
    explicit RuleEditor(QWidget *parent = nullptr);

    // The rule is edited in place and must outlive its time here: give
    // another, or none, before it goes.
    void setRule(Rule *rule);
    Rule *rule() const { return edited; }
    void focusFirstField();

signals:
    void ruleEdited();

private:
    QWidget *fieldFor(const RuleParameter &parameter);
    QWidget *linesField(const QString &key, const QStringList &items);
    QWidget *fileField(const QString &key, const QString &path);
    void setValue(const QString &key, const QVariant &value);
    void showProblem();
    QStringList faultyKeys() const;
    void markField(const QString &key, const QString &problem);

    Rule *edited = nullptr;
    QLabel *labelTitle;
    QLabel *labelNoRule;
    QLabel *labelProblem;
    QPointer<QWidget> fields;
    QFormLayout *form = nullptr;
    QHash<QString, QWidget *> fieldByKey;
    QString lastKey;
};

#endif // RULEEDITOR_H

#include "ruleeditor.h"

#include "rule.h"
#include "ruleregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QColor problemText(0xc0, 0x1c, 0x28);
const QColor problemBase(0xff, 0xdc, 0xdc);

QString label(const char *text)
{
    return QCoreApplication::translate("Rule", text);
}

// Items typed as "jpg, png": the blanks around a comma are the user's
// spacing, not part of a suffix.
QStringList listItems(const QString &text)
{
    QStringList items;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items.append(trimmed);
    }
    return items;
}

} // namespace

RuleEditor::RuleEditor(QWidget *parent)
    : QWidget(parent), labelTitle(new QLabel(this)),
      labelNoRule(new QLabel(tr("Add a rule, or choose one in the list, to set it here."), this)),
      labelProblem(new QLabel(this))
{
    labelTitle->setObjectName(QStringLiteral("labelRuleTitle"));
    QFont bold = labelTitle->font();
    bold.setBold(true);
    labelTitle->setFont(bold);
    labelNoRule->setObjectName(QStringLiteral("labelNoRule"));
    labelNoRule->setWordWrap(true);
    labelNoRule->setEnabled(false);
    labelProblem->setObjectName(QStringLiteral("labelRuleProblem"));
    labelProblem->setWordWrap(true);
    QPalette red = labelProblem->palette();
    red.setColor(QPalette::WindowText, problemText);
    labelProblem->setPalette(red);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labelTitle);
    layout->addWidget(labelNoRule);
    layout->addWidget(labelProblem);
    layout->addStretch(1);
    setRule(nullptr);
}

void RuleEditor::setRule(Rule *rule)
{
    edited = rule;
    lastKey.clear();
    fieldByKey.clear();
    form = nullptr;
    if (fields) {
        // Later: a field may be the sender of the signal that led here.
        fields->hide();
        fields->deleteLater();
    }
    labelTitle->setVisible(rule);
    labelNoRule->setVisible(!rule);
    if (!rule) {
        labelProblem->hide();
        return;
    }
    labelTitle->setText(RuleRegistry::title(rule->kind()));
    fields = new QWidget(this);
    fields->setObjectName(QStringLiteral("ruleFields"));
    form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const RuleParameter &parameter : rule->parameters()) {
        QWidget *field = fieldFor(parameter);
        field->setObjectName(QStringLiteral("rule_") + parameter.key);
        fieldByKey.insert(parameter.key, field);
        if (parameter.type == RuleParameter::Type::Flag)
            form->addRow(field);
        else
            //: A field's label in the rule editor; French puts a blank before the colon.
            form->addRow(tr("%1:").arg(label(parameter.label)), field);
    }
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, fields);
    showProblem();
}

void RuleEditor::focusFirstField()
{
    if (!edited)
        return;
    const QVector<RuleParameter> parameters = edited->parameters();
    if (!parameters.isEmpty())
        fieldByKey.value(parameters.first().key)->setFocus();
}

QWidget *RuleEditor::fieldFor(const RuleParameter &parameter)
{
    const QString key = parameter.key;
    const QVariant value = edited->value(key);
    switch (parameter.type) {
    case RuleParameter::Type::Flag: {
        auto *box = new QCheckBox(label(parameter.label));
        box->setChecked(value.toBool());
        connect(box, &QCheckBox::toggled, this, [this, key](bool on) { setValue(key, on); });
        return box;
    }
    case RuleParameter::Type::Number: {
        auto *spin = new QSpinBox;
        spin->setRange(parameter.minimum, parameter.maximum);
        spin->setValue(value.toInt());
        connect(spin, &QSpinBox::valueChanged, this, [this, key](int n) { setValue(key, n); });
        return spin;
    }
    case RuleParameter::Type::Choice: {
        auto *combo = new QComboBox;
        // A long choice must not widen the whole form beyond its pane.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(10);
        for (const RuleParameter::Choice &choice : parameter.choices)
            combo->addItem(label(choice.label), choice.word);
        combo->setCurrentIndex(combo->findData(value.toString()));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, key, combo](int index) {
            if (index >= 0)
                setValue(key, combo->itemData(index).toString());
        });
        return combo;
    }
    case RuleParameter::Type::List: {
        auto *line = new QLineEdit(value.toStringList().join(QLatin1String(", ")));
        line->setProperty("hint", tr("Items separated by commas"));
        line->setToolTip(line->property("hint").toString());
        connect(line, &QLineEdit::textChanged, this,
                [this, key](const QString &text) { setValue(key, listItems(text)); });
        return line;
    }
    case RuleParameter::Type::Text:
        break;
    }
    auto *line = new QLineEdit(value.toString());
    connect(line, &QLineEdit::textChanged, this,
            [this, key](const QString &text) { setValue(key, text); });
    return line;
}

void RuleEditor::setValue(const QString &key, const QVariant &value)
{
    if (!edited)
        return;
    lastKey = key;
    edited->setValue(key, value);
    showProblem();
    emit ruleEdited();
}

void RuleEditor::showProblem()
{
    const QString problem = edited ? edited->problem() : QString();
    labelProblem->setText(problem);
    labelProblem->setVisible(!problem.isEmpty());
    for (auto it = fieldByKey.cbegin(); it != fieldByKey.cend(); ++it)
        markField(it.key(), QString());
    if (problem.isEmpty())
        return;
    for (const QString &key : faultyKeys())
        markField(key, problem);
}

// A rule names its fault in a sentence, not the field; the field is the one
// whose default would make the fault go. A text the user typed is a likelier
// culprit than a switch that merely makes it count.
QStringList RuleEditor::faultyKeys() const
{
    QStringList typed, others;
    for (const RuleParameter &parameter : edited->parameters()) {
        if (edited->value(parameter.key) == parameter.defaultValue)
            continue;
        std::unique_ptr<Rule> probe = edited->clone();
        probe->setValue(parameter.key, parameter.defaultValue);
        if (!probe->problem().isEmpty())
            continue;
        if (parameter.type == RuleParameter::Type::Flag
            || parameter.type == RuleParameter::Type::Choice)
            others.append(parameter.key);
        else
            typed.append(parameter.key);
    }
    if (!typed.isEmpty())
        return typed;
    if (!others.isEmpty())
        return others;
    return lastKey.isEmpty() ? QStringList() : QStringList{lastKey};
}

void RuleEditor::markField(const QString &key, const QString &problem)
{
    QWidget *field = fieldByKey.value(key);
    if (!field)
        return;
    const bool marked = !problem.isEmpty();
    if (field->property("problem").toBool() == marked)
        return;
    field->setProperty("problem", marked);
    field->setToolTip(marked ? problem : field->property("hint").toString());
    QPalette palette;
    if (marked) {
        palette = field->palette();
        if (qobject_cast<QCheckBox *>(field))
            palette.setColor(QPalette::WindowText, problemText);
        else
            palette.setColor(QPalette::Base, problemBase);
    }
    // An empty palette gives the field its parent's colours back.
    field->setPalette(palette);
    if (QWidget *fieldLabel = form->labelForField(field)) {
        QPalette labelPalette;
        if (marked) {
            labelPalette = fieldLabel->palette();
            labelPalette.setColor(QPalette::WindowText, problemText);
        }
        fieldLabel->setPalette(labelPalette);
    }
}

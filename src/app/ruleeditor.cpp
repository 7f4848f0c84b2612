#include "ruleeditor.h"

#include "rule.h"
#include "ruleregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>
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
        if (parameter.field == RuleParameter::Field::Hidden)
            continue;
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
        if (parameter.field == RuleParameter::Field::Lines)
            return linesField(key, value.toStringList());
        auto *line = new QLineEdit(value.toStringList().join(QLatin1String(", ")));
        line->setProperty("hint", tr("Items separated by commas"));
        line->setToolTip(line->property("hint").toString());
        connect(line, &QLineEdit::textChanged, this,
                [this, key](const QString &text) { setValue(key, listItems(text)); });
        return line;
    }
    case RuleParameter::Type::Text:
        if (parameter.field == RuleParameter::Field::File)
            return fileField(key, value.toString());
        break;
    }
    auto *line = new QLineEdit(value.toString());
    connect(line, &QLineEdit::textChanged, this,
            [this, key](const QString &text) { setValue(key, text); });
    return line;
}

// A column pasted from a spreadsheet: one item per line, blank lines kept
// so that the rule can say which line is empty.
QWidget *RuleEditor::linesField(const QString &key, const QStringList &items)
{
    auto *edit = new QPlainTextEdit(items.join(QLatin1Char('\n')));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(true);
    edit->setProperty("hint", tr("One item per line; paste a column here"));
    edit->setToolTip(edit->property("hint").toString());
    edit->setPlaceholderText(edit->property("hint").toString());
    edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * 4);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, key, edit] {
        QString text = edit->toPlainText();
        text.remove(QLatin1Char('\r'));
        setValue(key, text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
    });
    return edit;
}

QWidget *RuleEditor::fileField(const QString &key, const QString &path)
{
    auto *field = new QWidget;
    auto *layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *line = new QLineEdit(path, field);
    line->setObjectName(QStringLiteral("rule_") + key + QStringLiteral("_path"));
    auto *open = new QToolButton(field);
    open->setObjectName(QStringLiteral("rule_") + key + QStringLiteral("_open"));
    open->setText(tr("Open…"));
    open->setToolTip(tr("Choose the file"));
    layout->addWidget(line, 1);
    layout->addWidget(open);
    connect(line, &QLineEdit::textChanged, this,
            [this, key](const QString &text) { setValue(key, text); });
    connect(open, &QToolButton::clicked, this, [this, line] {
        const QString chosen = QFileDialog::getOpenFileName(
            this, tr("Open a list of names"),
            line->text().isEmpty() ? QDir::homePath() : QFileInfo(line->text()).absolutePath(),
            tr("Lists of names (*.txt *.csv);;All files (*)"));
        if (!chosen.isEmpty())
            line->setText(chosen);
    });
    return field;
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

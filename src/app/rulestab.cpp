#include "rulestab.h"
#include "ui_mainwindow.h"

#include "editednamesrule.h"
#include "planner.h"
#include "planreview.h"
#include "previewmodel.h"
#include "ruleeditor.h"
#include "ruleregistry.h"

#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

namespace {

// Long enough to take a word typed in one go as one change.
const int planDelayMs = 150;
const int saveDelayMs = 1000;
const char lastStackKey[] = "rules/lastStack";

// Beside the presets, in the folder of the program's own settings.
QSettings settings()
{
    const QString name = QCoreApplication::applicationName();
    return QSettings(name, name);
}

struct OrderChoice
{
    ListingOrder order;
    const char *label;
};
const OrderChoice orderChoices[] = {
    {ListingOrder::Natural, QT_TRANSLATE_NOOP("RulesTab", "Natural")},
    {ListingOrder::Name, QT_TRANSLATE_NOOP("RulesTab", "Name")},
    {ListingOrder::Time, QT_TRANSLATE_NOOP("RulesTab", "Date (newer first)")},
    {ListingOrder::Size, QT_TRANSLATE_NOOP("RulesTab", "Size (greater first)")},
    {ListingOrder::Taken, QT_TRANSLATE_NOOP("RulesTab", "Date taken (older first)")},
};

QString rowText(const Rule &rule)
{
    //: A rule in the list: its kind, then what it does.
    return RulesTab::tr("%1: %2").arg(RuleRegistry::title(rule.kind()), rule.summary());
}

} // namespace

RulesTab::RulesTab(Ui_MainWindow *form, QWidget *window)
    : QObject(window), ui(form), window(window), planner(new Planner(this)),
      model(new PreviewModel(this)), planTimer(new QTimer(this)), saveTimer(new QTimer(this))
{
    planTimer->setSingleShot(true);
    planTimer->setInterval(planDelayMs);
    saveTimer->setSingleShot(true);
    saveTimer->setInterval(saveDelayMs);
    connect(planTimer, &QTimer::timeout, this, &RulesTab::startPlanning);
    connect(saveTimer, &QTimer::timeout, this, &RulesTab::writeLastStack);
    connect(planner, &Planner::planned, this, &RulesTab::planned);
    connect(planner, &QThread::finished, this, &RulesTab::planningFinished);
    connect(planner, &Planner::readingMetadata, this, &RulesTab::readingMetadata);
    connect(ui->pushStopReading, &QPushButton::clicked, this, [this] {
        planner->cancelReading();
        ui->pushStopReading->setEnabled(false);
    });
    ui->tabRules->installEventFilter(this);

    auto *addMenu = new QMenu(ui->pushAddRule);
    for (const RuleRegistry::Kind &kind : RuleRegistry::kinds()) {
        if (!kind.offered)
            continue;
        const QString name = kind.name;
        QAction *action = addMenu->addAction(QCoreApplication::translate("Rule", kind.title));
        action->setData(name);
        connect(action, &QAction::triggered, this, [this, name] { addRule(name); });
    }
    ui->pushAddRule->setMenu(addMenu);
    connect(ui->pushRemoveRule, &QToolButton::clicked, this, &RulesTab::removeRule);
    connect(ui->pushRuleUp, &QToolButton::clicked, this, [this] { moveRule(-1); });
    connect(ui->pushRuleDown, &QToolButton::clicked, this, [this] { moveRule(1); });
    // Delete in the list takes the rule away, not rows of the input list.
    auto *deleteRule = new QShortcut(QKeySequence::Delete, ui->listRules);
    deleteRule->setContext(Qt::WidgetShortcut);
    connect(deleteRule, &QShortcut::activated, this, &RulesTab::removeRule);
    connect(ui->listRules, &QListWidget::currentRowChanged, this, &RulesTab::showRule);
    connect(ui->listRules, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        ruleToggled(ui->listRules->row(item), item->checkState() == Qt::Checked);
    });
    connect(ui->ruleEditor, &RuleEditor::ruleEdited, this, [this] {
        updateRow(currentRow());
        stackChanged();
    });

    for (const OrderChoice &choice : orderChoices)
        ui->comboRulesOrder->addItem(tr(choice.label), int(choice.order));
    connect(ui->comboRulesOrder, &QComboBox::activated, this, [this](int index) {
        rules.order = ListingOrder(ui->comboRulesOrder->itemData(index).toInt());
        stackChanged();
    });
    connect(ui->checkRulesReverse, &QCheckBox::clicked, this, [this](bool reversed) {
        rules.reversed = reversed;
        stackChanged();
    });

    auto *table = ui->tableRulesPreview;
    table->setModel(model);
    // A new name is typed over the one shown: double click, F2 or typing.
    model->setEditable(true);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    connect(model, &PreviewModel::newNameTyped, this, &RulesTab::typeName);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    // As in the preview window: nothing measured per row, however many.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    // A header click sorts, as in the preview window; the plan's order until
    // then, and the order chosen stays while the plan is made again.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    connect(model, &PreviewModel::sortingChanged, table, [table](bool sorting) {
        if (sorting)
            table->viewport()->setCursor(Qt::BusyCursor);
        else
            table->viewport()->unsetCursor();
    });
    table->setColumnWidth(PreviewModel::OldNameColumn, 150);
    table->setColumnWidth(PreviewModel::NewNameColumn, 150);
    table->setColumnWidth(PreviewModel::NoteColumn, 200);

    connect(ui->pushApplyRules, &QPushButton::clicked, this, &RulesTab::apply);
    connect(ui->comboPresets, &QComboBox::activated, this, &RulesTab::loadPreset);
    connect(ui->pushSavePreset, &QPushButton::clicked, this, &RulesTab::savePreset);
    connect(ui->pushDeletePreset, &QPushButton::clicked, this, &RulesTab::deletePreset);

    ui->splitterRules->setStretchFactor(0, 2);
    ui->splitterRules->setStretchFactor(1, 3);

    fillPresets(QString());
    readLastStack();
    updateApplyState();
}

RulesTab::~RulesTab()
{
    if (saveTimer->isActive())
        writeLastStack();
    // The editor must not keep a rule of a stack that goes.
    ui->ruleEditor->setRule(nullptr);
}

// ---- The stack ----

void RulesTab::setStack(const RuleStack &stack)
{
    ui->ruleEditor->setRule(nullptr);
    rules = stack;
    for (int i = 0; i < ui->comboRulesOrder->count(); ++i) {
        if (ui->comboRulesOrder->itemData(i).toInt() == int(rules.order))
            ui->comboRulesOrder->setCurrentIndex(i);
    }
    ui->checkRulesReverse->setChecked(rules.reversed);
    fillList(rules.isEmpty() ? -1 : 0);
    stackChanged();
}

int RulesTab::currentRow() const
{
    return ui->listRules->currentRow();
}

void RulesTab::fillList(int selected)
{
    {
        const QSignalBlocker quiet(ui->listRules);
        ui->listRules->clear();
        for (int i = 0; i < rules.size(); ++i) {
            auto *item = new QListWidgetItem(ui->listRules);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(rules.at(i).enabled ? Qt::Checked : Qt::Unchecked);
            updateRow(i);
        }
        ui->listRules->setCurrentRow(selected);
    }
    showRule(selected);
}

void RulesTab::showRule(int row)
{
    ui->ruleEditor->setRule(row >= 0 && row < rules.size() ? &rules.at(row) : nullptr);
    updateStackButtons();
}

void RulesTab::updateRow(int row)
{
    QListWidgetItem *item = ui->listRules->item(row);
    if (!item)
        return;
    const Rule &rule = rules.at(row);
    const QSignalBlocker quiet(ui->listRules);
    item->setText(rowText(rule));
    item->setToolTip(rule.problem());
    item->setForeground(rule.problem().isEmpty() ? QBrush() : QBrush(Qt::red));
}

void RulesTab::updateStackButtons()
{
    const int row = currentRow();
    ui->pushRemoveRule->setEnabled(row >= 0);
    ui->pushRuleUp->setEnabled(row > 0);
    ui->pushRuleDown->setEnabled(row >= 0 && row < rules.size() - 1);
}

void RulesTab::addRule(const QString &kind)
{
    std::unique_ptr<Rule> rule = RuleRegistry::create(kind);
    if (!rule)
        return;
    rules.append(std::move(rule));
    fillList(rules.size() - 1);
    stackChanged();
    ui->ruleEditor->focusFirstField();
}

void RulesTab::removeRule()
{
    const int row = currentRow();
    if (row < 0)
        return;
    ui->ruleEditor->setRule(nullptr);
    rules.remove(row);
    fillList(qMin(row, rules.size() - 1));
    stackChanged();
}

void RulesTab::moveRule(int by)
{
    const int row = currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= rules.size())
        return;
    // The rules keep their places in memory: the editor's stays valid.
    rules.move(row, to);
    fillList(to);
    stackChanged();
}

void RulesTab::ruleToggled(int row, bool enabled)
{
    if (row < 0 || row >= rules.size() || rules.at(row).enabled == enabled)
        return;
    rules.at(row).enabled = enabled;
    stackChanged();
}

// A name typed in the table is kept by the stack's rule of typed names,
// made at the end of the stack for the first one, so that the plan, the
// journal and undo take it as they take any rule's result.
void RulesTab::typeName(const QString &path, const QString &newName)
{
    int at = -1;
    for (int i = 0; i < rules.size() && at < 0; ++i) {
        if (rules.at(i).kind() == QLatin1String("edits"))
            at = i;
    }
    if (at < 0) {
        if (newName.isEmpty())
            return;
        rules.append(RuleRegistry::create(QStringLiteral("edits")));
        at = rules.size() - 1;
        fillList(currentRow());
    }
    auto &edits = static_cast<EditedNamesRule &>(rules.at(at));
    edits.setName(path, newName);
    if (!edits.enabled) {
        edits.enabled = true;
        const QSignalBlocker quiet(ui->listRules);
        ui->listRules->item(at)->setCheckState(Qt::Checked);
    }
    updateRow(at);
    stackChanged();
}

void RulesTab::stackChanged()
{
    saveTimer->start();
    filesChanged();
}

// ---- The live table ----

void RulesTab::setInputList(const QStringList &paths)
{
    // The same list again (a shared copy compares at once) changes nothing.
    if (paths == inputList)
        return;
    inputList = paths;
    filesChanged();
}

void RulesTab::setRecursive(bool recursive)
{
    if (this->recursive == recursive)
        return;
    this->recursive = recursive;
    filesChanged();
}

void RulesTab::setBlocked(bool blocked)
{
    if (this->blocked == blocked)
        return;
    this->blocked = blocked;
    if (blocked)
        updateApplyState();
    else
        filesChanged(); // the run may have renamed some of them
}

void RulesTab::filesChanged()
{
    ++generation;
    updateApplyState();
    schedulePlan();
}

void RulesTab::schedulePlan()
{
    // A hidden tab plans when it shows; the disk is not looked at while a
    // run changes it.
    if (blocked || !ui->tabRules->isVisible())
        return;
    planTimer->start();
}

bool RulesTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->tabRules && event->type() == QEvent::Show && !planIsCurrent())
        schedulePlan();
    return QObject::eventFilter(watched, event);
}

void RulesTab::startPlanning()
{
    // The end of the running plan starts the next one.
    if (planner->isRunning() || blocked || !ui->tabRules->isVisible())
        return;
    const QString problem = rules.problem();
    if (!problem.isEmpty()) {
        ui->labelRulesSummary->setText(problem);
        return;
    }
    if (shownGeneration == 0)
        ui->labelRulesSummary->setText(tr("Looking at the files…"));
    PlanRequest request;
    request.applyingRules = true;
    request.rules = rules;
    request.recursive = recursive;
    request.pathList = inputList;
    requestedGeneration = generation;
    planner->setRequest(request);
    planner->start(QThread::InheritPriority);
    updateApplyState();
}

void RulesTab::readingMetadata(qint64 done, qint64 total)
{
    if (requestedGeneration != generation)
        return;
    const QLocale locale;
    ui->labelRulesSummary->setText(tr("Reading the files' dates and tags: %1 of %2…")
                                       .arg(locale.toString(done), locale.toString(total)));
    if (!ui->pushStopReading->isVisible()) {
        ui->pushStopReading->setEnabled(true);
        ui->pushStopReading->show();
    }
}

void RulesTab::planned(const PlanPreview &preview)
{
    ui->pushStopReading->hide();
    // A plan overtaken by a change is not shown: the newer one follows.
    if (requestedGeneration != generation)
        return;
    model->setPreview(preview);
    shownGeneration = requestedGeneration;
    if (preview.cancelled) {
        ui->labelRulesSummary->setText(
            tr("Reading stopped. The names need the files' dates or tags: change a rule or the "
               "input to read on."));
        return;
    }
    if (inputList.isEmpty()) {
        ui->labelRulesSummary->setText(tr("Add files or folders to see their new names here."));
        return;
    }
    if (!preview.problem.isEmpty()) {
        ui->labelRulesSummary->setText(preview.problem);
        return;
    }
    ui->labelRulesSummary->setText(
        tr("%1 of %Ln files will be renamed.", nullptr, int(preview.rows.size()))
            .arg(QLocale().toString(qlonglong(preview.changes))));
}

void RulesTab::planningFinished()
{
    planner->wait();
    if (requestedGeneration != generation && !planTimer->isActive())
        startPlanning();
    updateApplyState();
}

bool RulesTab::planIsCurrent() const
{
    return shownGeneration == generation && !planner->isRunning();
}

void RulesTab::updateApplyState()
{
    bool someRule = false;
    for (int i = 0; i < rules.size(); ++i)
        someRule = someRule || rules.at(i).enabled;
    ui->pushApplyRules->setEnabled(
        !blocked && someRule && rules.problem().isEmpty() && !inputList.isEmpty() && planIsCurrent()
        && model->preview().changes > 0 && model->preview().problem.isEmpty()
        && !model->preview().cancelled);
}

void RulesTab::apply()
{
    if (!ui->pushApplyRules->isEnabled())
        return;
    const PlanPreview shown = model->preview();
    const quint64 askedGeneration = generation;
    QStringList steps;
    for (int i = 0; i < rules.size(); ++i) {
        if (rules.at(i).enabled)
            steps.append(QStringLiteral("%1. %2").arg(i + 1).arg(rowText(rules.at(i))));
    }
    const QString question =
        tr("Rename %Ln files with these rules?\n\n%1", nullptr, int(shown.changes))
            .arg(steps.join(QLatin1Char('\n')));
    if (!PlanReview::askToRename(window, question, shown))
        return;
    if (generation != askedGeneration || blocked)
        return;
    emit renameConfirmed(shown.plan, rules);
}

// ---- Presets and the last stack ----

void RulesTab::fillPresets(const QString &selected)
{
    const QSignalBlocker quiet(ui->comboPresets);
    ui->comboPresets->clear();
    ui->comboPresets->addItems(presets.names());
    ui->comboPresets->setCurrentIndex(ui->comboPresets->findText(selected));
    ui->pushDeletePreset->setEnabled(ui->comboPresets->currentIndex() >= 0);
}

void RulesTab::loadPreset(int index)
{
    const QString name = ui->comboPresets->itemText(index);
    RuleStack loaded;
    QString error;
    if (!presets.load(name, &loaded, &error)) {
        QMessageBox::warning(window, tr("Preset"), error, QMessageBox::Ok);
        fillPresets(QString());
        return;
    }
    setStack(loaded);
    ui->pushDeletePreset->setEnabled(true);
}

void RulesTab::savePreset()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(window, tr("Save preset"), tr("Name of the preset:"),
                              QLineEdit::Normal, ui->comboPresets->currentText(), &ok)
            .trimmed();
    if (!ok)
        return;
    if (!Presets::isValidName(name)) {
        QMessageBox::warning(window, tr("Save preset"),
                             tr("\"%1\" cannot be the name of a preset: it must be a file name, "
                                "without a slash and not starting with a dot.")
                                 .arg(name),
                             QMessageBox::Ok);
        return;
    }
    if (presets.names().contains(name)
        && QMessageBox::question(window, tr("Save preset"),
                                 tr("A preset \"%1\" exists already. Replace it?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    QString error;
    if (!presets.save(name, rules, &error)) {
        QMessageBox::warning(window, tr("Save preset"), error, QMessageBox::Ok);
        return;
    }
    fillPresets(name);
}

void RulesTab::deletePreset()
{
    const QString name = ui->comboPresets->currentText();
    if (ui->comboPresets->currentIndex() < 0
        || QMessageBox::question(window, tr("Delete preset"),
                                 tr("Delete the preset \"%1\"?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    QString error;
    if (!presets.remove(name, &error))
        QMessageBox::warning(window, tr("Delete preset"), error, QMessageBox::Ok);
    fillPresets(QString());
}

void RulesTab::readLastStack()
{
    const QString json = settings().value(QLatin1String(lastStackKey)).toString();
    RuleStack last;
    QString error;
    // A stack this version cannot read is forgotten, not shown as a fault.
    if (json.isEmpty() || !RuleStack::fromJson(json.toUtf8(), &last, &error))
        return;
    setStack(last);
    saveTimer->stop();
}

void RulesTab::writeLastStack()
{
    saveTimer->stop();
    settings().setValue(QLatin1String(lastStackKey), QString::fromUtf8(rules.toJson(true)));
}

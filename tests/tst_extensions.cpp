#include "extensions.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

namespace {

// Every box the dialog holds, "-" marking an unticked one.
QString shownBoxes(Extensions &dialog)
{
    QStringList names;
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>())
        names << box->accessibleName() + QLatin1String(box->isChecked() ? "" : "-");
    return names.join(QLatin1Char('|'));
}

} // namespace

class TestExtensions : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
};

void TestExtensions::choice_data()
{
    // Steps: "n" reports a "|"-separated list as a new analysis, "q" as a burst of queued
    // ones growing to it, "u" shows the dialog and unticks it, "O" and "C" press OK, Cancel.
    for (const char *column : {"steps", "checked", "shown"})
        QTest::addColumn<QString>(column);
    addRow("untick, OK", "ntxt|jpg ujpg O", "txt", "txt|jpg-");
    addRow("untick, Cancel", "ntxt|jpg ujpg C", "txt|jpg", "txt|jpg-");
    addRow("Cancel, then OK", "ntxt|jpg ujpg C O", "txt", "txt|jpg-");
    addRow("all unticked", "ntxt|jpg utxt|jpg O", "", "txt-|jpg-");
    addRow("no suffix, mnemonic", "n|a&b|JPG uJPG O", "|a&b", "|a&b|JPG-");
    addRow("new analysis resets", "ntxt|jpg ujpg O njpg|txt|png", "jpg|txt|png", "jpg|txt|png");
    addRow("OK right after reports", "na ua na|b O", "a|b", "a|b");
    addRow("burst", "na|b ua qs0|s1|s2|s3|s4", "s0|s1|s2|s3|s4", "s0|s1|s2|s3|s4");
}

void TestExtensions::choice()
{
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    Extensions dialog(nullptr);
    QSignalSpy accepted(&dialog, QOverload<bool>::of(&Extensions::accepted));
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        const QStringList list = step.mid(1).split(QLatin1Char('|'));
        if (step.startsWith(QLatin1Char('n'))) {
            dialog.resetListExtensions();
            dialog.setListExtensions(list);
        } else if (step.startsWith(QLatin1Char('q'))) {
            // As an analysis of many single files reports: queued, in pairs.
            for (int i = 1; i <= 5000; ++i) {
                QMetaObject::invokeMethod(&dialog, "resetListExtensions", Qt::QueuedConnection);
                QMetaObject::invokeMethod(&dialog, "setListExtensions", Qt::QueuedConnection,
                                          Q_ARG(QStringList, list.mid(0, i * list.size() / 5000)));
            }
        } else if (step.startsWith(QLatin1Char('u'))) {
            dialog.show();
            for (QCheckBox *box : dialog.findChildren<QCheckBox *>())
                box->setChecked(box->isChecked() && !list.contains(box->accessibleName()));
        } else {
            const auto which =
                step == QLatin1String("O") ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
            buttons->button(which)->click();
        }
    }
    QTRY_COMPARE(shownBoxes(dialog), shown);
    QTEST(dialog.selectedExtensions(false).join(QLatin1Char('|')), "checked");
    QCOMPARE(dialog.selectedExtensions(true).join(QLatin1Char('|')),
             QString(shown).remove(QLatin1Char('-')));
    QCOMPARE(accepted.count(), int(steps.count(QLatin1String(" O"))));
}

QTEST_MAIN(TestExtensions)
#include "tst_extensions.moc"

#include "extensions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QtTest>

namespace {

// The boxes in the order the group box's layout shows them.
QList<QCheckBox *> boxes(Extensions &dialog)
{
    QList<QCheckBox *> result;
    auto *group = dialog.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    if (!group || !group->layout())
        return result;
    for (int i = 0; i < group->layout()->count(); ++i) {
        if (auto *box = qobject_cast<QCheckBox *>(group->layout()->itemAt(i)->widget()))
            result << box;
    }
    return result;
}

QStringList names(Extensions &dialog)
{
    QStringList result;
    const auto list = boxes(dialog);
    auto *group = dialog.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    if (group && group->findChildren<QCheckBox *>().size() != list.size())
        result << QStringLiteral("<boxes outside the layout>");
    for (QCheckBox *box : list)
        result << box->accessibleName() + (box->isChecked() ? QString() : QStringLiteral("-"));
    return result;
}

void untick(Extensions &dialog, const QString &extension)
{
    const auto list = boxes(dialog);
    for (QCheckBox *box : list) {
        if (box->accessibleName() == extension)
            box->setChecked(false);
    }
}

void press(Extensions &dialog, QDialogButtonBox::StandardButton which)
{
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(buttons);
    buttons->button(which)->click();
}

void analysis(Extensions &dialog, const QStringList &list)
{
    dialog.resetListExtensions();
    dialog.setListExtensions(list);
}

// Counts the widgets ever put into a watched widget.
class ChildCounter : public QObject
{
public:
    using QObject::QObject;
    int added = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded
            && static_cast<QChildEvent *>(event)->child()->isWidgetType())
            ++added;
        return false;
    }
};

} // namespace

class TestExtensions : public QObject
{
    Q_OBJECT

private slots:
    void emptyBeforeAnyAnalysis();
    void confirmAndCancel_data();
    void confirmAndCancel();
    void newAnalysisDropsTheChoice();
    void secondListWithoutReset();
    void burstOfReportsBuildsOnce();
    void confirmRightAfterReportsReadsFreshBoxes();
    void showRightAfterReportsShowsFreshBoxes();
};

void TestExtensions::emptyBeforeAnyAnalysis()
{
    Extensions dialog(nullptr);
    QVERIFY(dialog.selectedExtensions(true).isEmpty());
    QVERIFY(dialog.selectedExtensions(false).isEmpty());
    dialog.show();
    QVERIFY(boxes(dialog).isEmpty());
    QSignalSpy accepted(&dialog, QOverload<bool>::of(&Extensions::accepted));
    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(dialog.selectedExtensions(false).isEmpty());
}

void TestExtensions::confirmAndCancel_data()
{
    // Extensions reported, those the user unticks, then the buttons pressed
    // (O for OK, C for Cancel); what is remembered and what the boxes show.
    QTest::addColumn<QStringList>("reported");
    QTest::addColumn<QStringList>("untick");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("shown");

    const QStringList txtJpg{"txt", "jpg"};
    QTest::newRow("untick then OK")
        << txtJpg << QStringList{"jpg"} << "O" << QStringList{"txt"} << QStringList{"txt", "jpg-"};
    QTest::newRow("untick then Cancel")
        << txtJpg << QStringList{"jpg"} << "C" << txtJpg << QStringList{"txt", "jpg-"};
    QTest::newRow("Cancel then OK")
        << txtJpg << QStringList{"jpg"} << "CO" << QStringList{"txt"} << QStringList{"txt", "jpg-"};
    QTest::newRow("all unticked") << txtJpg << txtJpg << "O" << QStringList{}
                                  << QStringList{"txt-", "jpg-"};
    QTest::newRow("no suffix and a mnemonic")
        << QStringList{"", "a&b", "JPG"} << QStringList{"JPG"} << "O" << QStringList{"", "a&b"}
        << QStringList{"", "a&b", "JPG-"};
}

void TestExtensions::confirmAndCancel()
{
    QFETCH(QStringList, reported);
    QFETCH(QStringList, untick);
    QFETCH(QString, buttons);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, shown);

    Extensions dialog(nullptr);
    QSignalSpy accepted(&dialog, QOverload<bool>::of(&Extensions::accepted));
    analysis(dialog, reported);
    QCOMPARE(dialog.selectedExtensions(false), reported);

    int oks = 0;
    for (const QChar button : std::as_const(buttons)) {
        dialog.show();
        for (const QString &extension : std::as_const(untick))
            ::untick(dialog, extension);
        const bool ok = button == QLatin1Char('O');
        oks += ok;
        press(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        QVERIFY(!dialog.isVisible());
    }

    QCOMPARE(dialog.selectedExtensions(false), checked);
    QCOMPARE(dialog.selectedExtensions(true), reported);
    QCOMPARE(names(dialog), shown);
    QCOMPARE(accepted.count(), oks);
    for (const auto &args : std::as_const(accepted))
        QCOMPARE(args.at(0).toBool(), true);
}

void TestExtensions::newAnalysisDropsTheChoice()
{
    Extensions dialog(nullptr);
    analysis(dialog, {"txt", "jpg"});
    QCoreApplication::processEvents();
    untick(dialog, QStringLiteral("jpg"));
    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.selectedExtensions(false), QStringList{"txt"});

    analysis(dialog, {"jpg", "txt", "png"});
    QTRY_COMPARE(names(dialog), QStringList({"jpg", "txt", "png"}));
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"jpg", "txt", "png"}));
    QCOMPARE(dialog.selectedExtensions(true), QStringList({"jpg", "txt", "png"}));
}

void TestExtensions::secondListWithoutReset()
{
    Extensions dialog(nullptr);
    analysis(dialog, {"txt", "jpg"});
    QCoreApplication::processEvents();
    untick(dialog, QStringLiteral("jpg"));
    dialog.setListExtensions({"jpg", "png"});

    const QStringList both{"txt", "jpg", "jpg", "png"};
    QCOMPARE(dialog.selectedExtensions(true), both);
    QCOMPARE(dialog.selectedExtensions(false), both);
    // The user's untick survives; only the new boxes come ticked.
    QTRY_COMPARE(names(dialog), QStringList({"txt", "jpg-", "jpg", "png"}));
    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"txt", "jpg", "png"}));
}

void TestExtensions::burstOfReportsBuildsOnce()
{
    Extensions dialog(nullptr);
    auto *group = dialog.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    ChildCounter counter;
    group->installEventFilter(&counter);

    // As an analysis of many single files delivers them: queued, in pairs,
    // the list growing now and then.
    const int pairs = 10000;
    QStringList list;
    for (int i = 0; i < pairs; ++i) {
        if (i % 2000 == 0)
            list << QStringLiteral("s%1").arg(i);
        QMetaObject::invokeMethod(&dialog, "resetListExtensions", Qt::QueuedConnection);
        QMetaObject::invokeMethod(&dialog, "setListExtensions", Qt::QueuedConnection,
                                  Q_ARG(QStringList, list));
    }
    QTRY_COMPARE(names(dialog), list);
    QCOMPARE(dialog.selectedExtensions(false), list);
    QCOMPARE(dialog.selectedExtensions(true), list);
    QVERIFY2(counter.added <= 4 * list.size(), qPrintable(QString::number(counter.added)));
}

void TestExtensions::confirmRightAfterReportsReadsFreshBoxes()
{
    Extensions dialog(nullptr);
    analysis(dialog, {"a"});
    QCoreApplication::processEvents();
    untick(dialog, QStringLiteral("a"));

    // No event-loop turn between the reports and OK.
    analysis(dialog, {"a", "b"});
    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"a", "b"}));
    QCOMPARE(names(dialog), QStringList({"a", "b"}));
}

void TestExtensions::showRightAfterReportsShowsFreshBoxes()
{
    Extensions dialog(nullptr);
    analysis(dialog, {"txt"});
    dialog.show();
    QCOMPARE(names(dialog), QStringList{"txt"});
    const auto shown = boxes(dialog);
    QVERIFY(shown.first()->isVisible());
    QVERIFY(dialog.height() >= dialog.minimumSizeHint().height());
}

QTEST_MAIN(TestExtensions)
#include "tst_extensions.moc"

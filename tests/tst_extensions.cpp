#include "extensions.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QtTest>

namespace {

void report(Extensions &dialog, const QStringList &extensions)
{
    dialog.resetListExtensions();
    dialog.setListExtensions(extensions);
}

void untick(Extensions &dialog, const QStringList &extensions)
{
    dialog.show();
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>())
        box->setChecked(box->isChecked() && !extensions.contains(box->accessibleName()));
}

// The boxes shown, ticked or not, in their order.
QStringList boxes(Extensions &dialog, bool ticked)
{
    dialog.show();
    QStringList names;
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
        if (box->isChecked() == ticked)
            names.append(box->accessibleName());
    }
    return names;
}

} // namespace

// The extension chooser on its own, fed as the analysis feeds it.
class TestExtensions : public QObject
{
    Q_OBJECT

private slots:
    void okKeepsTheChoiceThroughNewAnalysesCancelOnlyHides();
    void burstOfReportsEndsWithTheLast();
};

void TestExtensions::okKeepsTheChoiceThroughNewAnalysesCancelOnlyHides()
{
    Extensions dialog(nullptr);
    QSignalSpy accepted(&dialog, QOverload<bool>::of(&Extensions::accepted));
    QVERIFY(dialog.selectedExtensions(false).isEmpty());
    // The empty suffix and a text with "&" are names like any other.
    const QStringList offered{"txt", "", "a&b", "jpg"};
    report(dialog, offered);
    QCOMPARE(dialog.selectedExtensions(false), offered);
    untick(dialog, {"jpg", ""});
    dialog.reject();
    QCOMPARE(dialog.selectedExtensions(false), offered);
    // OK later without changes takes what the boxes show.
    QCOMPARE(boxes(dialog, false), QStringList({"", "jpg"}));
    dialog.accept();
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"txt", "a&b"}));
    QCOMPARE(dialog.selectedExtensions(true), offered);

    // A new analysis, as after another drop: running lists, a new suffix.
    untick(dialog, {"txt"});
    dialog.reject();
    report(dialog, {"jpg"});
    report(dialog, {"jpg", "txt", "png"});
    // Cancelled unticks show, but only the confirmed ones filter.
    QCOMPARE(boxes(dialog, false), QStringList({"jpg", "txt"}));
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"txt", "png"}));
    untick(dialog, {"png"});
    dialog.accept();
    QVERIFY(dialog.selectedExtensions(false).isEmpty());
    QCOMPARE(accepted.count(), 2);

    dialog.forgetChoice();
    QVERIFY(boxes(dialog, false).isEmpty());
    report(dialog, {"txt"});
    QCOMPARE(dialog.selectedExtensions(false), QStringList({"txt"}));
}

void TestExtensions::burstOfReportsEndsWithTheLast()
{
    Extensions dialog(nullptr);
    report(dialog, {"a", "b"});
    untick(dialog, {"a"});
    // As an analysis of many single files reports: queued, in pairs.
    QStringList running{"a"};
    for (int i = 0; i < 5000; ++i) {
        if (i % 1000 == 0)
            running.append(QStringLiteral("s%1").arg(i / 1000));
        QMetaObject::invokeMethod(&dialog, "resetListExtensions", Qt::QueuedConnection);
        QMetaObject::invokeMethod(&dialog, "setListExtensions", Qt::QueuedConnection,
                                  Q_ARG(QStringList, running));
    }
    QTRY_COMPARE(dialog.selectedExtensions(true), running);
    QCOMPARE(boxes(dialog, true), running.mid(1));
    QCOMPARE(boxes(dialog, false), QStringList({"a"}));
}

QTEST_MAIN(TestExtensions)
#include "tst_extensions.moc"

#include "regexp.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

class TestRegexp : public QObject
{
    Q_OBJECT

private slots:
    void navigationWrapsAround_data();
    void navigationWrapsAround();
    void terms_data();
    void terms();
    void escapeCloses();
};

void TestRegexp::navigationWrapsAround_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("label");
    QTest::newRow("start") << "" << QStringLiteral("page_3") << "1 / 5";
    QTest::newRow("past the last") << "nnnnn" << QStringLiteral("page_3") << "1 / 5";
    QTest::newRow("before the first") << "p" << QStringLiteral("page_2") << "5 / 5";
    QTest::newRow("back and forth") << "nnnp" << QStringLiteral("page_4") << "3 / 5";
}

void TestRegexp::navigationWrapsAround()
{
    QFETCH(QString, clicks);
    Regexp window;
    for (const QChar click : clicks)
        window.findChild<QPushButton *>(click == u'n' ? "pushNext" : "pushPrevious")->click();
    auto *pages = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QTEST(pages->currentWidget()->objectName(), "page");
    QTEST(window.findChild<QLabel *>(QStringLiteral("labelPageNumber"))->text(), "label");
}

// Rows are named after the label that shows the term.
void TestRegexp::terms_data()
{
    QTest::addColumn<QString>("term");
    QTest::newRow("label_40") << "\\xhhhh";
    QTest::newRow("label_41") << "<strong>\\0ooo</strong><br />\n(i.e., zero ooo)";
    QTest::newRow("label_85") << "(?\n=E)";
    // The last page: what the window offers when replacing.
    QTest::newRow("label_113") << "RegExp";
}

void TestRegexp::terms()
{
    Regexp window;
    auto *term = window.findChild<QLabel *>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(term);
    QTEST(term->text(), "term");
}

// Esc closes it, as it closes a dialog.
void TestRegexp::escapeCloses()
{
    Regexp window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestRegexp)
#include "tst_regexp.moc"

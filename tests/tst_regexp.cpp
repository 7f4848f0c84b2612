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
};

static QString pageLabel(Regexp &window)
{
    return window.findChild<QLabel *>(QStringLiteral("labelPageNumber"))->text();
}

static QStackedWidget *pages(Regexp &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
}

static void press(Regexp &window, const char *button, int times)
{
    auto *push = window.findChild<QPushButton *>(QLatin1String(button));
    for (int i = 0; i < times; ++i)
        push->click();
}

void TestRegexp::navigationWrapsAround_data()
{
    QTest::addColumn<int>("nexts");
    QTest::addColumn<int>("previouses");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("label");
    QTest::newRow("start") << 0 << 0 << "page_3"
                           << "1 / 5";
    QTest::newRow("next") << 1 << 0 << "page_5"
                          << "2 / 5";
    QTest::newRow("next to the last") << 4 << 0 << "page_2"
                                      << "5 / 5";
    QTest::newRow("next past the last") << 5 << 0 << "page_3"
                                        << "1 / 5";
    QTest::newRow("previous before the first") << 0 << 1 << "page_2"
                                               << "5 / 5";
    QTest::newRow("previous twice") << 0 << 2 << "page"
                                    << "4 / 5";
    QTest::newRow("back and forth") << 3 << 1 << "page_4"
                                    << "3 / 5";
}

void TestRegexp::navigationWrapsAround()
{
    QFETCH(int, nexts);
    QFETCH(int, previouses);
    Regexp window;
    QCOMPARE(pages(window)->count(), 5);
    press(window, "pushNext", nexts);
    press(window, "pushPrevious", previouses);
    QTEST(pages(window)->currentWidget()->objectName(), "page");
    QTEST(pageLabel(window), "label");
}

void TestRegexp::terms_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("term");
    QTest::newRow("ordinary character") << "label"
                                        << "c";
    QTest::newRow("hexadecimal") << "label_40"
                                 << "\\xhhhh";
    QTest::newRow("octal") << "label_41"
                           << "<strong>\\0ooo</strong><br />\n(i.e., zero ooo)";
    QTest::newRow("back-reference") << "label_5"
                                    << "\\n";
    QTest::newRow("range") << "label_51"
                           << "-";
    QTest::newRow("at most") << "label_59"
                             << "E{,m}";
    QTest::newRow("lookahead") << "label_85"
                               << "(?\n=E)";
    QTest::newRow("wildcard set") << "label_113"
                                  << "[...]";
}

void TestRegexp::terms()
{
    QFETCH(QString, label);
    Regexp window;
    auto *term = window.findChild<QLabel *>(label);
    QVERIFY(term);
    QTEST(term->text(), "term");
}

QTEST_MAIN(TestRegexp)
#include "tst_regexp.moc"

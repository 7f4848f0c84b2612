#include "mainwindow.h"
#include "startup.h"
#include "testsupport.h"

#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setApplicationIdentity(); }
    void titleAndIcon();
};

void TestMainWindow::titleAndIcon()
{
    MainWindow window;
    decorateMainWindow(window);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrelo v1.1.2"));
    QVERIFY(!window.windowIcon().isNull());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

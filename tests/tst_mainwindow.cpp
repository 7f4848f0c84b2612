#include "mainwindow.h"
#include "startup.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setApplicationIdentity(); }
    void titleAndIcon();
    void formObjects_data();
    void formObjects();
    void lineEditsAndPreview();
    void tabsMenuAndLimits();
    void comboOffersTheThreeOrders();
};

void TestMainWindow::titleAndIcon()
{
    MainWindow window;
    decorateMainWindow(window);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrelo v1.1.2"));
    const QPixmap icon(QStringLiteral(":/icon.png"));
    QCOMPARE(icon.size(), QSize(128, 128));
    QVERIFY(!window.windowIcon().availableSizes().isEmpty());
}

void TestMainWindow::formObjects_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");

    auto row = [](const char *name, const char *cls, const char *text, bool enabled = true,
                  bool checked = false) {
        QTest::newRow(name) << QString::fromLatin1(cls) << QString::fromUtf8(text) << enabled
                            << checked;
    };
    // Input tab
    row("checkScanRecursive", "QCheckBox", "Scan recursive ", false);
    row("checkAternateRowColor", "QCheckBox", "Alternate row color");
    row("pushResetList", "QPushButton", "Reset list");
    // Rename tab
    row("groupOutputFormat", "QGroupBox", "Output format :");
    row("groupRenameFiles", "QGroupBox", "Rename files :", false);
    row("groupRenameGroup", "QGroupBox", "Rename group :", false);
    row("groupFilesInfos", "QGroupBox", "Files informations :");
    row("groupRenameBy", "QGroupBox", "Rename by (only for directories) :", false);
    row("radioFormatName", "QRadioButton", "Name (~000)", true, true);
    row("radioFormatPrefix", "QRadioButton", "Append (~000_filename)");
    row("radioFormatSuffix", "QRadioButton", "Prepend (filename_~000)");
    row("labelOutputFormat", "QLabel", "~000.txt");
    row("checkReverseFormat", "QCheckBox", "Reverse format with number");
    row("checkRenameAllExtensions", "QCheckBox", "Rename all files together", true, true);
    row("checkRenameByExtensions", "QCheckBox", "Rename files by ");
    row("pushExtensions", "QPushButton", "extensions");
    row("radioRenameTogether", "QRadioButton", "Rename files non regarding suffixes", true, true);
    row("radioRenameIndividually", "QRadioButton", "Rename files by suffixes individually");
    row("label", "QLabel", "Number of files :");
    row("labelFilesInfosNumberFiles", "QLabel", "");
    row("label_2", "QLabel", "Number of suffix :");
    row("labelFilesInfosNumberExt", "QLabel", "");
    row("checkRenameByReversed", "QCheckBox", "Reverse order");
    row("pushRename", "QPushButton", "Rename");
    // Replace tab
    row("groupReplaceIn", "QGroupBox", "Replace :");
    row("groupReplaceOut", "QGroupBox", "By :");
    row("checkReplaceRegExp", "QCheckBox", "RegExp ");
    row("toolButtonDoc", "QToolButton", "Documentation");
    row("checkReplaceSuffix", "QCheckBox", "Suffix ");
    row("checkReplaceDeleteIfExists", "QCheckBox", "Delete if exists ");
    row("checkRefreshListView", "QCheckBox", "Refresh list view ", true, true);
    row("pushReplace", "QPushButton", "Replace");
    row("labelUpdate", "QLabel",
        "An update is available. You can download it using Options > Check for update.");
}

void TestMainWindow::formObjects()
{
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);

    MainWindow window;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *widget = window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    // Disabled by itself, not merely through a disabled group.
    QCOMPARE(!widget->testAttribute(Qt::WA_ForceDisabled), enabled);
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->isChecked(), checked);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), text);
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        QCOMPARE(group->title(), text);
    }
}

void TestMainWindow::lineEditsAndPreview()
{
    MainWindow window;
    window.show();
    const QString tip = QStringLiteral("String that will be used for renaming files...");
    for (const char *name : {"lineOutputFormat", "lineReplaceIn", "lineReplaceOut"}) {
        auto *edit = window.findChild<QLineEdit *>(QString::fromLatin1(name));
        QVERIFY2(edit, name);
        QCOMPARE(edit->toolTip(), tip);
        QVERIFY(edit->text().isEmpty());
    }
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("lineOutputFormat"))->placeholderText(),
             QStringLiteral("~"));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("labelUpdate"))->isHidden());

    auto *list = window.findChild<QListView *>(QStringLiteral("listView"));
    QVERIFY(list->model());
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(list->model()->columnCount(), 1);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(!list->alternatingRowColors());
    // Only the window takes drops, so that a drop on the list reaches its handlers.
    QVERIFY(window.acceptDrops());
}

void TestMainWindow::tabsMenuAndLimits()
{
    MainWindow window;
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Input"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Rename"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Replace"));
    QCOMPARE(tabs->currentIndex(), 0);

    const auto menus = window.menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->text(), QStringLiteral("Options"));
    const auto entries = menus.first()->menu()->actions();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first()->objectName(), QStringLiteral("actionUpdates"));
    QCOMPARE(entries.first()->text(), QStringLiteral("Check for updates"));
    auto *parameters = window.findChild<QAction *>(QStringLiteral("actionParameters"));
    QVERIFY(parameters);
    QCOMPARE(parameters->text(), QStringLiteral("Parameters"));
    QVERIFY(parameters->associatedObjects().isEmpty());
    QVERIFY(window.findChild<QStatusBar *>(QStringLiteral("statusBar")));

    QCOMPARE(window.maximumHeight(), 585);
    window.resize(2000, 900);
    QCOMPARE(window.height(), 585);
    QCOMPARE(window.width(), 2000);
}

void TestMainWindow::comboOffersTheThreeOrders()
{
    MainWindow window;
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboRenameBy"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("Date (newer first)"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Size (greater first)"));
    QCOMPARE(combo->itemText(2), QStringLiteral("Name (alphabetical)"));
    QCOMPARE(combo->currentIndex(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

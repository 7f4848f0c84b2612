#include "grouping.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

class TestGrouping : public QObject
{
    Q_OBJECT

private slots:
    void singleFilesOfOneFolderGatherAtTheFirst();
    void splitKeepsEveryPartOfTheName_data();
    void splitKeepsEveryPartOfTheName();
};

static QStringList listNothing(const QString &)
{
    return QStringList();
}

void TestGrouping::singleFilesOfOneFolderGatherAtTheFirst()
{
    TestDir dir;
    const QString a1 = dir.file(QStringLiteral("a/1.txt"));
    const QString photos = dir.folder(QStringLiteral("photos"));
    const QString b1 = dir.file(QStringLiteral("b/1.txt"));
    const QString a2 = dir.file(QStringLiteral("a/2.txt"));

    const GroupList groups = groupInput({a1, photos, b1, a2}, listNothing);

    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups[0].kind, FileGroup::Files);
    QCOMPARE(groups[0].files, QStringList({a1, a2}));
    QCOMPARE(groups[1].kind, FileGroup::Directory);
    QCOMPARE(groups[1].folderPrefix, QDir::toNativeSeparators(photos + QLatin1Char('/')));
    QCOMPARE(groups[2].files, QStringList({b1}));
}

void TestGrouping::splitKeepsEveryPartOfTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("recomposed");

    QTest::newRow("plain") << "IMG.jpg"
                           << "IMG"
                           << "jpg"
                           << "X.jpg";
    QTest::newRow("several dots") << "archive.tar.gz"
                                  << "archive"
                                  << "gz"
                                  << "X.tar.gz";
    QTest::newRow("no dot") << "README"
                            << "README"
                            << ""
                            << "X";
    QTest::newRow("trailing dot") << "a."
                                  << "a"
                                  << ""
                                  << "X.";
    QTest::newRow("hidden") << ".profile"
                            << ""
                            << "profile"
                            << "X.profile";
}

void TestGrouping::splitKeepsEveryPartOfTheName()
{
    QFETCH(QString, name);
    QFETCH(QString, base);
    QFETCH(QString, suffix);
    QFETCH(QString, recomposed);

    const NameParts parts = splitFileName(name);
    QCOMPARE(parts.baseName, base);
    QCOMPARE(parts.suffix, suffix);
    QCOMPARE(parts.compose(QStringLiteral("X"), parts.suffix), recomposed);
    QCOMPARE(parts.compose(parts.baseName, parts.suffix), name);
}

QTEST_GUILESS_MAIN(TestGrouping)
#include "tst_grouping.moc"

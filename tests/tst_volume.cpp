#include "testvolume.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestVolumes : public QObject
{
    Q_OBJECT

private slots:
    void mountsEveryKind_data();
    void mountsEveryKind();
};

void TestVolumes::mountsEveryKind_data()
{
    QTest::addColumn<TestVolume::Kind>("kind");
    const QList<TestVolume::Kind> kinds = TestVolume::all();
    for (const TestVolume::Kind kind : kinds)
        QTest::newRow(qPrintable(TestVolume::nameOf(kind))) << kind;
}

// The volume is there, empty and writable, and gone afterwards.
void TestVolumes::mountsEveryKind()
{
    QFETCH(TestVolume::Kind, kind);
    QString mountPoint;
    {
        const TestVolume volume(kind);
        if (!volume.isMounted())
            QSKIP(qPrintable(volume.skipReason()));
        mountPoint = volume.path();
        QVERIFY(QDir(mountPoint).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QFile file(mountPoint + "/written.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("content"), 7);
        file.close();
        QCOMPARE(QDir(mountPoint).entryList(QDir::Files), QStringList{"written.txt"});
    }
    QVERIFY(!QFileInfo::exists(mountPoint));
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volume.moc"

#include "filenames.h"
#include "namearena.h"

#include <QStringList>
#include <QtTest>

#include <thread>

// Names that share blocks: a fault here would let one file's name change
// another's, or free a name still in use.
class TestNameArena : public QObject
{
    Q_OBJECT

private slots:
    void namesReadAsTheirText_data();
    void namesReadAsTheirText();
    void changingANameLeavesItsNeighbours_data();
    void changingANameLeavesItsNeighbours();
    void namesOutliveTheArenaOnAnyThread();
    void takeKeepsWhatItCannotSave();
};

namespace {

QStringList sampleNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    return names;
}

} // namespace

void TestNameArena::namesReadAsTheirText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << QByteArray("IMG_0001.jpg");
    QTest::newRow("UTF-8") << QByteArray("\xc3\xa9t\xc3\xa9.txt");
    QTest::newRow("a byte that is not UTF-8") << QByteArray("caf\xe9.txt");
    QTest::newRow("one character") << QByteArray("a");
    QTest::newRow("longer than a young block") << QByteArray(300, 'x');
    QTest::newRow("longer than a name in a block") << QByteArray(600, 'x');
}

void TestNameArena::namesReadAsTheirText()
{
    QFETCH(QByteArray, bytes);
    NameArena arena;
    QStringList made;
    // Enough names to fill several blocks, the tested one among them.
    for (int i = 0; i < 3000; ++i)
        made.append(i % 7 == 0 ? arena.fromBytes(bytes.constData(), bytes.size())
                               : arena.make(QStringLiteral("n%1").arg(i)));
    for (int i = 0; i < made.size(); ++i) {
        const QString &name = made.at(i);
        QCOMPARE(name, i % 7 == 0 ? nameFromBytes(bytes) : QStringLiteral("n%1").arg(i));
        // C functions and QString::utf16() callers expect the terminator.
        QCOMPARE(name.utf16()[name.size()], u'\0');
    }
}

void TestNameArena::changingANameLeavesItsNeighbours_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("arenaAlive");
    const char *const changes[] = {"append",        "prepend", "replace", "write a character",
                                   "resize longer", "chop"};
    for (int change = 0; change < 6; ++change) {
        QTest::addRow("%s, the arena alive", changes[change]) << change << true;
        QTest::addRow("%s, the last name of its block", changes[change]) << change << false;
    }
}

void TestNameArena::changingANameLeavesItsNeighbours()
{
    QFETCH(int, change);
    QFETCH(bool, arenaAlive);
    const auto changed = [change](QString &name) {
        switch (change) {
        case 0:
            name.append(QStringLiteral("-and-a-long-tail"));
            break;
        case 1:
            name.prepend(QStringLiteral("head-"));
            break;
        case 2:
            name.replace(QStringLiteral("IMG"), QStringLiteral("Holiday"));
            break;
        case 3:
            name.data()[0] = u'X';
            break;
        case 4:
            name.resize(name.size() + 40, u'z');
            break;
        case 5:
            name.chop(4);
            break;
        }
    };
    const QStringList texts = sampleNames(3);
    auto arena = std::make_unique<NameArena>();
    QStringList names;
    for (const QString &text : texts)
        names.append(arena->make(text));
    QString middle = names.at(1);
    QString before;
    QString after;
    // Otherwise the middle name is its block's one user, which may then
    // change in place.
    if (arenaAlive) {
        before = names.at(0);
        after = names.at(2);
    } else {
        arena.reset();
    }
    names.clear();
    changed(middle);
    QString expected = texts.at(1);
    changed(expected);
    QCOMPARE(middle, expected);
    QCOMPARE(middle.utf16()[middle.size()], u'\0');
    if (arenaAlive) {
        QCOMPARE(before, texts.at(0));
        QCOMPARE(after, texts.at(2));
        QCOMPARE(arena->make(QStringLiteral("next")), QStringLiteral("next"));
    }
}

void TestNameArena::namesOutliveTheArenaOnAnyThread()
{
    QStringList names;
    {
        NameArena arena;
        for (const QString &text : sampleNames(20000))
            names.append(arena.make(text));
    }
    // Copies on two threads, each dropping its own: the blocks' counts of
    // users are shared.
    QStringList first = names;
    QStringList second = names;
    names.clear();
    std::thread other([&first] {
        QStringList copies;
        for (const QString &name : std::as_const(first))
            copies.append(name);
        first.clear();
    });
    QCOMPARE(second, sampleNames(20000));
    second.clear();
    other.join();
}

void TestNameArena::takeKeepsWhatItCannotSave()
{
    NameArena arena;
    const QString shared = QStringLiteral("kept.jpg");
    const QString copy = shared;
    QCOMPARE(arena.take(copy).constData(), shared.constData());
    QVERIFY(arena.take(QString()).isNull());
    QVERIFY(!arena.take(QStringLiteral("")).isNull());
    const QString own = QString(QStringLiteral("own.jpg")).toUpper();
    const QString taken = arena.take(own);
    QCOMPARE(taken, own);
    QVERIFY(taken.constData() != own.constData());
}

QTEST_GUILESS_MAIN(TestNameArena)
#include "tst_namearena.moc"

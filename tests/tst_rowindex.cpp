#include "rowindex.h"

#include <QStringList>
#include <QtTest>

// The index behind the input list's "each path once": a wrong answer either
// drops a path the user gave or lists one twice.
class TestRowIndex : public QObject
{
    Q_OBJECT

private slots:
    void findsEveryRowAndNothingElse_data();
    void findsEveryRowAndNothingElse();
    void rowsNotYetListedAreFound();
};

void TestRowIndex::findsEveryRowAndNothingElse_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("reserved");
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("one") << 1 << false;
    QTest::newRow("growing past many doublings") << 5000 << false;
    QTest::newRow("reserved up front") << 5000 << true;
}

void TestRowIndex::findsEveryRowAndNothingElse()
{
    QFETCH(int, rows);
    QFETCH(bool, reserved);
    QStringList list;
    for (int i = 0; i < rows; ++i)
        list.append(QStringLiteral("/home/anna/photos/IMG_%1.jpg").arg(i));
    RowIndex index;
    if (reserved)
        index.reserve(rows);
    const auto rowText = [&list](int row) -> const QString & { return list.at(row); };
    for (int row = 0; row < rows; ++row)
        index.insert(list.at(row), row);
    QCOMPARE(index.size(), rows);
    for (int row = 0; row < rows; ++row)
        QCOMPARE(index.find(list.at(row), rowText), row);
    // Near misses: a prefix, another case, a trailing separator.
    for (const QString &other :
         {QStringLiteral("/home/anna/photos/IMG_1"), QStringLiteral("/home/anna/photos/img_0.jpg"),
          QStringLiteral("/home/anna/photos/IMG_0.jpg/"), QString()})
        QCOMPARE(index.find(other, rowText), -1);

    index.clear();
    QCOMPARE(index.find(QStringLiteral("/home/anna/photos/IMG_0.jpg"), rowText), -1);
}

void TestRowIndex::rowsNotYetListedAreFound()
{
    // A slice of paths checks itself too before it is appended.
    const QStringList listed{"a", "b"};
    QStringList pending;
    const auto rowText = [&](int row) -> const QString & {
        return row < listed.size() ? listed.at(row) : pending.at(row - listed.size());
    };
    RowIndex index;
    index.insert(listed.at(0), 0);
    index.insert(listed.at(1), 1);
    for (const QString path : {"c", "a", "c", "d", "d"}) {
        if (index.find(path, rowText) >= 0)
            continue;
        index.insert(path, int(listed.size() + pending.size()));
        pending.append(path);
    }
    QCOMPARE(pending, (QStringList{"c", "d"}));
    QCOMPARE(index.find(QStringLiteral("d"), rowText), 3);
}

QTEST_GUILESS_MAIN(TestRowIndex)
#include "tst_rowindex.moc"

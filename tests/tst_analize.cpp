#include "analize.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// One word per signal reaching the GUI thread: "reset", "files/suffixes", "[suffix,...]";
// sorting the lists for folders of several suffixes, whose listings come in no set order.
QString analyse(Analize &analize, const QStringList &paths, bool sortLists)
{
    QStringList log;
    QObject receiver;
    QObject::connect(&analize, &Analize::resetListExtensions, &receiver,
                     [&] { log << QStringLiteral("reset"); });
    QObject::connect(&analize, &Analize::setFilesInformations, &receiver,
                     [&](int f, int s) { log << QStringLiteral("%1/%2").arg(f).arg(s); });
    QObject::connect(&analize, &Analize::setListExtensions, &receiver, [&](QStringList list) {
        if (sortLists)
            list.sort();
        log << QStringLiteral("[%1]").arg(list.join(QLatin1Char(',')));
    });
    analize.setPathList(paths);
    analize.start();
    if (!analize.wait(10000))
        qFatal("analysis did not end");
    // The thread has ended, so everything it sent is already posted.
    QCoreApplication::sendPostedEvents();
    return log.join(QLatin1Char(' '));
}

} // namespace

class TestAnalize : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
};

void TestAnalize::reports_data()
{
    // "|"-separated paths; a trailing "/" makes a folder; an input not made has vanished.
    for (const char *column : {"create", "input", "sort", "log"})
        QTest::addColumn<QString>(column);
    addRow("empty input", "a.txt", "", "", "");
    addRow("running totals", "d/1.txt|d/2.txt|x.JPG|README|n.txt", "d|x.JPG|README|n.txt|x.JPG", "",
           "reset 2/1 [txt] reset 3/2 [txt,JPG] reset 4/3 [txt,JPG,] reset 5/3 [txt,JPG,] "
           "reset 6/3 [txt,JPG,]");
    addRow("case matters, no dot", "d/a.JPG|d/b.jpg|d/README", "d", "sort", "reset 3/3 [,JPG,jpg]");
    addRow("only subfolders, hidden", "d/sub/deep.txt|d/.hidden|d/empty/", "d", "", "reset 0/0 []");
    addRow("last dot, vanished", "a.b.c|v1.2/", "a.b.c|gone.tif|v1.2/gone", "",
           "reset 1/1 [c] reset 2/2 [c,tif] reset 3/3 [c,tif,]");
}

void TestAnalize::reports()
{
    QFETCH(QString, create);
    QFETCH(QString, input);
    QFETCH(QString, sort);
    TestDir dir;
    for (const QString &name : create.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        name.endsWith(QLatin1Char('/')) ? dir.folder(name) : dir.file(name);
    QStringList paths;
    for (const QString &name : input.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        paths << QDir::toNativeSeparators(dir.at(name));

    Analize analize(nullptr);
    QTEST(analyse(analize, paths, !sort.isEmpty()), "log");
    // A second list on the same worker starts from nothing.
    QTEST(analyse(analize, paths, !sort.isEmpty()), "log");
}

QTEST_GUILESS_MAIN(TestAnalize)
#include "tst_analize.moc"

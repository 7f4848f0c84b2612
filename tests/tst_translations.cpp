#include "mainwindow.h"
#include "startup.h"
#include "testdir.h"
#include "update.h"

#include <QComboBox>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The buttons of a window, each tab shown in turn, given less width than
// their text and the style's margins need.
QStringList squeezedButtons(QWidget *window)
{
    window->show();
    QStringList squeezed;
    const auto check = [&squeezed](const QList<QPushButton *> &buttons) {
        QCoreApplication::processEvents();
        for (const QPushButton *button : buttons) {
            const QString text = QString(button->text()).remove(u'&');
            if (!button->isVisible() || text.isEmpty())
                continue;
            // The style's own width for the text and its margins: a layout
            // that gives less cuts the margins first.
            const int needed = qMax(button->sizeHint().width(),
                                    button->fontMetrics().horizontalAdvance(text) + 2 * 3);
            if (button->width() < needed)
                squeezed.append(QStringLiteral("%1 \"%2\": %3 of %4 pixels")
                                    .arg(button->objectName(), text)
                                    .arg(button->width())
                                    .arg(needed));
        }
    };
    const QList<QTabWidget *> tabWidgets = window->findChildren<QTabWidget *>();
    for (QTabWidget *tabs : tabWidgets) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            check(tabs->widget(i)->findChildren<QPushButton *>());
        }
    }
    check(window->findChildren<QPushButton *>());
    squeezed.removeDuplicates();
    return squeezed;
}

// Every text of the window a user can read, the window title aside, keyed by
// the object that shows it.
QMap<QString, QString> shownTexts(const QWidget &window)
{
    QMap<QString, QString> texts;
    auto add = [&texts](const QObject *object, const QString &what, const QString &text) {
        if (!text.isEmpty())
            texts.insert(object->objectName() + u' ' + what, text);
    };
    for (const QObject *object : window.findChildren<QObject *>()) {
        // Actions, and widgets of the main window and its menus; the extension
        // chooser, a window of its own, is a child too.
        const auto *widget = qobject_cast<const QWidget *>(object);
        const bool own =
            !widget || widget->window() == &window || qobject_cast<const QMenu *>(widget);
        if (!own || object->objectName().isEmpty()
            || object->objectName().startsWith(QLatin1String("qt_")))
            continue;
        for (const char *property : {"text", "title", "placeholderText", "toolTip"})
            add(object, QString::fromLatin1(property), object->property(property).toString());
        if (auto *combo = qobject_cast<const QComboBox *>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo, QStringLiteral("item %1").arg(i), combo->itemText(i));
        } else if (auto *tabs = qobject_cast<const QTabWidget *>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs, QStringLiteral("tab %1").arg(i), tabs->tabText(i));
        }
    }
    return texts;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?n|%\\d|<[^>]*>"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort(); // translations may reorder the arguments
    return found;
}

// What is wrong with one message of a .ts file; empty when it is fine.
QString messageFault(const QString &source, const QString &translation, bool unfinished)
{
    if (unfinished || translation.isEmpty())
        return QStringLiteral("untranslated");
    if (placeholders(source) != placeholders(translation))
        return QStringLiteral("placeholders or markup differ");
    // Texts that are joined to others keep their blanks and line breaks at the joints.
    if (source.front().isSpace() != translation.front().isSpace()
        || source.back().isSpace() != translation.back().isSpace())
        return QStringLiteral("blank at the start or end differs");
    return QString();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        setApplicationIdentity();
        // Refused at once: the window's own update check stays quick and quiet.
        Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    }
    // A translator removes itself from the application as it goes.
    void cleanup() { qDeleteAll(qApp->findChildren<QTranslator *>()); }
    void mainWindowSpeaksTheLanguage_data();
    void mainWindowSpeaksTheLanguage();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
    void countsAgreeWithTheirNumber_data();
    void countsAgreeWithTheirNumber();
};

void TestTranslations::mainWindowSpeaksTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QStringList>("sameInEnglish"); // and right in that language too
    // "Suffix" and "Name" are German too, and "Endung" is too wide for its
    // check box.
    QTest::newRow("German") << "de_DE" << true << QStringList{"Suffix ", "Name"};
    QTest::newRow("Swiss German") << "de_CH" << true << QStringList{"Suffix ", "Name"};
    QTest::newRow("French") << "fr_FR" << true << QStringList{"Options", "Documentation"};
    QTest::newRow("English") << "en_US" << false << QStringList();
    // Qt has Spanish buttons; an English window must not get them.
    QTest::newRow("Spanish") << "es_ES" << false << QStringList();
}

void TestTranslations::mainWindowSpeaksTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, translated);
    QFETCH(QStringList, sameInEnglish);
    // Names and samples: the same in every language.
    sameInEnglish += QStringList{"~", "1.txt", "RegExp ", "↑", "↓"};

    const QMap<QString, QString> sources = shownTexts(MainWindow());
    QVERIFY(sources.size() > 40);

    installTranslations(*qApp, QLocale(locale));
    const QMap<QString, QString> texts = shownTexts(MainWindow());
    QCOMPARE(texts.keys(), sources.keys());
    if (!translated) {
        // English brings only the singular forms of counts.
        QCOMPARE(texts, sources);
        return;
    }
    QStringList leftInEnglish;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (it.value() == sources.value(it.key())
            && !sameInEnglish.contains(QString(it.value()).remove(u'&')))
            leftInEnglish.append(it.key() + QStringLiteral(": ") + it.value());
    }
    QVERIFY2(leftInEnglish.isEmpty(), qPrintable(leftInEnglish.join(u'\n')));

    // Longer words must not fill their buttons to the edges.
    MainWindow window;
    Update update;
    QStringList squeezed = squeezedButtons(&window) + squeezedButtons(&update);
    QVERIFY2(squeezed.isEmpty(), qPrintable(squeezed.join(u'\n')));

    // Qt's own buttons follow, where Qt's translation is installed.
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_"
                      + locale.left(2) + ".qm"))
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != "Cancel");
}

void TestTranslations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("pluralsOnly");
    QTest::newRow("German") << "tavrelo_de.ts" << false;
    QTest::newRow("French") << "tavrelo_fr.ts" << false;
    QTest::newRow("English, the counts") << "tavrelo_en.ts" << true;
}

// The file brought up to date with the code, in a copy, so that a text added
// to the code and not yet translated fails too.
void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, file);
    QFETCH(bool, pluralsOnly);
    const QString sourceDir = QStringLiteral(TAVRELO_SOURCE_DIR);
    TestDir dir;
    const QString copy = dir.file(file, readFile(sourceDir + "/translations/" + file));
    QStringList arguments{"-silent", "-locations", "none", "-no-obsolete"};
    if (pluralsOnly)
        arguments.append("-pluralonly");
    arguments += QStringList{sourceDir + "/src", sourceDir + "/forms", "-ts", copy};
    QCOMPARE(QProcess::execute(TAVRELO_LUPDATE, arguments), 0);
    QXmlStreamReader xml(readFile(copy));
    QString context, source;
    int messages = 0;
    int counts = 0;
    QStringList faults;
    const auto check = [&](const QString &translation, bool unfinished) {
        const QString fault = messageFault(source, translation, unfinished);
        if (!fault.isEmpty())
            faults.append(QStringLiteral("%1 \"%2\": %3").arg(context, source, fault));
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") { // after its source
            ++messages;
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            // A count's forms, one for each plural rule of the language:
            // every one of them has to be there, with the count in it.
            QStringList forms;
            QString text;
            while (!xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::Characters)
                    text += xml.text();
                else if (token == QXmlStreamReader::StartElement && xml.name() == u"numerusform")
                    forms.append(xml.readElementText());
                else if (token == QXmlStreamReader::EndElement && xml.name() == u"translation")
                    break;
            }
            if (forms.isEmpty()) {
                check(text, unfinished);
                continue;
            }
            ++counts;
            if (forms.size() != 2)
                faults.append(
                    QStringLiteral("%1 \"%2\": %3 forms").arg(context, source).arg(forms.size()));
            for (const QString &form : std::as_const(forms))
                check(form, unfinished);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(counts >= 10);
    QVERIFY(pluralsOnly ? messages == counts : messages > 100);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestTranslations::countsAgreeWithTheirNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("English, one") << "en_US" << 1 << "Undo rename of 1 file";
    QTest::newRow("English, none") << "en_US" << 0 << "Undo rename of 0 files";
    QTest::newRow("English, thousands") << "en_US" << 2054 << "Undo rename of 2,054 files";
    QTest::newRow("Spanish falls back to English") << "es_ES" << 1 << "Undo rename of 1 file";
    QTest::newRow("German, one") << "de_DE" << 1 << "Umbenennen von 1 Datei rückgängig machen";
    QTest::newRow("German, thousands")
        << "de_DE" << 2054 << "Umbenennen von 2.054 Dateien rückgängig machen";
    // French counts nothing as one.
    QTest::newRow("French, none") << "fr_FR" << 0 << "Annuler le renommage de 0 fichier";
    QTest::newRow("French, two") << "fr_FR" << 2 << "Annuler le renommage de 2 fichiers";
}

// The program's own translation files, as the program installs them.
void TestTranslations::countsAgreeWithTheirNumber()
{
    QFETCH(QString, locale);
    QFETCH(int, count);
    QFETCH(QString, undoText);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    installTranslations(*qApp, QLocale(locale));
    const QString shown =
        QCoreApplication::translate("UndoController", "Undo rename of %Ln files", nullptr, count);
    QLocale::setDefault(before);
    QCOMPARE(shown, undoText);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"

#include "mainwindow.h"
#include "startup.h"
#include "update.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

// Every text of the window a user can read, the window title aside, keyed by
// the object that shows it.
QMap<QString, QString> shownTexts(const QWidget &window)
{
    QMap<QString, QString> texts;
    auto add = [&texts](const QObject *object, const QString &what, const QString &text) {
        if (!text.isEmpty())
            texts.insert(object->objectName() + u' ' + what, text);
    };
    const QList<QWidget *> widgets = window.findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        // Widgets of the main window and its menus; the extension chooser is a child too.
        const bool ownWindow = widget->window() == &window || qobject_cast<const QMenu *>(widget);
        if (!ownWindow || widget->objectName().isEmpty()
            || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        add(widget, QStringLiteral("tooltip"), widget->toolTip());
        if (auto *label = qobject_cast<const QLabel *>(widget))
            add(label, QStringLiteral("text"), label->text());
        else if (auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(button, QStringLiteral("text"), button->text());
        else if (auto *group = qobject_cast<const QGroupBox *>(widget))
            add(group, QStringLiteral("title"), group->title());
        else if (auto *line = qobject_cast<const QLineEdit *>(widget))
            add(line, QStringLiteral("placeholder"), line->placeholderText());
        else if (auto *menu = qobject_cast<const QMenu *>(widget))
            add(menu, QStringLiteral("title"), menu->title());
        else if (auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo, QStringLiteral("item %1").arg(i), combo->itemText(i));
        } else if (auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs, QStringLiteral("tab %1").arg(i), tabs->tabText(i));
        }
    }
    const QList<QAction *> actions = window.findChildren<QAction *>();
    for (const QAction *action : actions) {
        if (!action->objectName().isEmpty())
            add(action, QStringLiteral("text"), action->text());
    }
    return texts;
}

QString cancelText(const QWidget &window)
{
    auto *box = window.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    return box ? box->button(QDialogButtonBox::Cancel)->text() : QString();
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%\\d|<[^>]*>"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort(); // translations may reorder the arguments
    return found;
}

bool blankAt(const QString &text, bool end)
{
    return !text.isEmpty() && (end ? text.back() : text.front()).isSpace();
}

// What is wrong with one message of a .ts file; empty when it is fine.
QString messageFault(const QString &source, const QString &translation, bool unfinished)
{
    if (unfinished || translation.isEmpty())
        return QStringLiteral("untranslated");
    if (placeholders(source) != placeholders(translation))
        return QStringLiteral("placeholders or markup differ");
    // Texts that are joined to others keep their blanks and line breaks at the joints.
    if (blankAt(source, false) != blankAt(translation, false)
        || blankAt(source, true) != blankAt(translation, true))
        return QStringLiteral("blank at the start or end differs");
    return QString();
}

void removeTranslators()
{
    const QList<QTranslator *> translators = qApp->findChildren<QTranslator *>();
    for (QTranslator *translator : translators) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void mainWindowSpeaksTheLanguage_data();
    void mainWindowSpeaksTheLanguage();
    void otherLanguagesStayEnglish_data();
    void otherLanguagesStayEnglish();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
};

void TestTranslations::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    setApplicationIdentity();
    // Refused at once: the window's own update check stays quick and quiet.
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
}

void TestTranslations::cleanup()
{
    removeTranslators();
}

void TestTranslations::mainWindowSpeaksTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    // English texts that are right in that language too.
    QTest::addColumn<QStringList>("sameInEnglish");
    // "Suffix" is German too, and "Endung" is too wide for its check box.
    QTest::newRow("German") << "de_DE" << QStringList{"Suffix "};
    QTest::newRow("Swiss German") << "de_CH" << QStringList{"Suffix "};
    QTest::newRow("French") << "fr_FR" << QStringList{"Options", "Documentation"};
}

void TestTranslations::mainWindowSpeaksTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, sameInEnglish);
    // Names and samples: the same in every language.
    sameInEnglish << "~"
                  << "~000.txt"
                  << "RegExp ";

    auto english = std::make_unique<MainWindow>();
    const QMap<QString, QString> sources = shownTexts(*english);
    const QString englishCancel = cancelText(*english);
    english.reset();
    QVERIFY(sources.size() > 40);

    installTranslations(*qApp, QLocale(locale));
    MainWindow window;
    const QMap<QString, QString> texts = shownTexts(window);
    QCOMPARE(texts.keys(), sources.keys());
    QStringList leftInEnglish;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const QString shown = QString(it.value()).remove(QLatin1Char('&'));
        if (it.value() == sources.value(it.key()) && !sameInEnglish.contains(shown))
            leftInEnglish.append(it.key() + QStringLiteral(": ") + it.value());
    }
    QVERIFY2(leftInEnglish.isEmpty(), qPrintable(leftInEnglish.join(u'\n')));

    // The form caps the width of some check boxes: a longer word would be cut off.
    const QList<QCheckBox *> boxes = window.findChildren<QCheckBox *>();
    for (const QCheckBox *box : boxes) {
        QStyleOptionButton option;
        option.initFrom(box);
        const int textStart =
            box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
        const int needed = textStart + box->fontMetrics().horizontalAdvance(box->text().remove(u'&').trimmed());
        QVERIFY2(needed <= box->maximumWidth(), qPrintable(box->text()));
    }

    // Qt's own buttons follow, where Qt's translation is installed.
    const QString qtFile =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + locale.left(2) + ".qm";
    if (QFile::exists(qtFile))
        QVERIFY(cancelText(window) != englishCancel);
}

void TestTranslations::otherLanguagesStayEnglish_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << "en_US";
    // Qt has Spanish buttons; an English window must not get them.
    QTest::newRow("Spanish") << "es_ES";
}

void TestTranslations::otherLanguagesStayEnglish()
{
    QFETCH(QString, locale);
    installTranslations(*qApp, QLocale(locale));
    QVERIFY(qApp->findChildren<QTranslator *>().isEmpty());
}

void TestTranslations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("German") << "tavrelo_de.ts";
    QTest::newRow("French") << "tavrelo_fr.ts";
}

// The file brought up to date with the code, in a copy, so that a text added
// to the code and not yet translated fails too.
void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, file);
    const QString sourceDir = QStringLiteral(TAVRELO_SOURCE_DIR);
    QTemporaryDir dir;
    const QString copy = dir.filePath(file);
    QVERIFY(QFile::copy(sourceDir + "/translations/" + file, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.start(QStringLiteral(TAVRELO_LUPDATE),
                  {"-silent", "-locations", "none", "-no-obsolete", sourceDir + "/src",
                   sourceDir + "/forms", "-ts", copy});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);

    QFile ts(copy);
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString context, source, translation;
    bool unfinished = false;
    int messages = 0;
    QStringList faults;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == u"translation") {
            unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            translation = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"message") {
            ++messages;
            const QString fault = messageFault(source, translation, unfinished);
            if (!fault.isEmpty())
                faults.append(QStringLiteral("%1 \"%2\": %3").arg(context, source, fault));
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 100);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"

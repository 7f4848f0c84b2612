#ifndef RULE_H
#define RULE_H

#include "metadata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <optional>

// One step of a renaming: given a file and the name so far, the next name.
// A kind declares its parameters (RuleParameter): their JSON keys, types,
// defaults and the words of their choices. From that table alone the rule is
// read from and written to JSON and to the short form of the command line,
// and the window builds its editor, so that a kind only says what its
// parameters mean. A prepared rule is used by one thread at a time.

// A parameter of a rule kind.
struct RuleParameter
{
    enum class Type {
        Text,   // a string
        Flag,   // true or false
        Number, // an integer between minimum and maximum
        Choice, // one word of choices
        List    // strings; written as a JSON array, "a,b" on the command line
    };
    struct Choice
    {
        QString word;      // in JSON and on the command line
        const char *label; // for the window, translated in the "Rule" context
    };

    QString key;
    Type type = Type::Text;
    const char *label = ""; // for the window, translated in the "Rule" context
    QVariant defaultValue;
    QVector<Choice> choices;
    int minimum = 0;
    int maximum = 0;
    // How the window's editor shows it, beyond what its type says.
    enum class Field {
        Plain,
        File,  // a path, with a button to choose the file
        Lines, // a list, one item per line, pasted as a column
        Hidden // filled in by other means (the table's typed names)
    };
    Field field = Field::Plain;
};

// What a rule sees of one file. Position and counts are those of the files
// the stack renames (a file a rule passes over neither counts nor uses up a
// number), in the chosen order; facts of the file are read on first use.
class RuleFile
{
public:
    QString folder; // with a trailing "/"
    QString oldName;
    int position = 0;        // in its group (its folder, or the files given one by one)
    int groupCount = 0;      // files of the group, whether renamed or not
    int requestPosition = 0; // in the whole request
    int requestCount = 0;

    QString path() const { return folder + oldName; }
    // The name of the folder the file lies in.
    QString folderName() const;
    QDateTime modified() const;
    qint64 size() const;
    // What the file says of itself inside (a photo's date, a song's artist),
    // read through the shared cache.
    const Metadata &metadata() const;

    // A rule that cannot name the file tells the fact it lacks ("exif.date");
    // the file then keeps its name.
    void setMissing(const QString &fact) const { m_missing = fact; }
    QString missing() const { return m_missing; }

private:
    void readFacts() const;
    mutable bool m_factsRead = false;
    mutable bool m_metadataRead = false;
    mutable QDateTime m_modified;
    mutable qint64 m_size = 0;
    mutable Metadata m_metadata;
    mutable QString m_missing;
};

// A name cut at its last dot (the suffix is what follows it, as everywhere
// in this program); at its first dot with firstDot ("archive.tar.gz" keeps
// "tar.gz").
struct SplitName
{
    QString base;
    QString suffix;
    bool dotted = false;

    static SplitName of(const QString &name, bool firstDot = false);
    // base.suffix; a suffix made empty takes its dot with it.
    QString joined() const;
};

class Rule
{
    Q_DECLARE_TR_FUNCTIONS(Rule)

public:
    virtual ~Rule() = default;

    // The kind's stable name ("case", "replace", ...).
    virtual QString kind() const = 0;
    virtual QVector<RuleParameter> parameters() const = 0;
    // The next name of a file, given the name so far.
    virtual QString apply(const RuleFile &file, const QString &name) const = 0;
    // Whether the rule renames this file at all (a numbering's choice of
    // suffixes); a file one rule passes over keeps its name.
    virtual bool selects(const QString &oldName) const;
    // Whether the rule needs the files in their order (a number does).
    virtual bool counts() const { return false; }
    // Whether new names the stack gives several files of a folder get
    // numbers to tell them apart, rather than the first file taking the name.
    virtual bool numbersCollisions() const { return false; }
    // Whether it reads what files say inside (RuleFile::metadata()), so
    // that the plan reads them first, on every core.
    virtual bool readsMetadata() const { return false; }
    // Whether the name it gives a file stands even where an earlier rule
    // lacked a fact for it (a name typed by hand).
    virtual bool namesAnyFile() const { return false; }
    // What stops the rule over the input as a whole (a list of names that
    // does not fit the files), in one translated sentence; empty when
    // nothing does. Given the files the stack renames, in their order,
    // before any is planned.
    virtual QString checkInput(const QVector<RuleFile> &files) const
    {
        Q_UNUSED(files);
        return QString();
    }

    bool enabled = true;

    QVariant value(const QString &key) const { return m_values.value(key); }
    QString text(const QString &key) const { return m_values.value(key).toString(); }
    bool flag(const QString &key) const { return m_values.value(key).toBool(); }
    int number(const QString &key) const { return m_values.value(key).toInt(); }
    QStringList list(const QString &key) const { return m_values.value(key).toStringList(); }
    // The translated label of a choice's current word, for a summary.
    QString choiceLabel(const QString &key) const;
    // Sets one parameter (of the parameter's type) and prepares the rule again.
    void setValue(const QString &key, const QVariant &value);
    // Every parameter at its default.
    void reset();

    // What stops the rule from working ("'(' is not a valid regular
    // expression"), in one translated sentence; empty when it works.
    QString problem() const { return m_problem; }

    // Reads the keys of an object of this kind ("kind" and "enabled" are the
    // stack's); an unknown key or a value of the wrong type is an error.
    bool readJson(const QJsonObject &object, QString *error);
    // Every parameter, "kind" first; "enabled" only when off.
    QJsonObject toJson() const;
    // The short form's fields after the kind, in the order of parameters().
    bool readFields(const QStringList &fields, QString *error);
    // "kind:field:...", up to the last field that differs from its default.
    QString shortForm() const;
    // The rule in a few words, for a list or a history.
    virtual QString summary() const;

    std::unique_ptr<Rule> clone() const;

protected:
    // Called after the values change: compiles what the values need and
    // gives what stops the rule from working, or an empty string. The
    // sentence comes from Rule::tr(): lupdate files a kind's own tr() under
    // the kind's class, a context the program never asks for.
    virtual QString prepare() { return QString(); }

private:
    void setChecked(const QString &key, const QVariant &value);
    QVariantMap m_values;
    QString m_problem;
};

#endif // RULE_H

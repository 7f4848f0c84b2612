#ifndef PRESETS_H
#define PRESETS_H

#include "rulestack.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Named rule stacks, one readable JSON file each ("NAME.json") in a folder of
// the user's settings, shared by the window and the command line. Used by one
// thread at a time.
class Presets
{
    Q_DECLARE_TR_FUNCTIONS(Presets)

public:
    // AppConfigLocation/presets; TAVRELO_PRESETS_DIR when set.
    static QString defaultDirectory();

    explicit Presets(const QString &directory = defaultDirectory());

    const QString &directory() const { return m_directory; }
    // The names of the presets, in natural order.
    QStringList names() const;
    QString pathOf(const QString &name) const;
    // A name that can be a preset's: a plain file name, not hidden.
    static bool isValidName(const QString &name);

    bool load(const QString &name, RuleStack *stack, QString *error) const;
    // Replaces a preset of that name.
    bool save(const QString &name, const RuleStack &stack, QString *error) const;
    bool remove(const QString &name, QString *error) const;

private:
    QString m_directory;
};

#endif // PRESETS_H

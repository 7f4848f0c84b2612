#include "presets.h"

#include "directorylisting.h"
#include "filenames.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QLatin1String presetSuffix(".json");

} // namespace

QString Presets::defaultDirectory()
{
    const QString chosen = qEnvironmentVariable("TAVRELO_PRESETS_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
           + QLatin1String("/presets");
}

Presets::Presets(const QString &directory) : m_directory(directory) {}

QStringList Presets::names() const
{
    QStringList names;
    const QStringList files =
        QDir(m_directory).entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        names.append(file.chopped(presetSuffix.size()));
    QStringList sorted;
    for (int i : naturalOrder(names))
        sorted.append(names[i]);
    return sorted;
}

QString Presets::pathOf(const QString &name) const
{
    return m_directory + QLatin1Char('/') + name + presetSuffix;
}

bool Presets::isValidName(const QString &name)
{
    return isPlainFileName(name) && !name.startsWith(QLatin1Char('.')) && name.trimmed() == name
           && !name.contains(QLatin1Char('\\'));
}

bool Presets::load(const QString &name, RuleStack *stack, QString *error) const
{
    QFile file(pathOf(name));
    if (!isValidName(name) || !file.exists()) {
        *error = tr("there is no preset \"%1\"").arg(name);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("the preset \"%1\" cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    QString fault;
    if (!RuleStack::fromJson(file.readAll(), stack, &fault)) {
        *error = tr("the preset \"%1\" is not a rule stack: %2").arg(name, fault);
        return false;
    }
    return true;
}

bool Presets::save(const QString &name, const RuleStack &stack, QString *error) const
{
    if (!isValidName(name)) {
        *error = tr("\"%1\" cannot be the name of a preset").arg(name);
        return false;
    }
    if (!QDir().mkpath(m_directory)) {
        *error = tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(m_directory));
        return false;
    }
    QSaveFile file(pathOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(stack.toJson()) < 0 || !file.commit()) {
        *error = tr("the preset \"%1\" cannot be saved: %2").arg(name, file.errorString());
        return false;
    }
    return true;
}

bool Presets::remove(const QString &name, QString *error) const
{
    QFile file(pathOf(name));
    if (!isValidName(name) || !file.remove()) {
        *error = tr("the preset \"%1\" cannot be deleted: %2").arg(name, file.errorString());
        return false;
    }
    return true;
}

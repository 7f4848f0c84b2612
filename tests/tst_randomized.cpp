#include "filenames.h"
#include "testvolume.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Random batches through the real tavrelo-cli, each made from one seed: a
// folder of files with hostile names, a random rename or replace, its dry run
// and its run compared with each other and with the disk, then undone. A few
// runs are killed in the middle and undone. TAVRELO_RANDOM_SEED=N replays the
// one case N on every row; TAVRELO_RANDOM_CASES=N sets the number of cases on
// the temporary folder (300; each volume gets an eighth of it, killed runs a
// hundredth there and one on each volume).

namespace {

// A child that takes longer has hung: it is killed and the case fails.
constexpr int childTimeout = 15000;
// A displaced file's set-aside name and its trash record add to its name, so
// longer names outside the request would not fit; they are put in it instead.
constexpr int longestDisplaced = 229;

// Everything below a folder by raw name bytes, so that a name spoilt on its
// way (a cut character, invalid UTF-8) shows as it is on disk: a file's path
// -> its content, a folder's path followed by "/" -> nothing.
using Tree = QMap<QByteArray, QByteArray>;

QByteArray readRaw(const QByteArray &path)
{
    QByteArray content;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return content;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, qsizetype(got));
    ::close(fd);
    return content;
}

void readTree(const QByteArray &folder, const QByteArray &prefix, Tree &tree)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat status;
        if (::lstat(path.constData(), &status) != 0)
            continue;
        if (S_ISDIR(status.st_mode)) {
            tree.insert(prefix + name + '/', QByteArray());
            readTree(path, prefix + name + '/', tree);
        } else {
            tree.insert(prefix + name, readRaw(path));
        }
    }
    ::closedir(dir);
}

// QDir cannot remove a name that is not UTF-8, so the case's folders go this way.
void removeTree(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat status;
        if (::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode))
            removeTree(path);
        else
            ::unlink(path.constData());
    }
    ::closedir(dir);
    ::rmdir(folder.constData());
}

bool isFolder(const QByteArray &path)
{
    return path.endsWith('/');
}

QByteArray lastPart(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// A name as a reader tells it apart: combining marks and control characters
// escaped (NFC and NFD twins look alike otherwise), invalid UTF-8 byte by byte.
QString shown(const QByteArray &name)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(name);
    QString out;
    if (decoder.hasError()) {
        for (const char c : name) {
            const uchar byte = uchar(c);
            out += byte >= 0x20 && byte < 0x7f ? QString(QChar(byte))
                                               : QString::asprintf("\\x%02x", unsigned(byte));
        }
    } else {
        for (const char32_t c : text.toUcs4()) {
            const QChar::Category category = QChar::category(c);
            if (c < 0x20 || category == QChar::Mark_NonSpacing
                || category == QChar::Mark_SpacingCombining || category == QChar::Mark_Enclosing)
                out += QString::asprintf("\\u%04x", unsigned(c));
            else
                out += QString::fromUcs4(&c, 1);
        }
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString quoted(QString word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./,=+-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    return QLatin1Char('\'') + word.replace(QLatin1Char('\''), QLatin1String("'\\''"))
           + QLatin1Char('\'');
}

struct Child
{
    QString commandLine;
    int exitCode = -1; // -1: it crashed, hung or was killed
    bool hung = false;
    QByteArray out;
    QByteArray err;

    QJsonDocument json() const { return QJsonDocument::fromJson(out); }
};

// One file of a report, its paths relative to the case's folder.
struct Change
{
    QByteArray oldPath;
    QByteArray newPath;
    QString status;
    QString reason;
};
using Changes = QMap<QByteArray, Change>; // by old path

struct Job
{
    enum Mode { Rename, Plain, Suffix, RegExp };
    Mode mode = Rename;
    QStringList options; // without --dry-run, --json and the paths
    QString text;        // rename: the text; replace: the text to find
    QString with;
    QStringList themed; // names the job turns into each other
    bool deleteIfExists = false;
    int files = 0; // in the case's folder, before twins and refused names
};

// Where the cases run: a folder on some volume, and the trash folders a
// replacing run may use there besides the home's.
struct Place
{
    QString name;
    QString root;
    QString mountPoint; // empty where the home's trash serves
    bool slow = false;  // too slow for thousands of files within a child's time
    // The volume's driver loses a file it is asked to rename to a name it
    // cannot hold: there the jobs bring in plain ASCII only.
    bool losesRefusedNames = false;
};

// What went wrong in a case, one kind at a time: the lines of each kind are
// gathered under it.
struct Problem
{
    QString kind;
    QStringList lines;

    QString text() const
    {
        const int most = 16;
        QStringList shownLines = lines.mid(0, most);
        if (lines.size() > most)
            shownLines << QStringLiteral("  ... %1 lines in all").arg(lines.size());
        if (shownLines.size() == 1 && !shownLines.constFirst().startsWith(QLatin1Char(' ')))
            return kind + QLatin1String(": ") + shownLines.constFirst();
        for (QString &line : shownLines) {
            if (!line.startsWith(QLatin1Char(' ')))
                line.prepend(QLatin1String("  "));
        }
        return kind + QLatin1String(":\n") + shownLines.join(QLatin1Char('\n'));
    }
};

const QStringList stems = {"a",
                           "b",
                           "A",
                           "ab",
                           "ba",
                           "IMG_0001",
                           "IMG_0107",
                           "Trip01",
                           "trip01",
                           "TRIP01",
                           "Trip1",
                           "photo-0107",
                           "\U0001F600",
                           "\U0001F480",
                           "\U0001F600\U0001F480",
                           "x\U0001F480",
                           "caf\u00e9",
                           "cafe\u0301",
                           "\u00c4rger",
                           "A\u0308rger",
                           "\u65e5\u672c\u8a9e",
                           "\u5199\u771f",
                           "x y",
                           "\u03a9\u03bc\u03ad\u03b3\u03b1",
                           "\u0130stanbul",
                           "stra\u00dfe",
                           "STRASSE"};
const QStringList suffixes = {".jpg", ".JPG", ".png",  ".txt",        ".tar.gz", "",
                              "",     ".a.b", ".JPEG", ".\U0001F600", ".jpg.jpg"};

class RandomCase
{
public:
    RandomCase(quint32 seed, const Place &place);
    ~RandomCase();
    RandomCase(const RandomCase &) = delete;
    RandomCase &operator=(const RandomCase &) = delete;

    // Steps 1 to 5: files, a job, its dry run, its run, the undo.
    void batch();
    // A large job killed at a random moment, then undone.
    void killedRun();

    quint32 seed() const { return m_seed; }
    int fileCount() const { return m_fileCount; }
    const QList<Problem> &problems() const { return m_problems; }
    // What the case's batch went through: a chain, a cycle, a displaced file...
    const QSet<QString> &reached() const { return m_reached; }
    QString story() const { return m_story.join(QLatin1Char('\n')); }

private:
    int number(int lowest, int highest) { return m_random.bounded(lowest, highest + 1); }
    bool chance(int percent) { return number(1, 100) <= percent; }
    QString pick(const QStringList &list) { return list.at(number(0, int(list.size()) - 1)); }

    QString hostileName();
    QString decorated(QString name);
    QString longName(const QString &stem, const QString &suffix);
    Job chooseJob();
    void makeCase(Job &job);
    void makeFiles(const QByteArray &relativeFolder, const QList<QByteArray> &names);
    void chooseRequest(const Job &job);
    QStringList extensionOptions();

    Child runCli(const QStringList &arguments);
    QProcessEnvironment environment() const;
    QString commandLine(const QStringList &arguments) const;
    Tree tree() const;
    Tree trash() const;
    Changes changesOf(const Child &child, const QString &what);
    QByteArray relative(const QString &path);
    QString label(const QByteArray &content) const;
    QString difference(const Tree &expected, const Tree &found) const;
    void problem(const QString &kind, const QString &detail);

    void noteReached(const Changes &planned, const Changes &done);
    void compareWithDryRun(const Changes &planned, const Changes &done);
    void checkRun(const Tree &trashBefore, const Changes &done);
    void checkNames(const Job &job, const Changes &done);
    void undoAndCheck(const Tree &trashBefore, bool renamed);
    void listFiles();

    const quint32 m_seed;
    const Place m_place;
    QRandomGenerator m_random;
    QTemporaryDir m_home;
    QTemporaryDir m_dir;
    QString m_folder; // canonical
    QByteArray m_folderBytes;
    QByteArray m_sub; // the subfolder, when there is one
    QStringList m_paths;
    Tree m_before;
    int m_fileCount = 0;
    // Numbers each content once, even past files taken away again.
    int m_contentCount = 0;
    QStringList m_story;
    QList<Problem> m_problems;
    QSet<QString> m_reached;
};

RandomCase::RandomCase(quint32 seed, const Place &place)
    : m_seed(seed), m_place(place), m_random(seed),
      m_dir(place.root + QStringLiteral("/case-%1-XXXXXX").arg(seed))
{
    m_folder = QFileInfo(m_dir.path()).canonicalFilePath();
    m_folderBytes = QFile::encodeName(m_folder);
    QDir().mkpath(m_home.filePath(QStringLiteral("data")));
    m_story << QStringLiteral("case %1 on %2, in %3").arg(seed).arg(place.name, m_folder);
}

void RandomCase::problem(const QString &kind, const QString &detail)
{
    const QStringList lines = detail.split(QLatin1Char('\n'));
    for (Problem &known : m_problems) {
        if (known.kind == kind) {
            known.lines << lines;
            return;
        }
    }
    m_problems.append({kind, lines});
}

RandomCase::~RandomCase()
{
    removeTree(m_folderBytes);
    removeTree(QFile::encodeName(m_home.path()));
}

QString RandomCase::decorated(QString name)
{
    if (chance(6))
        name.prepend(QLatin1Char(' '));
    if (chance(6))
        name.append(QLatin1Char(' '));
    if (chance(6))
        name.append(QLatin1Char('.'));
    if (chance(4))
        name.append(QLatin1String(".."));
    // Hidden: outside the request of the folder that holds it.
    if (chance(6))
        name.prepend(QLatin1Char('.'));
    return name;
}

QString RandomCase::longName(const QString &stem, const QString &suffix)
{
    const QString filler = pick({"x", "\u00e9", "\u65e5", "\U0001F600", "\U0001F480"});
    const int length = number(240, 255);
    QString name = stem;
    while ((name + filler + suffix).toUtf8().size() <= length)
        name += filler;
    while ((name + suffix).toUtf8().size() < length)
        name += QLatin1Char('x');
    return name + suffix;
}

QString RandomCase::hostileName()
{
    QString stem = pick(stems);
    if (chance(20))
        stem += pick(stems);
    const QString suffix = pick(suffixes);
    if (chance(10))
        return longName(stem, suffix);
    return decorated(stem + suffix);
}

Job RandomCase::chooseJob()
{
    Job job;
    job.files = number(4, 24);
    const int width = int(QString::number(job.files).size());
    const int roll = number(0, 9);
    // The names of a job mostly share one suffix, so that they take each
    // other's names.
    const QStringList endings = {".jpg", ".JPG", ".png", "", ".txt"};
    const QString ending = pick(endings);
    const auto anEnding = [&] { return chance(75) ? ending : pick(endings); };

    if (roll < 3) {
        job.mode = Job::Rename;
        job.text = chance(4) ? pick({"a/b", "a:b"})
                             : pick({"Trip", "Trip", "photo-0", "IMG_", "", "\U0001F600", "\u00e9",
                                     "e\u0301", "\u65e5\u672c", " ", ".", "Trip."});
        job.options = QStringList{"rename", "--text", job.text};
        const bool numberFirst = chance(25);
        if (chance(50))
            job.options << "--format" << pick({"name", "append", "prepend"});
        if (numberFirst)
            job.options << "--reverse-format";
        if (chance(75))
            job.options << "--order" << pick({"date", "size", "name"});
        if (chance(30))
            job.options << "--reverse-order";
        // What the program itself would call them: the whole series, which a
        // reversed order turns round, or a few of any width.
        if (chance(70)) {
            for (int k = 1; k <= job.files; ++k)
                job.themed << (numberFirst ? QStringLiteral("%1%2") : QStringLiteral("%2%1"))
                                      .arg(k, width, 10, QLatin1Char('0'))
                                      .arg(job.text)
                                  + ending;
        }
        for (int k = job.themed.isEmpty() ? number(3, 10) : 0; k > 0; --k) {
            // Mostly as wide as the folder's own numbers, so that names go round.
            const QString n =
                QStringLiteral("%1").arg(number(1, qMin(job.files, 12)),
                                         chance(60) ? width : number(1, 3), 10, QLatin1Char('0'));
            QString base = numberFirst ? n + job.text : job.text + n;
            if (chance(15))
                base = base.toLower();
            if (chance(15))
                base += QLatin1Char('-') + pick(stems);
            job.themed << base + anEnding();
        }
    } else if (roll < 6) {
        job.mode = Job::Plain;
        job.text = pick({"a", "Trip", "IMG", "0", "\U0001F600", "\U0001F480", "\u00e9", "e\u0301",
                         "\u65e5", " ", "x", "photo-"});
        job.with = chance(4) ? pick({"/", "."})
                             : pick({"", "b", "Trip", "photo-", "\U0001F600", job.text.toUpper(),
                                     job.text.toLower(), job.text.toUpper(), job.text + job.text,
                                     "\u00e9", " ", "-"});
        job.options = QStringList{"replace", "--find", job.text, "--with", job.with};
        for (int k = number(3, 8); k > 0; --k) {
            const QString base = pick({"", "x", "IMG_", "1", job.text}) + job.text
                                 + pick({"", "1", "b", job.text, "\U0001F600"});
            const QString suffix = anEnding();
            job.themed << base + suffix;
            // A file that holds the new name of another.
            if (chance(60))
                job.themed << base.split(job.text).join(job.with) + suffix;
        }
        job.themed << job.text << job.text + job.text + ending << "x." + job.text;
    } else if (roll < 7) {
        job.mode = Job::Suffix;
        job.text = pick({"jpg", "JPG", "gz", "txt", "\U0001F600", "e", "jp"});
        job.with = pick({"jpeg", "JPG", "jpg", "", "png", "tar.gz", "\U0001F600", "jpg.jpg"});
        job.options = QStringList{"replace", "--find", job.text, "--with", job.with, "--suffix"};
        for (int k = number(3, 8); k > 0; --k) {
            const QString stem = pick({"a", "b", "IMG_0001", "\U0001F600", "cafe\u0301"});
            job.themed << stem + "." + job.text;
            if (chance(60))
                job.themed << stem + (job.with.isEmpty() ? QString() : "." + job.with);
            if (chance(30))
                job.themed << stem + ".tar." + job.text << stem + "." + job.text + job.text;
        }
    } else {
        job.mode = Job::RegExp;
        struct Pattern
        {
            const char *find;
            const char *with;
            QStringList themed;
        };
        const QList<Pattern> patterns = {
            {"(.)(.)",
             "\\2\\1",
             {"ab", "ba", "xy", "yx", "aa", "\u00e9e", "e\u00e9", "\U0001F600"}},
            {"(.)(.*)", "\\2\\1", {"abc", "bca", "cab", "ab", "ba", "x\U0001F480", "\U0001F480x"}},
            {"IMG_(\\d+)", "photo-\\1", {"IMG_0107", "photo-0107", "IMG_0001", "photo-0001"}},
            {"photo-0*(\\d+)", "Trip\\1", {"photo-0107", "Trip107", "photo-1", "Trip1"}},
            {"Trip(\\d+)", "Trip0\\1", {"Trip1", "Trip01", "Trip001", "Trip2", "Trip02"}},
            {"(.*)", "\\1x", {"a", "ax", "axx"}},
            {"(.*)x", "\\1", {"ax", "a", "axx", "x"}},
            {".*", "same", {"a", "b", "c"}},
            {"(\\w+)", "\\1", {"a", "Trip1"}},
            {"[a-z]+", "Trip", {"a", "b", "Trip"}},
            {".(.*)", "\\1", {"xa", "a", "\U0001F600a", "\U0001F480"}},
            {"(\\d+)", "0\\1", {"1", "01", "001"}},
            {"a(", "b", {"a"}},
        };
        const Pattern &pattern = patterns.at(number(0, int(patterns.size()) - 1));
        job.text = QString::fromUtf8(pattern.find);
        job.with = QString::fromUtf8(pattern.with);
        job.options = QStringList{"replace", "--regexp", "--find", job.text, "--with", job.with};
        for (const QString &name : pattern.themed)
            job.themed << name + ending;
    }
    if (job.mode != Job::Rename && chance(40)) {
        job.deleteIfExists = true;
        job.options << "--delete-if-exists";
    }
    return job;
}

// Creates the files in the folder; a name the volume refuses or keeps
// otherwise than given (a case twin where case is ignored, a stripped dot) is
// left out.
void RandomCase::makeFiles(const QByteArray &relativeFolder, const QList<QByteArray> &names)
{
    const QByteArray folder =
        relativeFolder.isEmpty() ? m_folderBytes : m_folderBytes + '/' + relativeFolder;
    const time_t day = 24 * 3600;
    const time_t start = 1704096000; // 2024-01-01
    QSet<QByteArray> made;
    for (const QByteArray &name : names) {
        const QByteArray content = "file-" + QByteArray::number(m_seed) + '-'
                                   + QByteArray::number(++m_contentCount) + '\n'
                                   + QByteArray(number(0, 40), '.');
        // Few distinct dates, so that ordering by date meets ties.
        struct timespec times[2] = {{0, UTIME_OMIT}, {start + number(0, 4) * day, 0}};
        const int fd = ::open((folder + '/' + name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        if (::write(fd, content.constData(), size_t(content.size())) != content.size())
            qFatal("cannot write in %s", folder.constData());
        ::futimens(fd, times);
        ::close(fd);
        made.insert(name);
        ++m_fileCount;
    }
    Tree listing;
    readTree(folder, QByteArray(), listing);
    for (auto it = listing.cbegin(); it != listing.cend(); ++it) {
        if (!isFolder(it.key()) && !it.key().contains('/') && !made.contains(it.key())
            && ::unlink((folder + '/' + it.key()).constData()) == 0)
            --m_fileCount;
    }
}

QStringList RandomCase::extensionOptions()
{
    QStringList found;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        const QString name = QFile::decodeName(lastPart(it.key()));
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString suffix = dot < 0 ? QString() : name.mid(dot + 1);
        if (!isFolder(it.key()) && !found.contains(suffix))
            found << suffix;
    }
    QStringList options;
    for (int k = number(1, 2); k > 0 && !found.isEmpty(); --k) {
        QStringList chosen;
        for (int n = number(1, 2); n > 0; --n)
            chosen << (chance(20) ? "." : "") + pick(found);
        options << "--ext" << chosen.join(QLatin1Char(','));
    }
    return options;
}

void RandomCase::makeCase(Job &job)
{
    QList<QByteArray> top;
    QList<QByteArray> inSub;
    // Some folders hold the job's own names alone, so that all of them go round.
    if (chance(35)) {
        for (const QString &name : std::as_const(job.themed))
            top << name.toUtf8();
    }
    for (int n = top.isEmpty() ? job.files : 0; n > 0; --n) {
        const QString name = chance(60) && !job.themed.isEmpty() ? pick(job.themed) : hostileName();
        top << (chance(15) ? decorated(name) : name).toUtf8();
        // Case twins and NFC/NFD twins, where the volume keeps them apart.
        if (chance(8))
            top << QString::fromUtf8(top.constLast()).toUpper().toUtf8();
        if (chance(5))
            top << QString::fromUtf8(top.constLast())
                       .normalized(chance(50) ? QString::NormalizationForm_D
                                              : QString::NormalizationForm_C)
                       .toUtf8();
    }
    // Names that are not UTF-8, from a time of other encodings.
    if (chance(7)) {
        const QList<QByteArray> latin = {"caf\xe9.jpg", "bad\xff\xfe",
                                         "Trip\x80"
                                         "1.jpg"};
        top << latin.at(number(0, int(latin.size()) - 1));
    }

    if (chance(40)) {
        // A folder may hold a name a file wants: it is never replaced.
        const QByteArray sub =
            (chance(50) && !job.themed.isEmpty() ? pick(job.themed) : QStringLiteral("sub"))
                .toUtf8();
        if (::mkdir((m_folderBytes + '/' + sub).constData(), 0755) == 0) {
            Tree listing;
            readTree(m_folderBytes, QByteArray(), listing);
            if (listing.contains(sub + '/'))
                m_sub = sub;
            else
                ::rmdir((m_folderBytes + '/' + sub).constData());
        }
        if (!m_sub.isEmpty()) {
            for (int n = number(2, 8); n > 0; --n)
                inSub << (chance(60) && !job.themed.isEmpty() ? pick(job.themed) : hostileName())
                             .toUtf8();
        }
    }
    makeFiles(QByteArray(), top);
    if (!m_sub.isEmpty())
        makeFiles(m_sub, inSub);
    m_before = tree();
    if (job.mode == Job::Rename && chance(30))
        job.options << extensionOptions();
    chooseRequest(job);
    listFiles();
}

void RandomCase::chooseRequest(const Job &job)
{
    bool folderGiven = false;
    bool subGiven = false;
    QSet<QByteArray> given;
    // Displacing needs files outside the request: mostly given one by one then.
    const int roll = job.deleteIfExists && chance(60) ? 9 : number(0, 9);
    if (roll < 7) {
        folderGiven = true;
        QString folder = m_folder;
        // The same folder as other paths name it.
        if (chance(15))
            folder += QLatin1Char('/');
        else if (!m_sub.isEmpty() && chance(15))
            folder += QLatin1Char('/') + QFile::decodeName(m_sub) + QLatin1String("/..");
        m_paths << folder;
        if (!m_sub.isEmpty() && chance(40)) {
            subGiven = true;
            m_paths << m_folder + QLatin1Char('/') + QFile::decodeName(m_sub);
        }
    }
    if (roll >= 5) {
        QStringList files;
        for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
            // A name that is not UTF-8 cannot be given on a command line.
            const QString name = QFile::decodeName(it.key());
            if (!isFolder(it.key()) && QFile::encodeName(name) == it.key() && chance(50)) {
                files << m_folder + QLatin1Char('/') + name;
                given.insert(it.key());
            }
        }
        std::shuffle(files.begin(), files.end(), m_random);
        m_paths << files;
    }
    if (m_paths.isEmpty()) {
        folderGiven = true;
        m_paths << m_folder;
    }
    if (!job.deleteIfExists)
        return;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        const QByteArray name = lastPart(it.key());
        const bool inSub = it.key().contains('/');
        const bool listed =
            !name.startsWith('.') && (inSub ? subGiven && !isFolder(it.key()) : folderGiven);
        if (!isFolder(it.key()) && name.size() > longestDisplaced && !listed
            && !given.contains(it.key()))
            m_paths << m_folder + QLatin1Char('/') + QFile::decodeName(it.key());
    }
}

void RandomCase::listFiles()
{
    m_story << QStringLiteral("files before:");
    int shownFiles = 0;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        if (++shownFiles > 40) {
            m_story << QStringLiteral("  ... %1 in all").arg(m_before.size());
            break;
        }
        m_story << QStringLiteral("  %1 %2").arg(
            isFolder(it.key()) ? "(folder)" : label(it.value()), shown(it.key()));
    }
}

QProcessEnvironment RandomCase::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"TAVRELO_JOURNAL_DIR", "TAVRELO_CLI_PROGRESS", "XDG_DATA_HOME"})
        environment.remove(QString::fromLatin1(name));
    // A journal and a trash of the case's own.
    environment.insert("HOME", m_home.path());
    environment.insert("XDG_DATA_HOME", m_home.filePath("data"));
    environment.insert("LC_ALL", "C.UTF-8");
    return environment;
}

QString RandomCase::commandLine(const QStringList &arguments) const
{
    QStringList words{QStringLiteral("tavrelo-cli")};
    for (const QString &argument : arguments) {
        if (argument == m_folder)
            words << QStringLiteral("\"$D\"");
        else if (argument.startsWith(m_folder))
            words << QLatin1String("\"$D\"") + quoted(argument.mid(m_folder.size()));
        else
            words << quoted(argument);
    }
    return words.join(QLatin1Char(' '));
}

Child RandomCase::runCli(const QStringList &arguments)
{
    Child child;
    child.commandLine = commandLine(arguments);
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(m_home.path());
    process.start(TAVRELO_CLI, arguments);
    if (!process.waitForStarted(childTimeout)) {
        problem("did not start", child.commandLine + QStringLiteral(": ") + process.errorString());
        child.hung = true;
        return child;
    }
    if (!process.waitForFinished(childTimeout)) {
        process.kill();
        process.waitForFinished();
        child.hung = true;
        problem("hung", QStringLiteral("%1 did not end within %2 s and was killed")
                            .arg(child.commandLine)
                            .arg(childTimeout / 1000));
    }
    child.out = process.readAllStandardOutput();
    child.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit && !child.hung)
        child.exitCode = process.exitCode();
    else if (!child.hung)
        problem("crashed",
                child.commandLine + QStringLiteral(" crashed: ") + process.errorString());
    m_story << QStringLiteral("$ D=%1; %2    # exit %3")
                   .arg(quoted(m_folder), child.commandLine)
                   .arg(child.exitCode);
    const QList<QByteArray> errors = child.err.trimmed().split('\n');
    for (qsizetype i = 0; i < errors.size() && i < 4 && !errors[i].isEmpty(); ++i)
        m_story << QLatin1String("    ") + QString::fromUtf8(errors[i]);
    return child;
}

Tree RandomCase::tree() const
{
    Tree tree;
    readTree(m_folderBytes, QByteArray(), tree);
    return tree;
}

Tree RandomCase::trash() const
{
    QStringList folders{m_home.filePath("data/Trash/files")};
    if (!m_place.mountPoint.isEmpty()) {
        const QString uid = QString::number(::getuid());
        folders << m_place.mountPoint + "/.Trash-" + uid + "/files"
                << m_place.mountPoint + "/.Trash/" + uid + "/files";
    }
    Tree tree;
    for (const QString &folder : std::as_const(folders)) {
        const QByteArray bytes = QFile::encodeName(folder);
        readTree(bytes, bytes + '/', tree);
    }
    return tree;
}

QString RandomCase::label(const QByteArray &content) const
{
    const QByteArray prefix = "file-" + QByteArray::number(m_seed) + '-';
    if (content.isEmpty())
        return QStringLiteral("(nothing)");
    if (!content.startsWith(prefix))
        return QStringLiteral("?%1").arg(QString::fromUtf8(content.left(20).toPercentEncoding()));
    return QLatin1Char('#')
           + QString::fromLatin1(content.mid(prefix.size(), content.indexOf('\n') - prefix.size()));
}

QString RandomCase::difference(const Tree &expected, const Tree &found) const
{
    QStringList lines;
    QSet<QByteArray> paths;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        paths.insert(it.key());
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        paths.insert(it.key());
    QList<QByteArray> sorted(paths.cbegin(), paths.cend());
    std::sort(sorted.begin(), sorted.end());
    for (const QByteArray &path : std::as_const(sorted)) {
        const bool wanted = expected.contains(path);
        const bool there = found.contains(path);
        if (wanted && !there)
            lines << QStringLiteral("  missing %1 %2").arg(label(expected[path]), shown(path));
        else if (!wanted && there)
            lines << QStringLiteral("  extra   %1 %2").arg(label(found[path]), shown(path));
        else if (expected[path] != found[path])
            lines << QStringLiteral("  %1 instead of %2 at %3")
                         .arg(label(found[path]), label(expected[path]), shown(path));
    }
    return lines.join(QLatin1Char('\n'));
}

QByteArray RandomCase::relative(const QString &path)
{
    if (!path.startsWith(m_folder + QLatin1Char('/'))) {
        problem("report", QStringLiteral("a path outside the case's folder: %1").arg(path));
        return nameToBytes(path);
    }
    // The report names a stray byte of a name as a lone surrogate.
    return nameToBytes(path.mid(m_folder.size() + 1));
}

Changes RandomCase::changesOf(const Child &child, const QString &what)
{
    Changes changes;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(child.out, &error);
    if (error.error != QJsonParseError::NoError) {
        problem(
            "report",
            QStringLiteral("the %1 printed no JSON document: %2").arg(what, error.errorString()));
        return changes;
    }
    for (const QJsonValue value : document["changes"].toArray()) {
        Change change;
        change.oldPath = relative(value["old"].toString());
        change.newPath = relative(value["new"].toString());
        change.status = value["status"].toString();
        change.reason = value["reason"].toString();
        if (changes.contains(change.oldPath))
            problem("report",
                    QStringLiteral("the %1 tells of %2 twice").arg(what, shown(change.oldPath)));
        if (!m_before.contains(change.oldPath))
            problem("report names a file that is not there",
                    QStringLiteral("the %1 tells of %2 (%3)")
                        .arg(what, shown(change.oldPath), change.status));
        changes.insert(change.oldPath, change);
    }
    return changes;
}

void RandomCase::batch()
{
    if (!m_dir.isValid())
        return problem("set-up", "no folder for the case: " + m_dir.errorString());
    static const QRegularExpression plainAscii(QStringLiteral("^([A-Za-z0-9_ -]|\\\\\\d)*$"));
    Job job = chooseJob();
    while (m_place.losesRefusedNames
           && !(plainAscii.match(job.with).hasMatch()
                && (job.mode == Job::RegExp || plainAscii.match(job.text).hasMatch())))
        job = chooseJob();
    makeCase(job);
    const Tree trashBefore = trash();
    const QStringList dryArguments = job.options + QStringList{"--dry-run", "--json"} + m_paths;
    const Child dry = runCli(dryArguments);
    if (dry.exitCode < 0)
        return;
    if (tree() != m_before)
        problem("dry run touched files", difference(m_before, tree()));
    const Child real = runCli(job.options + QStringList{"--json"} + m_paths);
    if (real.exitCode < 0)
        return;
    if (dry.exitCode == 2 || real.exitCode == 2) {
        // Bad input is refused by both before anything is touched.
        if (dry.exitCode != real.exitCode)
            problem("exit status", QStringLiteral("the dry run ended with %1, the run with %2")
                                       .arg(dry.exitCode)
                                       .arg(real.exitCode));
        if (tree() != m_before)
            problem("refused run touched files", difference(m_before, tree()));
        return;
    }

    const Changes planned = changesOf(dry, "dry run");
    const Changes done = changesOf(real, "run");
    const auto count = [](const Changes &changes, const char *status) {
        return std::count_if(changes.cbegin(), changes.cend(), [status](const Change &c) {
            return c.status == QLatin1String(status);
        });
    };
    if (dry.exitCode != (count(planned, "conflict") > 0 ? 1 : 0))
        problem("exit status", QStringLiteral("the dry run ended with %1 and tells of %2 conflicts")
                                   .arg(dry.exitCode)
                                   .arg(count(planned, "conflict")));
    if (real.exitCode != (count(done, "failed") > 0 ? 1 : 0))
        problem("exit status", QStringLiteral("the run ended with %1 and tells of %2 failures")
                                   .arg(real.exitCode)
                                   .arg(count(done, "failed")));
    noteReached(planned, done);
    compareWithDryRun(planned, done);
    checkRun(trashBefore, done);
    checkNames(job, planned);
    undoAndCheck(trashBefore, real.json()["summary"]["renamed"].toInt() > 0);
}

void RandomCase::noteReached(const Changes &planned, const Changes &done)
{
    for (const Change &change : planned) {
        if (change.status == QLatin1String("conflict"))
            m_reached.insert("conflict");
        if (change.status != QLatin1String("planned"))
            continue;
        if (QString::fromUtf8(change.oldPath)
                .compare(QString::fromUtf8(change.newPath), Qt::CaseInsensitive)
            == 0)
            m_reached.insert("case only");
        // Follow the names: back at the start is a cycle, another file's old
        // name a chain.
        QByteArray next = change.newPath;
        for (int steps = 0; steps < planned.size(); ++steps) {
            const auto holder = planned.constFind(next);
            if (holder == planned.cend() || holder->status != QLatin1String("planned"))
                break;
            m_reached.insert(holder->oldPath == change.oldPath ? "cycle" : "chain");
            if (holder->oldPath == change.oldPath)
                break;
            next = holder->newPath;
        }
    }
    for (const Change &change : done) {
        if (change.reason.startsWith(QLatin1String("the file it replaced")))
            m_reached.insert("displaced");
        if (change.status == QLatin1String("failed"))
            m_reached.insert("failed");
    }
}

void RandomCase::compareWithDryRun(const Changes &planned, const Changes &done)
{
    // What a dry run promises for a file is what the run does with it.
    const QHash<QString, QString> promise = {
        {"planned", "renamed"}, {"conflict", "failed"}, {"unchanged", "unchanged"}};
    QSet<QByteArray> files;
    for (auto it = planned.cbegin(); it != planned.cend(); ++it)
        files.insert(it.key());
    for (auto it = done.cbegin(); it != done.cend(); ++it)
        files.insert(it.key());
    QStringList lines;
    for (const QByteArray &file : std::as_const(files)) {
        const Change dry = planned.value(file);
        const Change real = done.value(file);
        if (!planned.contains(file) || !done.contains(file)) {
            lines << QStringLiteral("  %1 is told only by the %2")
                         .arg(shown(file), planned.contains(file) ? QStringLiteral("dry run")
                                                                  : QStringLiteral("run"));
            continue;
        }
        if (promise.value(dry.status) == real.status
            && (real.status != QLatin1String("renamed") || real.newPath == dry.newPath))
            continue;
        lines << QStringLiteral("  %1: dry run %2 %3%4, run %5 %6%7")
                     .arg(shown(file), dry.status, shown(dry.newPath),
                          dry.reason.isEmpty() ? QString() : " (" + dry.reason + ")", real.status,
                          shown(real.newPath),
                          real.reason.isEmpty() ? QString() : " (" + real.reason + ")");
    }
    if (!lines.isEmpty())
        problem("dry run and run differ", lines.join(QLatin1Char('\n')));
}

void RandomCase::checkRun(const Tree &trashBefore, const Changes &done)
{
    // The folder as the report tells it: the request's files where it says,
    // the others where they were, the displaced ones in the trash.
    Tree expected = m_before;
    QMap<QByteArray, QByteArray> trashed; // absolute path -> content
    for (const Change &change : done)
        expected.remove(change.oldPath);
    const QString inTrash = QStringLiteral("the file it replaced is in the trash: ");
    for (const Change &change : done) {
        if (change.status != QLatin1String("renamed")
            || !change.reason.startsWith(QLatin1String("the file it replaced")))
            continue;
        // On a volume that ignores case, the file in the way may spell the
        // name otherwise.
        QByteArray held = change.newPath;
        if (!m_before.contains(held)) {
            for (auto it = m_before.cbegin(); it != m_before.cend(); ++it)
                if (QString::fromUtf8(it.key()).compare(QString::fromUtf8(held),
                                                        Qt::CaseInsensitive)
                    == 0)
                    held = it.key();
        }
        if (done.contains(held) || !m_before.contains(held)) {
            problem("report", QStringLiteral("%1 is said to replace a file outside the request at "
                                             "%2, but there was none")
                                  .arg(shown(change.oldPath), shown(change.newPath)));
            continue;
        }
        expected.remove(held);
        if (change.reason.startsWith(inTrash))
            trashed.insert(QFile::encodeName(change.reason.mid(inTrash.size())),
                           m_before.value(held));
        else
            problem("displaced file deleted", shown(change.newPath) + ": " + change.reason);
    }
    for (const Change &change : done) {
        const bool moved =
            change.status == QLatin1String("renamed") || change.status == QLatin1String("failed");
        const QByteArray at = moved ? change.newPath : change.oldPath;
        if (expected.contains(at))
            problem("report", QStringLiteral("the run puts two files at %1").arg(shown(at)));
        expected.insert(at, m_before.value(change.oldPath));
    }
    const Tree after = tree();
    if (after != expected)
        problem("disk differs from the run's report", difference(expected, after));

    // Counted again without the report: each content once, in the folder or
    // where the report put a displaced file.
    const Tree trashNow = trash();
    QHash<QByteArray, QStringList> places;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!isFolder(it.key()))
            places[it.value()] << shown(it.key());
    }
    for (auto it = trashNow.cbegin(); it != trashNow.cend(); ++it) {
        if (isFolder(it.key()) || trashBefore.contains(it.key()))
            continue;
        places[it.value()] << QStringLiteral("trash ") + shown(it.key());
        if (trashed.value(it.key()) != it.value())
            problem("trash", QStringLiteral("%1 in %2, which the report does not put there")
                                 .arg(label(it.value()), shown(it.key())));
    }
    for (auto it = trashed.cbegin(); it != trashed.cend(); ++it) {
        if (trashNow.value(it.key()) != it.value())
            problem("trash", QStringLiteral("the report puts %1 in %2, which does not hold it")
                                 .arg(label(it.value()), shown(it.key())));
    }
    QSet<QByteArray> contents;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        if (isFolder(it.key()))
            continue;
        contents.insert(it.value());
        const QStringList where = places.value(it.value());
        if (where.isEmpty())
            problem(
                "content lost",
                QStringLiteral("%1, once %2, is nowhere").arg(label(it.value()), shown(it.key())));
        else if (where.size() > 1)
            problem("content doubled",
                    QStringLiteral("%1 is at %2")
                        .arg(label(it.value()), where.join(QLatin1String(", "))));
    }
    static const QRegularExpression setAside(QStringLiteral("\\.bak\\d*$"));
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const QByteArray name = lastPart(it.key());
        if (isFolder(it.key()) || m_before.contains(it.key()))
            continue;
        if (!contents.contains(it.value()))
            problem("unknown file", shown(it.key()));
        if (name.startsWith(".tavrelo-") || setAside.match(QFile::decodeName(name)).hasMatch())
            problem("left under a temporary name",
                    QStringLiteral("%1 at %2").arg(label(it.value()), shown(it.key())));
    }
}

void RandomCase::checkNames(const Job &job, const Changes &planned)
{
    // The manual's rules for a new name, restated in other words, for every
    // file the dry run reaches.
    for (const Change &change : planned) {
        const QString oldName = QFile::decodeName(lastPart(change.oldPath));
        const QString newName =
            QFile::decodeName(change.newPath.mid(change.oldPath.lastIndexOf('/') + 1));
        if (QFile::encodeName(oldName) != lastPart(change.oldPath)
            || (job.mode == Job::Rename && change.status == QLatin1String("unchanged")))
            continue;
        const qsizetype firstDot = oldName.indexOf(QLatin1Char('.'));
        const qsizetype lastDot = oldName.lastIndexOf(QLatin1Char('.'));
        const QString base = firstDot < 0 ? oldName : oldName.left(firstDot);
        const QString rest = firstDot < 0 ? QString() : oldName.mid(firstDot);
        QString wanted;
        switch (job.mode) {
        case Job::Rename:
            // It keeps its suffix and bears the text.
            if (!newName.endsWith(lastDot < 0 ? QString() : oldName.mid(lastDot))
                || !newName.contains(job.text))
                problem("new name", QStringLiteral("%1 is to become %2, which does not end as it "
                                                   "does or does not hold the text")
                                        .arg(shown(change.oldPath), shown(newName.toUtf8())));
            continue;
        case Job::Plain:
            wanted = base.split(job.text).join(job.with) + rest;
            break;
        case Job::Suffix: {
            const QString suffix = lastDot < 0 ? QString() : oldName.mid(lastDot + 1);
            const QString replaced = suffix.split(job.text).join(job.with);
            wanted =
                lastDot < 0 || !suffix.contains(job.text)
                    ? oldName
                    : oldName.left(lastDot) + (replaced.isEmpty() ? QString() : "." + replaced);
            break;
        }
        case Job::RegExp:
            // The pattern syntax and its matching of every occurrence are
            // the regular-expression tests' business.
            continue;
        }
        if (newName != wanted)
            problem("new name", QStringLiteral("%1 is to become %2, not %3")
                                    .arg(shown(change.oldPath), shown(newName.toUtf8()),
                                         shown(wanted.toUtf8())));
    }
}

void RandomCase::undoAndCheck(const Tree &trashBefore, bool renamed)
{
    const Child undo = runCli({"undo", "--json"});
    if (undo.exitCode < 0)
        return;
    // A run that renamed nothing left no batch: nothing to undo says 1.
    const bool nothingToUndo = undo.exitCode == 1 && undo.json()["summary"]["undoes"].isNull();
    if (undo.exitCode != 0 && !(nothingToUndo && !renamed))
        problem("undo", QStringLiteral("it ended with %1: %2")
                            .arg(undo.exitCode)
                            .arg(QString::fromUtf8(undo.err.trimmed())));
    if (renamed && undo.json()["summary"]["undoes"].isNull())
        problem("undo", QStringLiteral("it found nothing to undo after a run that renamed files"));
    const Tree after = tree();
    if (after != m_before)
        problem("undo did not restore the folder", difference(m_before, after));
    const Tree trashNow = trash();
    for (auto it = trashNow.cbegin(); it != trashNow.cend(); ++it) {
        if (!isFolder(it.key()) && !trashBefore.contains(it.key()))
            problem("undo left a file in the trash",
                    QStringLiteral("%1 at %2").arg(label(it.value()), shown(it.key())));
    }
}

void RandomCase::killedRun()
{
    if (!m_dir.isValid())
        return problem("set-up", "no folder for the case: " + m_dir.errorString());
    const int count = m_place.slow ? number(150, 250) : number(1000, 5000);
    const int width = int(QString::number(count).size());
    const auto numbered = [width](const char *text, int n, const char *suffix) {
        return text + QByteArray::number(n).rightJustified(width, '0') + suffix;
    };
    QList<QByteArray> names;
    QStringList options;
    bool individually = false;
    switch (number(0, 3)) {
    case 0: // pairs that swap their names through temporary ones
        for (int n = 1; n <= count; ++n)
            names << numbered("f", n, ".jpg");
        options = QStringList{"rename", "--text", "f", "--order", "name", "--reverse-order"};
        break;
    case 1: // chains: each new name is the old one of the file renamed next
        for (int n = 1; n <= count; ++n)
            names << numbered(n % 3 ? "Trip" : "IMG_", n, ".jpg");
        options = QStringList{"rename", "--text", "Trip", "--order", "name"};
        break;
    case 2: // the first two letters swapped
        for (int n = 1; n <= count / 2; ++n)
            names << numbered("ab", n, ".txt") << numbered("ba", n, ".txt");
        options = QStringList{"replace", "--regexp", "--find", "(.)(.)(.*)", "--with", "\\2\\1\\3"};
        break;
    default: // files outside the request displaced into the trash
        for (int n = 1; n <= count * 4 / 5; ++n) {
            names << numbered("f", n, ".jpg");
            if (n % 4 == 0)
                names << numbered("g", n, ".jpg");
        }
        options = QStringList{"replace", "--find", "f", "--with", "g", "--delete-if-exists"};
        individually = true;
        break;
    }
    // Names of one UTF-16 unit a character: a pattern cuts no character of theirs.
    for (int n = count / 100; n > 0; --n)
        names << (pick({"caf\u00e9", "cafe\u0301", "\u65e5\u672c\u8a9e", "x y", "\u0130stanbul"})
                  + pick({".jpg", ".txt"}))
                     .toUtf8();
    makeFiles(QByteArray(), names);
    m_before = tree();
    listFiles();
    if (individually) {
        for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
            if (it.key().startsWith('f'))
                m_paths << m_folder + QLatin1Char('/') + QFile::decodeName(it.key());
        }
    } else {
        m_paths << m_folder;
    }
    const Tree trashBefore = trash();

    QProcess process;
    QProcessEnvironment environment = this->environment();
    environment.insert("TAVRELO_CLI_PROGRESS", "1");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_home.path());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    // Killed either a while after it started, or a while after its first
    // progress report, when it is surely among the renames.
    const bool afterProgress = chance(50);
    const int delay = afterProgress ? number(0, 60) : number(0, 250);
    QElapsedTimer clock;
    clock.start();
    process.start(TAVRELO_CLI, options + m_paths);
    if (afterProgress)
        process.waitForReadyRead(childTimeout);
    const bool killed = !process.waitForFinished(delay);
    if (killed)
        process.kill();
    process.waitForFinished(childTimeout);
    m_story << QStringLiteral("$ D=%1; %2%3    # %4 after %5 ms%6")
                   .arg(quoted(m_folder), commandLine(options + QStringList{m_folder}),
                        individually ? QStringLiteral("/f... (each file given)") : QString(),
                        killed ? QStringLiteral("killed") : QStringLiteral("ended by itself"))
                   .arg(clock.elapsed())
                   .arg(afterProgress ? QStringLiteral(", waited for its first progress report")
                                      : QString());

    const Child undo = runCli({"undo", "--json"});
    if (undo.exitCode < 0)
        return;
    // Killed before its batch began, or before a file moved: nothing to undo.
    const bool nothingToUndo = undo.exitCode == 1 && undo.json()["summary"]["undoes"].isNull();
    if (undo.exitCode != 0 && !nothingToUndo)
        problem("undo after a kill", QStringLiteral("it ended with %1: %2")
                                         .arg(undo.exitCode)
                                         .arg(QString::fromUtf8(undo.err.trimmed().left(2000))));
    const Tree after = tree();
    if (after != m_before)
        problem("killed run not undone", difference(m_before, after));
    const Tree trashNow = trash();
    for (auto it = trashNow.cbegin(); it != trashNow.cend(); ++it) {
        if (!isFolder(it.key()) && !trashBefore.contains(it.key()))
            problem("undo left a file in the trash",
                    QStringLiteral("%1 at %2").arg(label(it.value()), shown(it.key())));
    }
}

// The cases of one data row, and what failed in them.
class Tally
{
public:
    explicit Tally(const char *function) : m_function(function) { m_clock.start(); }

    void add(const RandomCase &done)
    {
        ++m_cases;
        m_files += done.fileCount();
        for (const QString &state : done.reached())
            ++m_reached[state];
        if (done.problems().isEmpty())
            return;
        ++m_failed;
        QStringList lines{QStringLiteral("case %1 failed; replay: TAVRELO_RANDOM_SEED=%1 %2 %3")
                              .arg(done.seed())
                              .arg(QCoreApplication::arguments().constFirst(),
                                   quoted(QStringLiteral("%1:%2").arg(
                                       m_function, QString::fromUtf8(QTest::currentDataTag()))))};
        QSet<QString> kinds;
        for (const Problem &problem : done.problems()) {
            lines << problem.text();
            kinds.insert(problem.kind);
        }
        for (const QString &kind : std::as_const(kinds))
            m_seeds[kind] << done.seed();
        lines << done.story();
        qWarning().noquote() << lines.join(QLatin1Char('\n'));
    }

    int failed() const { return m_failed; }

    QString summary() const
    {
        QStringList lines{QStringLiteral("%1 of %2 cases failed (%3 files, %4 s)")
                              .arg(m_failed)
                              .arg(m_cases)
                              .arg(m_files)
                              .arg(double(m_clock.elapsed()) / 1000, 0, 'f', 1)};
        QStringList reached;
        for (auto it = m_reached.cbegin(); it != m_reached.cend(); ++it)
            reached << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        if (!reached.isEmpty())
            lines << QStringLiteral("  cases that reached: ") + reached.join(QLatin1String(", "));
        for (auto it = m_seeds.cbegin(); it != m_seeds.cend(); ++it) {
            QStringList seeds;
            for (qsizetype i = 0; i < it.value().size() && i < 8; ++i)
                seeds << QString::number(it.value()[i]);
            lines << QStringLiteral("  %1: %2 cases, seeds %3")
                         .arg(it.key())
                         .arg(it.value().size())
                         .arg(seeds.join(QLatin1Char(' ')));
        }
        return lines.join(QLatin1Char('\n'));
    }

private:
    const char *m_function;
    QElapsedTimer m_clock;
    int m_cases = 0;
    int m_failed = 0;
    qint64 m_files = 0;
    QMap<QString, QList<quint32>> m_seeds;
    QMap<QString, int> m_reached;
};

int casesOnTemporaryFolder()
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("TAVRELO_RANDOM_CASES", &ok);
    return ok && wanted > 0 ? wanted : 300;
}

// The seeds of a row: the one to replay, or fresh ones.
QList<quint32> seeds(int count)
{
    bool ok = false;
    const quint32 replay = qEnvironmentVariable("TAVRELO_RANDOM_SEED").toUInt(&ok);
    if (ok)
        return {replay};
    const quint32 first = QRandomGenerator::global()->bounded(1000000u, 2000000000u);
    QList<quint32> list;
    for (int i = 0; i < count; ++i)
        list << first + quint32(i);
    return list;
}

// The temporary folder for kind -1, else a volume of that kind mounted for
// the row (volume then holds it); an empty root where it cannot be mounted.
Place placeFor(int kind, std::unique_ptr<TestVolume> &volume, int megabytes = 0)
{
    if (kind < 0) {
        const QString root = QFileInfo(QDir::tempPath()).canonicalFilePath();
        return {QStringLiteral("temporary folder (%1)")
                    .arg(QString::fromLatin1(QStorageInfo(root).fileSystemType())),
                root, QString(), false};
    }
    volume = std::make_unique<TestVolume>(TestVolume::Kind(kind), megabytes);
    if (!volume->isMounted())
        return {};
    const QString root = QFileInfo(volume->path()).canonicalFilePath();
    // fusefat takes milliseconds for each file and more as a folder grows,
    // and deletes a file whose new name it refuses.
    const bool fusefat = QStorageInfo(root).fileSystemType() == "fuse.fusefat";
    return {TestVolume::nameOf(TestVolume::Kind(kind)), root, root, fusefat, fusefat};
}

// Rows of the temporary folder and of every kind of volume.
void addPlaces(int onTemporaryFolder, int onVolume)
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("cases");
    QTest::newRow("temporary folder") << -1 << onTemporaryFolder;
    const QList<TestVolume::Kind> kinds = TestVolume::all();
    for (const TestVolume::Kind kind : kinds) {
        // Under a storm of renames the FUSE FAT driver now and then leaves a
        // second entry for one file under a short name of its own ("~19"):
        // its fault, which a random run would report as ours. The fixed
        // cases of tst_safety still run on it.
        if (kind == TestVolume::Vfat)
            continue;
        QTest::newRow(qPrintable(TestVolume::nameOf(kind))) << int(kind) << onVolume;
    }
}

} // namespace

class TestRandomized : public QObject
{
    Q_OBJECT

private slots:
    void batches_data();
    void batches();
    void killedRuns_data();
    void killedRuns();

private:
    void runCases(int kind, int cases, int megabytes, const char *what, void (RandomCase::*run)());
};

void TestRandomized::batches_data()
{
    addPlaces(casesOnTemporaryFolder(), qMax(1, casesOnTemporaryFolder() / 8));
}

void TestRandomized::batches()
{
    QFETCH(int, kind);
    QFETCH(int, cases);
    runCases(kind, cases, 0, "batches", &RandomCase::batch);
}

// Each case on a place of that kind, tallied; a failed case has printed its
// replay line already.
void TestRandomized::runCases(int kind, int cases, int megabytes, const char *what,
                              void (RandomCase::*run)())
{
    std::unique_ptr<TestVolume> volume;
    const Place place = placeFor(kind, volume, megabytes);
    if (place.root.isEmpty())
        QSKIP(qPrintable(volume->skipReason()));
    Tally tally(what);
    for (const quint32 seed : seeds(cases)) {
        RandomCase randomCase(seed, place);
        (randomCase.*run)();
        tally.add(randomCase);
    }
    qInfo().noquote() << place.name << tally.summary();
    QVERIFY2(tally.failed() == 0, qPrintable(tally.summary()));
}

void TestRandomized::killedRuns_data()
{
    addPlaces(qMax(1, casesOnTemporaryFolder() / 100), qMax(1, casesOnTemporaryFolder() / 300));
}

void TestRandomized::killedRuns()
{
    QFETCH(int, kind);
    QFETCH(int, cases);
    // Room for thousands of files; xfs and btrfs have it at their least.
    const bool large = kind == TestVolume::Xfs || kind == TestVolume::Btrfs;
    runCases(kind, cases, large ? 0 : 64, "killedRuns", &RandomCase::killedRun);
}

QTEST_GUILESS_MAIN(TestRandomized)
#include "tst_randomized.moc"

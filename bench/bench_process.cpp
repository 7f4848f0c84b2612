// Whole processes doing one batch on a fresh folder of empty files, at the
// file counts given: tavrelo-cli against mmv, perl's rename and plain C loops
// that this binary runs as processes of their own.
//   replace --find f --with Trip DIR     against  mmv 'f*.jpg' 'Trip#1.jpg'
//                                        and      file-rename -0 's/^f/Trip/'
//                                        and      readdir + rename(2)
//   rename --text Trip --order date DIR  against  readdir + stat + sort by date
//                                                 + rename(2)
// Every contender is started alike (posix_spawn in the folder, then wait4),
// so that its wall time, user and system CPU and peak resident memory come
// from the kernel alike. file-rename reads the names, NUL-separated, on its
// standard input, as the folder listed them when it was made: a shell's '*'
// would not fit in the arguments at a million files, and so its time holds no
// listing. tavrelo-cli keeps its journal, in a folder made afresh for each
// run. The contenders take turns, who goes first rotating from round to
// round; each gets a freshly made folder (untimed) and must leave every file
// named Trip...
// Usage: bench_process [file count ...] [--rounds N] [--also CLI]
//        (100000, 3 rounds; --also races another build of tavrelo-cli alike)
// Making and removing the folders takes most of the time: on a small ext4
// machine, some 2.5 minutes at 100,000 files and 3 rounds, 16 at a million
// files and one round.
// This binary uses no Qt, so that the C loops load nothing they do not need.
// mmv and file-rename come from Debian's mmv and rename packages.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// The two jobs done plainly: what tavrelo-cli is measured against.

std::vector<std::string> listNames(DIR *stream)
{
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    return names;
}

// The names are read in full first: renaming while reading a folder may show
// an entry twice.
int plainReplace(const char *dir)
{
    DIR *stream = ::opendir(dir);
    if (!stream) {
        std::perror(dir);
        return 1;
    }
    const int fd = ::dirfd(stream);
    for (const std::string &name : listNames(stream)) {
        if (name[0] != 'f')
            continue;
        if (::renameat(fd, name.c_str(), fd, ("Trip" + name.substr(1)).c_str()) != 0) {
            std::perror(name.c_str());
            return 1;
        }
    }
    ::closedir(stream);
    return 0;
}

int plainRenameByDate(const char *dir)
{
    DIR *stream = ::opendir(dir);
    if (!stream) {
        std::perror(dir);
        return 1;
    }
    const int fd = ::dirfd(stream);
    struct Entry
    {
        std::string name;
        long long seconds;
        long long nanoseconds;
    };
    std::vector<Entry> entries;
    for (std::string &name : listNames(stream)) {
        struct stat info;
        if (::fstatat(fd, name.c_str(), &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        entries.push_back({std::move(name), info.st_mtim.tv_sec, info.st_mtim.tv_nsec});
    }
    // Newest first, as tavrelo-cli's date order.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        if (a.nanoseconds != b.nanoseconds)
            return a.nanoseconds > b.nanoseconds;
        return a.name < b.name;
    });
    const int width = int(std::to_string(entries.size()).size());
    char newName[64];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string &name = entries[i].name;
        const std::string::size_type dot = name.rfind('.');
        std::snprintf(newName, sizeof newName, "Trip%0*zu%s", width, i + 1,
                      dot == std::string::npos ? "" : name.c_str() + dot);
        // Every new name is free here; a general tool has to make sure of
        // that, as tavrelo-cli does.
        if (::renameat(fd, name.c_str(), fd, newName) != 0) {
            std::perror(name.c_str());
            return 1;
        }
    }
    ::closedir(stream);
    return 0;
}

// The folders. The benchmark itself holds little memory: a child's peak
// counts its parent's at the moment it was started.

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "bench_process: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

// f000000.jpg ... each a second newer than the one before, the names not in
// date order, so that an order by date has work to do. The names go to
// namesFile as well, NUL-separated, in the order the folder lists them.
void fillDirectory(const std::string &dir, int count, const std::string &namesFile)
{
    if (::mkdir(dir.c_str(), 0755) != 0)
        fail(dir);
    const int width = std::max(6, int(std::to_string(count - 1).size()));
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i * 7919LL % count);
        const std::string path =
            dir + "/f" + std::string(std::size_t(width) - number.size(), '0') + number + ".jpg";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd < 0)
            fail(path);
        const timeval times[2] = {{1700000000 + i, 0}, {1700000000 + i, 0}};
        ::futimes(fd, times);
        ::close(fd);
    }
    FILE *names = std::fopen(namesFile.c_str(), "w");
    DIR *stream = ::opendir(dir.c_str());
    if (!names || !stream)
        fail(namesFile);
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] != '.')
            std::fwrite(entry->d_name, 1, std::strlen(entry->d_name) + 1, names);
    }
    ::closedir(stream);
    std::fclose(names);
    // The run should not pay for writing the new folder back.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ::syncfs(fd);
    ::close(fd);
}

void countNames(const std::string &dir, int *total, int *trips)
{
    *total = *trips = 0;
    DIR *stream = ::opendir(dir.c_str());
    if (!stream)
        fail(dir);
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] == '.')
            continue;
        ++*total;
        if (std::strncmp(entry->d_name, "Trip", 4) == 0)
            ++*trips;
    }
    ::closedir(stream);
}

void removeTree(const std::string &path)
{
    ::nftw(
        path.c_str(),
        [](const char *name, const struct stat *, int, FTW *) { return ::remove(name); }, 64,
        FTW_DEPTH | FTW_PHYS);
}

std::string findProgram(const char *name)
{
    const char *path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::string::size_type start = 0;
    while (start <= dirs.size()) {
        const std::string::size_type end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + '/' + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

// Starting and measuring a process.

struct Usage
{
    double wallMs = 0;
    double cpuMs = 0; // user + system
    double systemMs = 0;
    double peakMb = 0;
};

double msOf(const timeval &time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

bool runProcess(const std::vector<std::string> &command, const std::string &workDir,
                const std::string &input, const std::string &journal, Usage *usage)
{
    std::vector<char *> argv;
    for (const std::string &argument : command)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string journalSetting = "TAVRELO_JOURNAL_DIR=" + journal;
    std::vector<char *> envp;
    for (char **variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "TAVRELO_JOURNAL_DIR=", 20) != 0)
            envp.push_back(*variable);
    }
    envp.push_back(const_cast<char *>(journalSetting.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "%s: %s\n", argv[0], std::strerror(error));
        return false;
    }
    int status = 0;
    struct rusage resources;
    while (::wait4(pid, &status, 0, &resources) < 0) {
        if (errno != EINTR)
            fail("wait4");
    }
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", argv[0], status);
        return false;
    }
    usage->wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    usage->systemMs = msOf(resources.ru_stime);
    usage->cpuMs = msOf(resources.ru_utime) + usage->systemMs;
    usage->peakMb = double(resources.ru_maxrss) / 1024.0;
    return true;
}

// The race.

struct Contender
{
    std::string name;
    // The command for a folder; empty when the program is missing.
    std::function<std::vector<std::string>(const std::string &dir)> command;
    bool namesOnInput = false;
    std::vector<Usage> runs;

    using Command = std::function<std::vector<std::string>(const std::string &dir)>;
    Contender(std::string name, Command command, bool namesOnInput = false)
        : name(std::move(name)), command(std::move(command)), namesOnInput(namesOnInput)
    {
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<double> field(const std::vector<Usage> &runs, double Usage::*member)
{
    std::vector<double> values;
    for (const Usage &usage : runs)
        values.push_back(usage.*member);
    return values;
}

void runOnce(Contender &contender, const std::string &root, int count, int run)
{
    const std::string dir = root + "/run";
    const std::string names = root + "/names";
    const std::string journal = root + "/journal-" + std::to_string(run);
    fillDirectory(dir, count, names);
    if (::mkdir(journal.c_str(), 0700) != 0)
        fail(journal);
    Usage usage;
    if (!runProcess(contender.command(dir), dir, contender.namesOnInput ? names : std::string(),
                    journal, &usage))
        std::exit(1);
    int total = 0;
    int trips = 0;
    countNames(dir, &total, &trips);
    if (total != count || trips != count) {
        std::fprintf(stderr, "%s left %d of %d files, %d of them named Trip...\n",
                     contender.name.c_str(), total, count, trips);
        std::exit(1);
    }
    contender.runs.push_back(usage);
    removeTree(dir);
    removeTree(journal);
    ::unlink(names.c_str());
}

void printTable(const std::string &title, const std::vector<Contender> &contenders)
{
    // The last contender is the bare one the others are measured against.
    const double bare = median(field(contenders.back().runs, &Usage::wallMs));
    std::printf("\n%s\n", title.c_str());
    std::printf("  %-44s %10s %21s %10s %10s %8s %8s\n", "", "median ms", "range ms", "cpu ms",
                "of it sys", "peak MB", "/ bare");
    for (const Contender &contender : contenders) {
        if (contender.runs.empty()) {
            std::printf("  %-44s not installed\n", contender.name.c_str());
            continue;
        }
        const std::vector<double> walls = field(contender.runs, &Usage::wallMs);
        const std::vector<double> peaks = field(contender.runs, &Usage::peakMb);
        const double wall = median(walls);
        char range[32];
        std::snprintf(range, sizeof range, "%.1f - %.1f",
                      *std::min_element(walls.begin(), walls.end()),
                      *std::max_element(walls.begin(), walls.end()));
        std::printf("  %-44s %10.1f %21s %10.1f %10.1f %8.1f %8.2f\n", contender.name.c_str(), wall,
                    range, median(field(contender.runs, &Usage::cpuMs)),
                    median(field(contender.runs, &Usage::systemMs)),
                    *std::max_element(peaks.begin(), peaks.end()), wall / bare);
    }
    std::fflush(stdout);
}

// Every contender once a round, on a fresh folder, who goes first rotating.
void race(std::vector<Contender> &contenders, const std::string &root, int count, int rounds)
{
    const int n = int(contenders.size());
    int run = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < n; ++k) {
            Contender &contender = contenders[std::size_t((k + round) % n)];
            if (contender.command)
                runOnce(contender, root, count, run++);
        }
    }
}

std::string selfPath()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        fail("/proc/self/exe");
    return std::string(path, std::size_t(length));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--baseline-replace") == 0)
        return plainReplace(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--baseline-date") == 0)
        return plainRenameByDate(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--idle") == 0)
        return 0;

    std::vector<int> counts;
    int rounds = 3;
    std::string earlier; // another build of tavrelo-cli, raced alike
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--also") == 0 && i + 1 < argc)
            earlier = argv[++i];
        else
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts.push_back(100000);
    if (rounds < 1 || std::any_of(counts.begin(), counts.end(), [](int n) { return n < 1; })) {
        std::fprintf(stderr, "usage: bench_process [file count ...] [--rounds N] [--also CLI]\n");
        return 2;
    }

    const char *tmp = std::getenv("TMPDIR");
    std::string rootTemplate = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_process-XXXXXX";
    if (!::mkdtemp(rootTemplate.data()))
        fail(rootTemplate);
    const std::string root = rootTemplate;
    const std::string self = selfPath();
    const std::string cli = TAVRELO_CLI;
    const std::string mmv = findProgram("mmv");
    const std::string perlRename = findProgram("file-rename");
    auto unless = [](const std::string &program, auto command) {
        return program.empty() ? std::function<std::vector<std::string>(const std::string &)>()
                               : command;
    };

    // What starting alone costs, for the figures below.
    std::vector<Contender> startup{
        {"tavrelo-cli --version",
         [&](const std::string &) {
             return std::vector<std::string>{cli, "--version"};
         }},
        {"bench_process --idle",
         [&](const std::string &) {
             return std::vector<std::string>{self, "--idle"};
         }},
    };
    for (int i = 0; i < 10; ++i) {
        for (Contender &contender : startup) {
            Usage usage;
            if (!runProcess(contender.command(root), root, std::string(), root, &usage))
                return 1;
            contender.runs.push_back(usage);
        }
    }
    printTable("Start-up alone, 10 runs each", startup);

    for (const int count : counts) {
        std::vector<Contender> replace{
            {"tavrelo-cli replace --find f --with Trip",
             [&](const std::string &dir) {
                 return std::vector<std::string>{cli,      "replace", "--find", "f",
                                                 "--with", "Trip",    dir};
             }},
            {"mmv 'f*.jpg' 'Trip#1.jpg'",
             unless(mmv,
                    [&](const std::string &) {
                        return std::vector<std::string>{mmv, "f*.jpg", "Trip#1.jpg"};
                    })},
            {"file-rename -0 's/^f/Trip/' < names",
             unless(perlRename,
                    [&](const std::string &) {
                        return std::vector<std::string>{perlRename, "-0", "s/^f/Trip/"};
                    }),
             true},
            {"readdir + rename(2)",
             [&](const std::string &dir) {
                 return std::vector<std::string>{self, "--baseline-replace", dir};
             }},
        };
        if (!earlier.empty())
            replace.insert(replace.begin() + 1,
                           Contender{"  the same, " + earlier, [&](const std::string &dir) {
                                         return std::vector<std::string>{
                                             earlier,  "replace", "--find", "f",
                                             "--with", "Trip",    dir};
                                     }});
        race(replace, root, count, rounds);
        const std::string of =
            ", " + std::to_string(count) + " files, " + std::to_string(rounds) + " rounds";
        printTable("Replace f by Trip" + of, replace);

        std::vector<Contender> byDate{
            {"tavrelo-cli rename --text Trip --order date",
             [&](const std::string &dir) {
                 return std::vector<std::string>{cli,       "rename", "--text", "Trip",
                                                 "--order", "date",   dir};
             }},
            {"readdir + stat + sort + rename(2)",
             [&](const std::string &dir) {
                 return std::vector<std::string>{self, "--baseline-date", dir};
             }},
        };
        if (!earlier.empty())
            byDate.insert(byDate.begin() + 1,
                          Contender{"  the same, " + earlier, [&](const std::string &dir) {
                                        return std::vector<std::string>{
                                            earlier,   "rename", "--text", "Trip",
                                            "--order", "date",   dir};
                                    }});
        race(byDate, root, count, rounds);
        printTable("Numbered by date" + of, byDate);
    }

    struct rusage own;
    ::getrusage(RUSAGE_SELF, &own);
    std::printf("\nEvery peak counts the %.1f MB this benchmark held when it started the process.\n"
                "Wall and CPU times are noisy on a shared machine.\n",
                double(own.ru_maxrss) / 1024.0);
    removeTree(root);
    return 0;
}

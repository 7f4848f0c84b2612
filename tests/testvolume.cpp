#include "testvolume.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool kernelHas(const QString &fileSystem)
{
    QFile list(QStringLiteral("/proc/filesystems"));
    if (!list.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = list.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (QString::fromLatin1(line.mid(line.lastIndexOf('\t') + 1)) == fileSystem)
            return true;
    }
    return false;
}

// The kernel here may lack vfat; fusefat stands in for it then.
bool vfatThroughFuse()
{
    static const bool fuse = !kernelHas(QStringLiteral("vfat"));
    return fuse;
}

bool usesFuse(TestVolume::Kind kind)
{
    switch (kind) {
    case TestVolume::Vfat:
        return vfatThroughFuse();
    case TestVolume::Exfat:
    case TestVolume::Ntfs:
    case TestVolume::NtfsWindowsNames:
        return true;
    default:
        return false;
    }
}

// fusefat reads the image itself; everything else but tmpfs sits on a loop device.
bool usesLoopDevice(TestVolume::Kind kind)
{
    return kind != TestVolume::Tmpfs && !(kind == TestVolume::Vfat && vfatThroughFuse());
}

int defaultMegabytes(TestVolume::Kind kind)
{
    switch (kind) {
    case TestVolume::Xfs:
        return 300; // mkfs.xfs refuses less
    case TestVolume::Btrfs:
        return 120; // mkfs.btrfs needs about 110
    default:
        return 16;
    }
}

struct Tool
{
    QString program;
    QString package;
};

QList<Tool> toolsFor(TestVolume::Kind kind)
{
    QList<Tool> tools = {{QStringLiteral("mount"), QStringLiteral("mount")},
                         {QStringLiteral("umount"), QStringLiteral("mount")}};
    if (usesLoopDevice(kind))
        tools.append({QStringLiteral("losetup"), QStringLiteral("mount")});
    switch (kind) {
    case TestVolume::Ext4:
        tools.append({QStringLiteral("mkfs.ext4"), QStringLiteral("e2fsprogs")});
        break;
    case TestVolume::Xfs:
        tools.append({QStringLiteral("mkfs.xfs"), QStringLiteral("xfsprogs")});
        break;
    case TestVolume::Btrfs:
        tools.append({QStringLiteral("mkfs.btrfs"), QStringLiteral("btrfs-progs")});
        break;
    case TestVolume::Vfat:
        tools.append({QStringLiteral("mkfs.vfat"), QStringLiteral("dosfstools")});
        if (vfatThroughFuse())
            tools.append({QStringLiteral("fusefat"), QStringLiteral("fusefat")});
        break;
    case TestVolume::Exfat:
        tools.append({QStringLiteral("mkfs.exfat"), QStringLiteral("exfatprogs")});
        tools.append({QStringLiteral("mount.exfat-fuse"), QStringLiteral("exfat-fuse")});
        break;
    case TestVolume::Ntfs:
    case TestVolume::NtfsWindowsNames:
        tools.append({QStringLiteral("mkfs.ntfs"), QStringLiteral("ntfs-3g")});
        tools.append({QStringLiteral("ntfs-3g"), QStringLiteral("ntfs-3g")});
        break;
    case TestVolume::Tmpfs:
        break;
    }
    return tools;
}

QString findTool(const QString &program)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(program,
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

// A dead FUSE daemon leaves its mount point answering ENOTCONN: still mounted.
bool isMountPoint(const QString &path, const QString &parent)
{
    struct stat point;
    struct stat above;
    if (::stat(QFile::encodeName(parent).constData(), &above) != 0)
        return false;
    if (::stat(QFile::encodeName(path).constData(), &point) != 0)
        return errno == ENOTCONN;
    return point.st_dev != above.st_dev;
}

} // namespace

TestVolume::TestVolume(Kind kind, int megabytes) : m_kind(kind)
{
    if (!m_dir.isValid()) {
        m_skipReason = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
        return;
    }
    m_mounted = mount(megabytes > 0 ? megabytes : defaultMegabytes(kind));
    if (!m_mounted)
        unmount(); // a loop device attached before the failure
}

TestVolume::~TestVolume()
{
    unmount();
}

QString TestVolume::nameOf(Kind kind)
{
    switch (kind) {
    case Ext4:
        return QStringLiteral("ext4");
    case Xfs:
        return QStringLiteral("xfs");
    case Btrfs:
        return QStringLiteral("btrfs");
    case Vfat:
        return vfatThroughFuse() ? QStringLiteral("vfat (FUSE)") : QStringLiteral("vfat");
    case Exfat:
        return QStringLiteral("exfat (FUSE)");
    case Ntfs:
        return QStringLiteral("ntfs (FUSE)");
    case NtfsWindowsNames:
        return QStringLiteral("ntfs windows_names (FUSE)");
    case Tmpfs:
        return QStringLiteral("tmpfs");
    }
    return QString();
}

QList<TestVolume::Kind> TestVolume::all()
{
    return {Ext4, Xfs, Btrfs, Vfat, Exfat, Ntfs, NtfsWindowsNames, Tmpfs};
}

bool TestVolume::mount(int megabytes)
{
    if (::geteuid() != 0) {
        m_skipReason = QStringLiteral("mounting a volume needs root");
        return false;
    }
    if (usesFuse(m_kind) && !QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
        m_skipReason = QStringLiteral("no /dev/fuse: FUSE volumes cannot be mounted here");
        return false;
    }
    if (usesLoopDevice(m_kind) && !QFileInfo::exists(QStringLiteral("/dev/loop-control"))) {
        m_skipReason = QStringLiteral("no loop device (/dev/loop-control) to mount an image on");
        return false;
    }
    const QList<Tool> tools = toolsFor(m_kind);
    for (const Tool &tool : tools) {
        if (findTool(tool.program).isEmpty()) {
            m_skipReason =
                QStringLiteral("%1 is missing (package %2)").arg(tool.program, tool.package);
            return false;
        }
    }

    m_mountPoint = m_dir.filePath(QStringLiteral("volume"));
    if (!QDir().mkpath(m_mountPoint)) {
        m_skipReason = QStringLiteral("cannot make the mount point %1").arg(m_mountPoint);
        return false;
    }
    if (m_kind != Tmpfs && !makeImage(megabytes))
        return false;

    bool mounted = false;
    switch (m_kind) {
    case Ext4:
    case Xfs:
    case Btrfs: {
        const QString type = nameOf(m_kind);
        mounted = run(QStringLiteral("mount"), {QStringLiteral("-t"), type, QStringLiteral("-o"),
                                                QStringLiteral("loop"), m_image, m_mountPoint});
        break;
    }
    case Vfat:
        if (vfatThroughFuse()) {
            // "rw+" is fusefat's read-write; plain "rw" mounts read-only.
            mounted = run(QStringLiteral("fusefat"),
                          {QStringLiteral("-o"), QStringLiteral("rw+"), m_image, m_mountPoint});
        } else {
            mounted = run(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("vfat"), QStringLiteral("-o"),
                           QStringLiteral("loop"), m_image, m_mountPoint});
        }
        break;
    case Exfat:
        // Through a block device, as a drive is mounted: the mount is then "fuseblk".
        mounted = attachLoopDevice()
                  && run(QStringLiteral("mount.exfat-fuse"), {m_loopDevice, m_mountPoint});
        break;
    case Ntfs:
        mounted =
            attachLoopDevice() && run(QStringLiteral("ntfs-3g"), {m_loopDevice, m_mountPoint});
        break;
    case NtfsWindowsNames:
        mounted = attachLoopDevice()
                  && run(QStringLiteral("ntfs-3g"),
                         {QStringLiteral("-o"), QStringLiteral("windows_names"), m_loopDevice,
                          m_mountPoint});
        break;
    case Tmpfs:
        mounted =
            run(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                 QStringLiteral("size=%1M").arg(megabytes), QStringLiteral("tmpfs"), m_mountPoint});
        break;
    }
    if (!mounted || !waitForMount())
        return false;
    // Tests expect an empty volume.
    QDir(m_mountPoint).rmdir(QStringLiteral("lost+found"));
    return true;
}

bool TestVolume::makeImage(int megabytes)
{
    m_image = m_dir.filePath(QStringLiteral("image"));
    QFile image(m_image);
    // Resizing an empty file leaves it sparse.
    if (!image.open(QIODevice::WriteOnly) || !image.resize(qint64(megabytes) * 1024 * 1024)) {
        m_skipReason = QStringLiteral("cannot make the image: %1").arg(image.errorString());
        return false;
    }
    image.close();
    switch (m_kind) {
    case Ext4:
        return run(QStringLiteral("mkfs.ext4"),
                   {QStringLiteral("-q"), QStringLiteral("-F"), m_image});
    case Xfs:
        return run(QStringLiteral("mkfs.xfs"),
                   {QStringLiteral("-q"), QStringLiteral("-f"), m_image});
    case Btrfs:
        return run(QStringLiteral("mkfs.btrfs"),
                   {QStringLiteral("-q"), QStringLiteral("-f"), m_image});
    case Vfat:
        return run(QStringLiteral("mkfs.vfat"), {m_image});
    case Exfat:
        return run(QStringLiteral("mkfs.exfat"), {m_image});
    case Ntfs:
    case NtfsWindowsNames:
        return run(QStringLiteral("mkfs.ntfs"),
                   {QStringLiteral("-F"), QStringLiteral("-Q"), m_image});
    case Tmpfs:
        break;
    }
    return true;
}

bool TestVolume::attachLoopDevice()
{
    if (!run(QStringLiteral("losetup"),
             {QStringLiteral("--find"), QStringLiteral("--show"), m_image}))
        return false;
    m_loopDevice = QString::fromLocal8Bit(readLog()).trimmed();
    return !m_loopDevice.isEmpty();
}

bool TestVolume::waitForMount()
{
    // FUSE helpers return once their daemon has forked, which may be before
    // the kernel shows the mount.
    QElapsedTimer timer;
    timer.start();
    while (!isMountPoint(m_mountPoint, m_dir.path())) {
        if (timer.hasExpired(10000)) {
            m_skipReason = QStringLiteral("%1 did not appear at %2 within 10 s")
                               .arg(nameOf(m_kind), m_mountPoint);
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void TestVolume::unmount()
{
    // The reason a mount failed matters more than any trouble cleaning up.
    const QString reason = m_skipReason;
    if (!m_mountPoint.isEmpty() && isMountPoint(m_mountPoint, m_dir.path())) {
        // A file a test left open, or a FUSE daemon still starting, keeps the
        // volume busy for a moment.
        bool done = false;
        for (int attempt = 0; attempt < 20 && !done; ++attempt) {
            done = run(QStringLiteral("umount"), {m_mountPoint});
            if (!done)
                QThread::msleep(100);
        }
        if (!done)
            run(QStringLiteral("umount"), {QStringLiteral("-l"), m_mountPoint});
    }
    m_mounted = false;
    // Still held by an exiting FUSE daemon, the device is let go when it closes.
    if (!m_loopDevice.isEmpty())
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loopDevice});
    m_loopDevice.clear();
    m_skipReason = reason;
}

QByteArray TestVolume::readLog() const
{
    QFile log(m_dir.filePath(QStringLiteral("log")));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

bool TestVolume::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    // A file, not a pipe: a FUSE daemon keeps its output open after its
    // starter ends, and would die writing to a closed pipe.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(m_dir.filePath(QStringLiteral("log")));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(findTool(program), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        m_skipReason = QStringLiteral("%1 did not finish").arg(program);
        return false;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    const QStringList lines =
        QString::fromLocal8Bit(readLog()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    m_skipReason =
        QStringLiteral("%1 failed: %2")
            .arg(program, lines.isEmpty() ? QStringLiteral("exit code %1").arg(process.exitCode())
                                          : lines.last().trimmed());
    return false;
}

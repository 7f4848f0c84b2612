#ifndef TESTVOLUME_H
#define TESTVOLUME_H

#include <QList>
#include <QString>
#include <QTemporaryDir>

// A small file system of a chosen kind, made in an image file in a temporary
// folder and mounted there, for tests that must run on the volumes users'
// files live on. Mounting needs root, and the FUSE kinds /dev/fuse; where that
// is missing the volume stays unmounted and skipReason() says why in one line.
// The destructor unmounts and removes everything, whatever happened in
// between. Not thread-safe; made, used and destroyed on one thread.
class TestVolume
{
public:
    enum Kind { Ext4, Xfs, Btrfs, Vfat, Exfat, Ntfs, NtfsWindowsNames, Tmpfs };

    // megabytes 0: the smallest size the kind's tools accept, give or take.
    // The image is sparse, so a large size costs no disk space.
    explicit TestVolume(Kind kind, int megabytes = 0);
    ~TestVolume();
    TestVolume(const TestVolume &) = delete;
    TestVolume &operator=(const TestVolume &) = delete;

    bool isMounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    // The mount point: writable and empty.
    QString path() const { return m_mountPoint; }
    Kind kind() const { return m_kind; }

    // "ext4", "exfat (FUSE)", ...: for data rows.
    static QString nameOf(Kind kind);
    static QList<Kind> all();

private:
    bool mount(int megabytes);
    bool makeImage(int megabytes);
    bool attachLoopDevice();
    bool waitForMount();
    void unmount();
    // Runs a tool to its end; on failure puts "what failed: its message" in
    // m_skipReason.
    bool run(const QString &program, const QStringList &arguments);
    // What the last tool run wrote.
    QByteArray readLog() const;

    Kind m_kind;
    QTemporaryDir m_dir;
    QString m_image;
    QString m_mountPoint;
    QString m_loopDevice;
    QString m_skipReason;
    bool m_mounted = false;
};

#endif // TESTVOLUME_H

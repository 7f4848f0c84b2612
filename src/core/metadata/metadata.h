#ifndef METADATA_H
#define METADATA_H

#include <QDateTime>
#include <QString>

// What a file says of itself inside: a photo's Exif or XMP, a song's tags.
// Read by Exiv2 (photos) and TagLib (music); the rest of the program sees
// only this struct. A fact the file lacks is empty, or 0.
struct Metadata
{
    // Photo
    QDateTime taken; // with the camera's offset from UTC when it wrote one
    QString make;
    QString model;
    QString lens;
    int iso = 0;
    int width = 0;
    int height = 0;

    // Music
    QString artist;
    QString album;
    QString title;
    QString genre;
    int track = 0;
    int disc = 0;
    int year = 0;

    // Why nothing could be read ("not a photo or a song", a damaged file);
    // empty when the file was read, even if it holds no facts.
    QString problem;

    // Reads one file, opened once and only as far as its metadata goes.
    // Never throws.
    static Metadata read(const QString &path);
};

#endif // METADATA_H

#ifndef TESTPHOTOS_H
#define TESTPHOTOS_H

#include <QByteArray>
#include <QStringList>

// A small photo (16 by 8 pixels) as Qt writes it in that format ("jpeg",
// "png", "tiff", "webp").
QByteArray imageBytes(const char *format);

// Tags written into a photo through Exiv2, each in its own type:
// "Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09",
// "Xmp.xmp.CreateDate=2018-05-06T07:08:09".
void stamp(const QString &path, const QStringList &tags);

#endif // TESTPHOTOS_H

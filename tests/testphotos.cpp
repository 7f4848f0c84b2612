#include "testphotos.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <exiv2/exiv2.hpp>

QByteArray imageBytes(const char *format)
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void stamp(const QString &path, const QStringList &tags)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    for (const QString &tag : tags) {
        const std::string key = tag.section('=', 0, 0).toStdString();
        const std::string value = tag.section('=', 1).toStdString();
        if (tag.startsWith(QLatin1String("Xmp.")))
            image->xmpData()[key] = value;
        else
            image->exifData()[key] = value;
    }
    image->writeMetadata();
}

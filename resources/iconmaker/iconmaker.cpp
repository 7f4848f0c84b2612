// Renders Tavrelo's icon, tavrelo.svg, at every size the desktops ask for and
// writes icon.png, icons/tavrelo-<size>.png and a Windows tavrelo.ico.

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QVector>

#include <cstdio>

namespace {

// Every size is rendered from the one scalable drawing, so they cannot drift apart.
QImage renderIcon(QSvgRenderer &drawing, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    return image;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 32-bit DIB as an .ico entry expects it: bottom-up rows, doubled height,
// followed by an AND mask (all zero: the alpha channel decides).
QByteArray dibBytes(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const int maskRowBytes = ((size + 31) / 32) * 4;
    out << quint32(40) << qint32(size) << qint32(size * 2) << quint16(1) << quint16(32)
        << quint32(0) << quint32(size * size * 4 + maskRowBytes * size) << qint32(0) << qint32(0)
        << quint32(0) << quint32(0);
    for (int y = size - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < size; ++x)
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
                << quint8(qAlpha(line[x]));
    }
    for (int i = 0; i < maskRowBytes * size; ++i)
        out << quint8(0);
    return bytes;
}

bool writeIco(QSvgRenderer &drawing, const QString &path, const QVector<int> &sizes)
{
    QVector<QByteArray> images;
    for (int size : sizes) {
        const QImage image = renderIcon(drawing, size);
        images.append(size == 256 ? pngBytes(image) : dibBytes(image));
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        out << quint8(size == 256 ? 0 : size) << quint8(size == 256 ? 0 : size) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        bytes.append(image);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrelo_iconmaker <resources folder>\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    QSvgRenderer drawing(resources.filePath(QStringLiteral("tavrelo.svg")));
    if (!drawing.isValid()) {
        std::fprintf(stderr, "tavrelo_iconmaker: cannot read tavrelo.svg\n");
        return 1;
    }
    resources.mkpath(QStringLiteral("icons"));
    bool ok = renderIcon(drawing, 128).save(resources.filePath(QStringLiteral("icon.png")));
    const QVector<int> sizes = {256, 128, 72, 64, 48, 32, 24, 16};
    for (int size : sizes)
        ok = renderIcon(drawing, size)
                 .save(resources.filePath(QStringLiteral("icons/tavrelo-%1.png").arg(size)))
             && ok;
    ok = writeIco(drawing, resources.filePath(QStringLiteral("tavrelo.ico")), sizes) && ok;
    return ok ? 0 : 1;
}

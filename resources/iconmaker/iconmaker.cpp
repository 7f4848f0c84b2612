// Draws Tavrelo's icon at every size the desktops ask for and writes
// icon.png, icons/tavrelo-<size>.png and a Windows tavrelo.ico.

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include <cstdio>

namespace {

// Drawn on a 256 grid and scaled, so every size shows the same picture.
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);

    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(0x3b, 0x82, 0xf6));
    tile.setColorAt(1, QColor(0x1d, 0x4e, 0xd8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // Three sheets fanned out: many files handled at once.
    const QColor sheetColors[] = {QColor(0xbf, 0xdb, 0xfe), QColor(0xdb, 0xea, 0xfe),
                                  QColor(0xff, 0xff, 0xff)};
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(128, 132);
        painter.rotate(-14 + 14 * i);
        painter.setBrush(sheetColors[i]);
        painter.setPen(QPen(QColor(0x1e, 0x3a, 0x8a, 90), 3));
        painter.drawRoundedRect(QRectF(-58, -80, 116, 152), 12, 12);
        painter.restore();
    }

    // A numbered name tag on the front sheet.
    painter.setBrush(QColor(0xf5, 0x9e, 0x0b));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(84, 150, 124, 56), 14, 14);
    QPainterPath digits;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(40);
    digits.addText(96, 192, font, QStringLiteral("001"));
    painter.setBrush(Qt::white);
    painter.drawPath(digits);

    // Lines of text on the front sheet.
    painter.setBrush(QColor(0x93, 0xc5, 0xfd));
    for (int row = 0; row < 3; ++row)
        painter.drawRoundedRect(QRectF(92, 78 + 22 * row, row == 2 ? 48 : 76, 10), 5, 5);
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

bool writeIco(const QString &path, const QVector<int> &sizes)
{
    QVector<QByteArray> images;
    for (int size : sizes) {
        const QImage image = drawIcon(size);
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
    resources.mkpath(QStringLiteral("icons"));
    bool ok = drawIcon(128).save(resources.filePath(QStringLiteral("icon.png")));
    const QVector<int> sizes = {256, 128, 72, 64, 48, 32, 24, 16};
    for (int size : sizes)
        ok = drawIcon(size).save(
                 resources.filePath(QStringLiteral("icons/tavrelo-%1.png").arg(size)))
             && ok;
    ok = writeIco(resources.filePath(QStringLiteral("tavrelo.ico")), sizes) && ok;
    return ok ? 0 : 1;
}

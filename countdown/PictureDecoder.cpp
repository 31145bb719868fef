#include "countdown/PictureDecoder.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr qint64 fileHeaderBytes = 14;

// An uncompressed Windows bitmap of 8 (palette), 24 or 32 bits per pixel, sampled to at most twice
// the shown size and then smoothed down to it; only the rows sampled are read.
QImage sampleBitmap(const QString& path, QSize pixels) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(fileHeaderBytes + 40);
    if (header.size() < fileHeaderBytes + 40 || !header.startsWith("BM"))
        return {};
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(header.constData() + at); };
    const qint64 dataOffset = u32(10);
    const qint64 infoBytes = u32(14);
    const int width = i32(18);
    const int signedHeight = i32(22);
    const int bits = qFromLittleEndian<quint16>(header.constData() + 28);
    const quint32 compression = u32(30);
    // A negative height marks rows stored from the top down.
    const qint64 tall = std::abs(qint64(signedHeight));
    const int height = tall > 1 << 20 ? 0 : int(tall);
    if (infoBytes < 40 || compression != 0 || width <= 0 || height <= 0 || width > 1 << 20 || height > 1 << 20 ||
        (bits != 8 && bits != 24 && bits != 32))
        return {};
    const qint64 rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    if (file.size() < dataOffset + rowBytes * height)
        return {};
    QList<QRgb> palette;
    if (bits == 8) {
        const quint32 used = u32(46);
        const int entries = used == 0 || used > 256 ? 256 : int(used);
        file.seek(fileHeaderBytes + infoBytes);
        const QByteArray table = file.read(qint64(entries) * 4);
        for (int i = 0; i + 3 < table.size(); i += 4)
            palette << qRgb(uchar(table[i + 2]), uchar(table[i + 1]), uchar(table[i]));
        palette.resize(256, qRgb(0, 0, 0));
    }

    const QSize sampled(std::min(width, pixels.width() * 2), std::min(height, pixels.height() * 2));
    QImage image(sampled, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QByteArray row(rowBytes, Qt::Uninitialized);
    const int bytesPerPixel = bits / 8;
    for (int y = 0; y < sampled.height(); ++y) {
        const int sourceY = int((2 * qint64(y) + 1) * height / (2 * qint64(sampled.height())));
        const int fileRow = signedHeight < 0 ? sourceY : height - 1 - sourceY;
        if (!file.seek(dataOffset + fileRow * rowBytes) || file.read(row.data(), rowBytes) != rowBytes)
            return {};
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < sampled.width(); ++x) {
            const int sourceX = int((2 * qint64(x) + 1) * width / (2 * qint64(sampled.width())));
            const auto* pixel = reinterpret_cast<const uchar*>(row.constData()) + qint64(sourceX) * bytesPerPixel;
            line[x] = bits == 8 ? palette[pixel[0]] : qRgb(pixel[2], pixel[1], pixel[0]);
        }
    }
    return image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
} // namespace

QImage decodePictureAtSize(const QString& path, QSize pixels) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    const bool scalesItself = reader.supportsOption(QImageIOHandler::ScaledSize);
    const qint64 fullBytes = qint64(full.width()) * full.height() * 4;
    if (!scalesItself && reader.format() == "bmp" && fullBytes > qint64(QImageReader::allocationLimit()) * 1024 * 1024)
        return sampleBitmap(path, pixels);
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    reader.setScaledSize(turned ? pixels.transposed() : pixels);
    QImage image = reader.read();
    if (!image.isNull() && image.size() != pixels)
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

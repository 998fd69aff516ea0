#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

namespace vantrel::picture_bits {

// The form the build stores the program's pictures in: width and height as 32-bit
// little-endian numbers, then the pixels as premultiplied RGBA bytes, row after row. Showing
// one needs no decoder, so no image plug-in is looked for at start-up.
constexpr qsizetype kHeaderBytes = 8;
constexpr std::uint32_t kLargestSide = 4096;
constexpr QImage::Format kFormat = QImage::Format_RGBA8888_Premultiplied;

inline std::uint32_t readNumber(const char* bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

inline void appendNumber(QByteArray& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The picture these bytes hold; a null image where they are not exactly one.
inline QImage decode(const QByteArray& bytes) {
    if (bytes.size() < kHeaderBytes)
        return {};
    const std::uint32_t width = readNumber(bytes.constData());
    const std::uint32_t height = readNumber(bytes.constData() + 4);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
        bytes.size() - kHeaderBytes != qsizetype(width) * qsizetype(height) * 4)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(bytes.constData() + kHeaderBytes), int(width),
                      int(height), int(width) * 4, kFormat);
    return view.copy(); // the image outlives the bytes
}

inline QByteArray encode(const QImage& image) {
    const QImage pixels = image.convertToFormat(kFormat);
    QByteArray bytes;
    bytes.reserve(kHeaderBytes + qsizetype(pixels.width()) * pixels.height() * 4);
    appendNumber(bytes, std::uint32_t(pixels.width()));
    appendNumber(bytes, std::uint32_t(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    return bytes;
}

} // namespace vantrel::picture_bits

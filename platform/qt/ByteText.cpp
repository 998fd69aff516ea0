#include "platform/qt/ByteText.h"

#include <limits>

namespace vantrel::platform {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of the bytes and its code point, or 0
// when the first byte does not begin one (overlong forms and surrogates included).
std::size_t utf8Sequence(std::string_view bytes, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if (!isContinuation(next))
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString displayText(std::string_view bytes) {
    std::u32string characters;
    characters.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t codePoint = 0;
        std::size_t length = utf8Sequence(bytes, codePoint);
        if (length == 0) {
            codePoint = static_cast<unsigned char>(bytes[0]);
            length = 1;
        }
        characters.push_back(codePoint);
        bytes.remove_prefix(length);
    }
    return QString::fromStdU32String(characters);
}

ByteLineEdit::ByteLineEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
}

void ByteLineEdit::setBytes(std::string bytes) {
    bytes_ = std::move(bytes);
    shown_ = platform::displayText(bytes_);
    if (text() != shown_)
        setText(shown_);
}

std::string ByteLineEdit::bytes() const {
    if (text() == shown_)
        return bytes_;
    return text().toStdString();
}

} // namespace vantrel::platform

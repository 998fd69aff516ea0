#pragma once

#include <QLineEdit>
#include <QString>

#include <string>
#include <string_view>

namespace vantrel::platform {

// Profile texts are bytes of any single-byte code page, of any length. On screen a valid
// UTF-8 sequence shows as its character and any other byte as the Latin-1 character of its
// value, so every byte stays visible; the bytes themselves are kept beside the widget.
QString displayText(std::string_view bytes);

// A one-line box that holds bytes. The box gives back the bytes it was handed as long as it
// still shows what they were shown as; once the user changes the text, it gives the typed
// text in UTF-8. It takes text of any length.
class ByteLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ByteLineEdit(QWidget* parent = nullptr);

    // Keeps the bytes and shows them; a box that already shows that text is not rewritten,
    // so typing in it is not disturbed.
    void setBytes(std::string bytes);
    std::string bytes() const;

private:
    std::string bytes_;
    QString shown_;
};

// The role under which a row of an item model gives the bytes it shows.
inline constexpr int kBytesRole = Qt::UserRole + 0x7b;

} // namespace vantrel::platform

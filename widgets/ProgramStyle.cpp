#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace vantrel {
namespace {

// An icon that asks the style for the real one the first time it is drawn or measured.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(QStyle* style, QStyle::StandardPixmap icon) : style_(style), icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }

private:
    const QIcon& real() {
        if (!fetched_) {
            fetched_ = true;
            if (style_)
                real_ = style_->standardIcon(icon_);
        }
        return real_;
    }

    QPointer<QStyle> style_; // gone with the application's style
    QStyle::StandardPixmap icon_;
    bool fetched_ = false;
    QIcon real_;
};

} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    // The arrow's direction follows the application's, as the style's own choice does.
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

void useProgramStyle() {
    QApplication::setStyle(new ProgramStyle);
}

} // namespace vantrel

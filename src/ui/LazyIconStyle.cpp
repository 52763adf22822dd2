// TLazyIconStyle: the application's style, whose pictures from files are read when first drawn.
#include "LazyIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>

namespace {

// Stands for a standard icon of a style until it is first used, then is that icon.
class LazyStandardIconEngine : public QIconEngine {
public:
    LazyStandardIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("LazyStandardIconEngine"); }
    QIconEngine* clone() const override {
        auto* copy = new LazyStandardIconEngine(style_, which_);
        copy->icon_ = icon_;
        copy->made_ = made_;
        return copy;
    }

private:
    const QIcon& Icon() {
        if (!made_) {
            made_ = true;
            if (style_)
                icon_ = style_->standardIcon(which_);
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool made_ = false;
};

} // namespace

TLazyIconStyle::TLazyIconStyle(const QString& styleName)
    : QProxyStyle(QStyleFactory::create(styleName)) {}

QIcon TLazyIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                   const QWidget* widget) const {
    // The extension arrows of menu and tool bars: the style's own pictures, read from files.
    if (option == nullptr && (standardIcon == SP_ToolBarHorizontalExtensionButton ||
                              standardIcon == SP_ToolBarVerticalExtensionButton))
        return QIcon(new LazyStandardIconEngine(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

namespace dorv {

void InstallLazyIconStyle() {
    QApplication::setStyle(new TLazyIconStyle(QApplication::style()->name()));
}

} // namespace dorv

// TLazyIconStyle: the application's style, whose pictures from files are read when first drawn.
#pragma once

#include <QProxyStyle>

// The style in force, unchanged but for one thing: a standard icon that the style reads from a
// picture file (the menu bar's extension arrow, for one, made with every menu bar) is read when it
// is first drawn or measured, not when it is asked for. Reading the first picture loads the image
// format plugins, which a window that never shows such an icon does not need.
class TLazyIconStyle : public QProxyStyle {
public:
    // Wraps a new instance of the style named styleName (QApplication::style()->name()).
    explicit TLazyIconStyle(const QString& styleName);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

namespace dorv {

// Makes a TLazyIconStyle over the application's style the application's style. Run once, after
// the QApplication is made and before any widget.
void InstallLazyIconStyle();

} // namespace dorv

// The program's widget style: Fusion, with the two icons every menu bar asks
// for at its construction (the arrows of its extension button, shown only
// when the menus do not fit) made when they are first drawn. Made at once
// they cost start-up the loading of every image format plugin, which Qt
// loads to tell the format of the icons' files.
#pragma once

#include <QProxyStyle>

namespace tavel::app {

class AppStyle : public QProxyStyle {
public:
    AppStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace tavel::app

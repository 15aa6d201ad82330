// Opening files with the desktop's program, through QDesktopServices.
#include "platform/open_file.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace tavel {
namespace {
OpenUrlHook& hook()
{
    static OpenUrlHook h;
    return h;
}
} // namespace

bool openLocalFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (hook())
        return hook()(url);
    return QDesktopServices::openUrl(url);
}

void setOpenUrlHook(OpenUrlHook h)
{
    hook() = std::move(h);
}

} // namespace tavel

// Choosing and opening the help file of the installation folder.
#include "platform/help.h"

#include "platform/open_file.h"

#include <QFileInfo>

namespace tavel {

QString helpFile(const InstallFolder& home)
{
    for (const auto name : {u"Help\\Tavel_help.chm", u"Help\\index.html"}) {
        const QString path = home.path(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

bool openHelp(const InstallFolder& home)
{
    const QString path = helpFile(home);
    return !path.isEmpty() && openLocalFile(path);
}

} // namespace tavel

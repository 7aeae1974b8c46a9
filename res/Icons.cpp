#include "Resources.h"
#include "resource.h"

// Registers the compiled-in images; referencing it also keeps them in a static link.
static void registerImages()
{
    Q_INIT_RESOURCE(orvanel);
}

QIcon loadIcon(int id)
{
    static const bool registered = (registerImages(), true);
    Q_UNUSED(registered);

    QIcon icon;
    if (id == IDR_MAINFRAME) {
        icon.addFile(QStringLiteral(":/res/orvanel-32.xpm"), QSize(32, 32));
        icon.addFile(QStringLiteral(":/res/orvanel-16.xpm"), QSize(16, 16));
    }
    return icon;
}

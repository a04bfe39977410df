#include "CountUrlMode.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "framework/QMyWeb.h"

#include <QApplication>
#include <QEventLoop>
#include <QNetworkProxy>

int CountUrlAction(int argc, char** argv) {
    if (argc != 3)
        return -1;
    if (QString::fromUtf8(argv[1]).compare(QLatin1String("--count--url--"), Qt::CaseInsensitive) != 0)
        return -1;
    const QString action = QString::fromUtf8(argv[2]);
    if (action == QLatin1String("install"))
        return QMyWeb::Install;
    if (action == QLatin1String("uninstall"))
        return QMyWeb::Uninstall;
    return -1;
}

bool CountUrlMode(int argc, char** argv) {
    const int action = CountUrlAction(argc, argv);
    if (action < 0)
        return false;

    QApplication application(argc, argv);
    // The installer calls this mode while the program may be running: no single-instance check and no
    // mutex. The settings stay alive for the rest of the process, as the page may still use the proxy.
    // They are only read: the installer runs this before the user's first start, which must still be one,
    // and a running program's settings must not change under it.
    gConfig = new MyConfig(MyConfig::Access::ReadOnly);
    QNetworkProxy::setApplicationProxy(ApplyConfigProxy(*gConfig));

    const QString link = gAppData ? gAppData->Stalink : QString();
    if (!link.isEmpty()) {
        QMyWeb web(link, action);
        QEventLoop loop;
        QObject::connect(&web, &QMyWeb::sglFreeWebView, &loop, &QEventLoop::quit);
        web.Start();
        loop.exec();
    }
    return true;
}

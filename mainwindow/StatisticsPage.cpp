#include "StatisticsPage.h"

#include "framework/QMyWeb.h"

QObject* OpenStatisticsPage(const QString& url, bool firstRun, const std::function<void()>& whenDone) {
    auto* page = new QMyWeb(url, firstRun ? QMyWeb::FirstOpen : QMyWeb::Open);
    QObject::connect(page, &QMyWeb::sglFreeWebView, page, [whenDone](const QString&) {
        if (whenDone)
            whenDone();
    });
    page->Start();
    return page;
}

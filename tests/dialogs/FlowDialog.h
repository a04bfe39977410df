#pragma once

// The update dialog shown on a real update flow of the given service, put together as the program does.

#include "FlowViewHost.h"
#include "dialogs/MyUpdateView.h"
#include "update/UpdateFlow.h"

#include <QNetworkProxy>
#include <QSignalSpy>

struct FlowDialog {
    explicit FlowDialog(CRegImpl& service) : flow(service), finished(&flow, &UpdateFlow::CheckFinished), host(flow) {
        flow.SetProxySource([] { return QNetworkProxy(QNetworkProxy::NoProxy); });
        view.SetHost(&host);
        flow.SetUpdateView(&view);
        view.show();
    }

    UpdateFlow flow;
    QSignalSpy finished;
    FlowViewHost host;
    MyUpdateView view;
};

#include "UpdateService.h"

#include "CRegImpl.h"
#include "app/EditionData.h"

#include <QScopedPointer>

CRegImpl& UpdateService() {
    static QScopedPointer<CRegImpl> service(new CRegImpl);
    return *service;
}

QString UpdateEndpoint() {
    if (qEnvironmentVariableIsSet("MENDRA_UPDATE_SERVER"))
        return qEnvironmentVariable("MENDRA_UPDATE_SERVER").trimmed();
    return gAppData ? gAppData->UpdateServer : QString();
}

void SetUpUpdateService(CRegImpl& service) {
    if (!gAppData)
        return;
    service.SetUp(gAppData->RegName.toUtf8(), gAppData->Version.toUtf8(), gAppData->Language.toUtf8(),
                  UpdateEndpoint().toUtf8());
}

void SetServiceLanguage(const QByteArray& lang) {
    UpdateService().SetServiceLanguage(lang);
}

void SetServiceProxy(const QNetworkProxy& proxy, CRegNet& service) {
    service.SetProxy(static_cast<int>(proxy.type()), proxy.hostName().toLocal8Bit(), proxy.port(),
                     proxy.user().toLocal8Bit(), proxy.password().toLocal8Bit());
}

const char* GetUpdateInfo(int index) {
    return UpdateService().GetUpdateInfo(index);
}

#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QString>

class CRegImpl;
class CRegNet;

// The process-wide update service, made on first use and deleted at exit.
CRegImpl& UpdateService();

// The address the update query is appended to: the value of MENDRA_UPDATE_SERVER when that variable is
// set (set but empty: there is nowhere to ask), else the edition's update server.
QString UpdateEndpoint();

// Sets the service up with the edition's product name, version and language and UpdateEndpoint().
void SetUpUpdateService(CRegImpl& service);

// The language every later query of the process-wide service is sent with.
void SetServiceLanguage(const QByteArray& lang);

// Hands the proxy's kind, host, port, user and password to the service.
void SetServiceProxy(const QNetworkProxy& proxy, CRegNet& service);

// What the last checks of the process-wide service told: 0 the release notes, 1 the newest version,
// 2 the download address (UTF-8); empty for any other index. Valid until the next call.
const char* GetUpdateInfo(int index);

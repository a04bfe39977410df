#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QString>
#include <QUrl>

// What HiddenWebPage and the program that hosts its web engine (mendra-webpage) say to each other, one line
// at a time: a load request to the host on its standard input, the end of each load back on its standard
// output. The host ends when its input ends.
namespace WebPageProtocol {

// A load, with what the page would have taken from the program it ran in: the application proxy, and the
// application and organisation names that place the web engine's profile (its cookies and cache).
struct LoadRequest {
    QUrl url;
    QNetworkProxy proxy;
    QString applicationName;
    QString organizationName;
};

QByteArray EncodeRequest(const LoadRequest& request);
// False for a line that is no load request.
bool DecodeRequest(const QByteArray& line, LoadRequest* request);

QByteArray EncodeLoadEnd(bool ok);
// False for a line that is no load end.
bool DecodeLoadEnd(const QByteArray& line, bool* ok);

} // namespace WebPageProtocol

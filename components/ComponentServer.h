#pragma once

#include <QString>
#include <QUrl>

// Where the support packages are fetched: the maker's server, whose address (scheme, host and port)
// the edition configuration gives in <ComponentServer>, under the fixed folder
// "/update/linux/Tavik Sorvanta/components/". MENDRA_COMPONENT_SERVER ("scheme://host[:port]", no
// path) replaces the address and keeps the folder. Only https is accepted: the packages are installed
// with administrator rights.
namespace ComponentServer {

QString PackageFolder();
// The server's address; an empty URL, with the reason in why, when it is missing or not a bare https
// address.
QUrl Address(QString* why = nullptr);
// The address of one package file on that server; empty as Address() is.
QUrl PackageUrl(const QString& file, QString* why = nullptr);

} // namespace ComponentServer

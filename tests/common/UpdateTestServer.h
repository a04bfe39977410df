#pragma once

// The update tests' server (tests/common/peers/update_server.py) and a service pointed at one of its answers.

#include "PythonPeer.h"
#include "update/CRegImpl.h"

#include <QJsonArray>

#include <memory>

inline bool StartUpdateServer(PythonPeer& server, const QStringList& arguments = {}) {
    return server.start(QStringLiteral("update_server.py"), arguments);
}

// The address under which the test server gives the named answer (see update_server.py).
inline QString AnswerEndpoint(const PythonPeer& server, const QString& answer,
                              const QString& scheme = QStringLiteral("http")) {
    return server.url(QStringLiteral("/%1/update-product-info/update.php").arg(answer), scheme);
}

inline std::unique_ptr<CRegImpl> MakeService(const QString& endpoint, const QByteArray& versioncur = "2.0.9",
                                             const QByteArray& lang = "en") {
    auto service = std::make_unique<CRegImpl>();
    service->SetUp("Tavik Mendra", versioncur, lang, endpoint.toUtf8());
    return service;
}

// The value of a header as the peer recorded it; empty when it was not sent.
inline QString RecordedHeader(const QJsonObject& record, const QString& name) {
    for (const QJsonValue& header : record.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray pair = header.toArray();
        if (pair.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return pair.at(1).toString();
    }
    return {};
}

inline bool HasRecordedHeader(const QJsonObject& record, const QString& name) {
    for (const QJsonValue& header : record.value(QStringLiteral("headers")).toArray()) {
        if (header.toArray().at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

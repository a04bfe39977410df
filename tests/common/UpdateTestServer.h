#pragma once

// The update tests' server (tests/common/peers/update_server.py) and a service pointed at one of its answers.

#include "PythonPeer.h"
#include "RecordedRequest.h"
#include "update/CRegImpl.h"

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

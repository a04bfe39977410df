#pragma once

// The update tests' server (tests/common/peers/update_server.py) and a service pointed at one of its answers.

#include "PythonPeer.h"
#include "RecordedRequest.h"
#include "update/CRegImpl.h"

#include <QFile>

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

// A reply as the test server's "newer" answer makes it, from its parts; each text goes in as given (XML
// escapes included), the notes Base64-encoded.
struct UpdateReply {
    QByteArray version = "2.1.0";
    QByteArray notes = "Fixes and improvements.";
    QByteArray displayName = "Mendra Test";
    QByteArray download = "http://127.0.0.1/download/mendra.exe";
    QByteArray inside; // at the end of the root element
    QByteArray before; // ahead of the XML declaration
    QByteArray after;  // behind the root element

    QByteArray toXml() const {
        return before +
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<upd:Info xmlns:upd=\"urn:test:update\">\n"
               "<upd:ProductCode>MENDRA-TEST</upd:ProductCode>\n<upd:ProductDisplayName>" +
               displayName + "</upd:ProductDisplayName>\n<upd:ProductVer>" + version +
               "</upd:ProductVer>\n<upd:DownloadURL>" + download +
               "</upd:DownloadURL>\n<upd:WhatsNew><upd:Description>" + notes.toBase64() +
               "</upd:Description></upd:WhatsNew>\n" + inside + "</upd:Info>" + after;
    }
};

// Puts bytes where the server's "reply" answer reads them (see StartUpdateServer's --reply-file).
inline bool WriteReply(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

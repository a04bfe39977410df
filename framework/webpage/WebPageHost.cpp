#include "WebPageHost.h"

#include "WebPageProtocol.h"

#include <QCoreApplication>
#include <QThread>
#include <QWebEnginePage>

#include <iostream>
#include <string>

WebPageHost::WebPageHost() = default;

WebPageHost::~WebPageHost() {
    delete m_page;
    if (m_reader) {
        m_reader->wait();
        delete m_reader;
    }
}

void WebPageHost::Start() {
    // Standard input is read on a thread of its own: a blocking read works on every system.
    m_reader = QThread::create([this] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const QByteArray bytes = QByteArray::fromStdString(line);
            QMetaObject::invokeMethod(
                this, [this, bytes] { HandleLine(bytes); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(this, &WebPageHost::InputEnded, Qt::QueuedConnection);
    });
    m_reader->start();
}

void WebPageHost::HandleLine(const QByteArray& line) {
    WebPageProtocol::LoadRequest request;
    if (!WebPageProtocol::DecodeRequest(line, &request))
        return;
    // Before the page exists: the web engine takes the proxy when it makes the page's network context.
    QNetworkProxy::setApplicationProxy(request.proxy);
    if (!m_page) {
        // The web engine's profile (cookies, cache) lives where it would in the program that asked.
        QCoreApplication::setApplicationName(request.applicationName);
        QCoreApplication::setOrganizationName(request.organizationName);
        m_page = new QWebEnginePage();
        connect(m_page, &QWebEnginePage::loadFinished, this,
                [](bool ok) { std::cout << WebPageProtocol::EncodeLoadEnd(ok).toStdString() << std::flush; });
    }
    m_page->load(request.url);
}

void WebPageHost::InputEnded() {
    if (m_page) {
        m_page->triggerAction(QWebEnginePage::Stop);
        delete m_page;
        m_page = nullptr;
    }
    QCoreApplication::quit();
}

#include "QMyWeb.h"

#include "HiddenWebPage.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

QMyWeb::QMyWeb(const QString& url, int mode, QObject* parent) : QObject(parent), m_url(url), m_mode(mode) {
    // The page loads through the web engine's own network stack; the manager only keeps the proxy. It is made
    // with the first load: a network manager loads Qt's network bearer plugins, which the start need not wait for.
    m_proxy = QNetworkProxy::applicationProxy();
    m_page = new HiddenWebPage();
    m_timer = new QTimer();
    connect(m_page, &HiddenWebPage::loadFinished, this, &QMyWeb::LoadWebFinished);
    connect(m_timer, &QTimer::timeout, this, &QMyWeb::ConnectTimeOut);
    connect(this, &QMyWeb::sglStart, this, &QMyWeb::sltStart, Qt::QueuedConnection);
}

QMyWeb::~QMyWeb() {
    m_closing = true;
    delete m_timer;
    m_page->Stop();
    delete m_page;
    delete m_manager;
}

void QMyWeb::Start() {
    emit sglStart();
}

void QMyWeb::SetProxy(const QNetworkProxy& proxy) {
    m_proxy = proxy;
    if (m_manager)
        m_manager->setProxy(proxy);
}

void QMyWeb::SetMode(int mode) {
    m_mode = mode;
}

void QMyWeb::SetConnectTimeOut(int milliseconds) {
    m_connectTimeOut = milliseconds;
}

void QMyWeb::SetPauseUnit(int milliseconds) {
    m_pauseUnit = milliseconds;
}

void QMyWeb::sltStart() {
    QUrl url = QUrl::fromUserInput(m_url);
    // The action joins the items the address already carries (version and language), so that the statistics
    // keep telling editions and languages apart.
    QUrlQuery query(url);
    QStringList actions;
    switch (m_mode) {
    case Open:
        actions = QStringList{QStringLiteral("open")};
        break;
    case FirstOpen:
        actions = QStringList{QStringLiteral("open"), QStringLiteral("first")};
        break;
    case Install:
        actions = QStringList{QStringLiteral("install")};
        break;
    case Uninstall:
        actions = QStringList{QStringLiteral("uninstall")};
        break;
    default:
        break;
    }
    for (const QString& action : qAsConst(actions))
        query.addQueryItem(action, QString());
    url.setQuery(query);

    if (!m_manager) {
        m_manager = new QNetworkAccessManager();
        m_manager->setProxy(m_proxy);
    }
    m_closing = false;
    m_timer->start(m_connectTimeOut);
    m_page->Load(url);
}

void QMyWeb::LoadWebFinished(bool ok) {
    Q_UNUSED(ok) // an unreachable page has been tried all the same
    if (m_closing)
        return;
    m_timer->stop();
    const int pause = (QRandomGenerator::global()->bounded(5) + 2) * m_pauseUnit;
    QTimer::singleShot(pause, this, &QMyWeb::AccessTime);
}

void QMyWeb::AccessTime() {
    emit sglFreeWebView(QStringLiteral("AccessTime"));
}

void QMyWeb::ConnectTimeOut() {
    m_timer->stop();
    emit sglFreeWebView(QStringLiteral("ConnectTimeOut"));
}

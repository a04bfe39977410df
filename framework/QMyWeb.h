#pragma once

#include <QNetworkProxy>
#include <QObject>
#include <QString>

class HiddenWebPage;
class QNetworkAccessManager;
class QTimer;

// Reports one usage event by loading the statistics page, with the action in its query, in a hidden web page;
// then tells its owner, through sglFreeWebView, that it may be freed. The page's content is never read. The web
// engine starts with the first load (see HiddenWebPage), not with the object.
class QMyWeb : public QObject {
    Q_OBJECT

public:
    enum Mode { Open = 0, FirstOpen = 1, Install = 2, Uninstall = 3 };

    QMyWeb(const QString& url, int mode, QObject* parent = nullptr);
    ~QMyWeb() override;

    // The load begins on the next pass of the event loop, once the caller has made its connections.
    void Start();
    void SetProxy(const QNetworkProxy& proxy);
    void SetMode(int mode);

    // How long a load may take before giving up, and the unit of the random pause (2 to 6 units) after a
    // load ended; tests shorten both.
    void SetConnectTimeOut(int milliseconds);
    void SetPauseUnit(int milliseconds);

signals:
    void sglFreeWebView(QString str);
    void sglStart();

private slots:
    void sltStart();
    void ConnectTimeOut();
    void AccessTime();
    void LoadWebFinished(bool ok);

private:
    HiddenWebPage* m_page = nullptr;
    QNetworkAccessManager* m_manager = nullptr; // made by the first load
    QNetworkProxy m_proxy;
    QTimer* m_timer = nullptr;
    QString m_url;
    QString m_reserved;
    int m_mode = Open;
    bool m_closing = false;
    int m_connectTimeOut = 30000;
    int m_pauseUnit = 1000;
};

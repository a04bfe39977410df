#pragma once

#include <QByteArray>
#include <QObject>

class QThread;
class QWebEnginePage;

// The web engine's side of HiddenWebPage: loads each requested address in one hidden page and reports the end
// of every load. Reads its requests from standard input; when that ends (the program that started it has let
// go of the page, or has ended), stops the page and ends the application.
class WebPageHost : public QObject {
    Q_OBJECT

public:
    WebPageHost();
    ~WebPageHost() override;

    // Starts reading the requests.
    void Start();

private:
    void HandleLine(const QByteArray& line);
    void InputEnded();

    QWebEnginePage* m_page = nullptr; // made by the first request, once its names and proxy are in place
    QThread* m_reader = nullptr;
};

#pragma once

#include <QObject>
#include <QString>

class QProcess;
class QUrl;

// The hidden page QMyWeb loads the statistics page in. Its web engine (libraries of a few hundred megabytes,
// an OpenGL context of its own, helper processes) runs in a program of its own, mendra-webpage, started on
// the first load: the program's start and memory carry none of it, and no window waits while the engine
// starts. A host that cannot be started, or that ends during a load, ends that load as failed.
class HiddenWebPage : public QObject {
    Q_OBJECT

public:
    explicit HiddenWebPage(QObject* parent = nullptr);
    // Stops the load; the host is told to end and ends on its own.
    ~HiddenWebPage() override;

    // Loads the address with the application's proxy; loadFinished follows once for each load.
    void Load(const QUrl& url);
    // Ends the load under way, if any, without a loadFinished for it.
    void Stop();

    // The host program: mendra-webpage in the program's folder unless set (tests name the one they built).
    static void SetHostProgram(const QString& path);
    static QString HostProgram();

signals:
    void loadFinished(bool ok);

private:
    void StartHost();
    void ReadLoadEnds();
    void HostEnded();
    void EndLoad(bool ok);

    QProcess* m_host = nullptr;
    int m_loads = 0; // loads asked for whose end has not come
};

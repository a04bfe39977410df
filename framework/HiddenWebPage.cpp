#include "HiddenWebPage.h"

#include "WebPageProtocol.h"

#include "platform/ProgramFolder.h"
#include "platform/WindowOpenGl.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {

// How long a host that was told to end may take before it is killed.
constexpr int kHostEndMs = 10000;

QString& HostProgramSetting() {
    static QString path;
    return path;
}

// Lets the host end on its own once its input is closed, and kills it when it does not.
void LetGo(QProcess* host) {
    host->disconnect();
    host->closeWriteChannel();
    if (host->state() == QProcess::NotRunning || !QCoreApplication::instance()) {
        delete host; // kills a host that is still starting
        return;
    }
    host->setParent(QCoreApplication::instance());
    QObject::connect(host, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), host, &QObject::deleteLater);
    QTimer::singleShot(kHostEndMs, host, &QProcess::kill);
}

} // namespace

HiddenWebPage::HiddenWebPage(QObject* parent) : QObject(parent) {}

HiddenWebPage::~HiddenWebPage() {
    Stop();
}

void HiddenWebPage::SetHostProgram(const QString& path) {
    HostProgramSetting() = path;
}

QString HiddenWebPage::HostProgram() {
    const QString& path = HostProgramSetting();
    return path.isEmpty() ? platform::programFolder() + QStringLiteral("/mendra-webpage") : path;
}

void HiddenWebPage::Load(const QUrl& url) {
    WebPageProtocol::LoadRequest request;
    request.url = url;
    request.proxy = QNetworkProxy::applicationProxy();
    request.applicationName = QCoreApplication::applicationName();
    request.organizationName = QCoreApplication::organizationName();
    ++m_loads;
    if (!m_host)
        StartHost();
    // A host that could not start ends its loads on the next pass of the event loop.
    if (m_host->state() != QProcess::NotRunning)
        m_host->write(WebPageProtocol::EncodeRequest(request));
}

void HiddenWebPage::StartHost() {
    m_host = new QProcess(this);
    // The web engine's own messages go where the program's go.
    m_host->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The web engine composites with OpenGL, which this program does without.
    m_host->setProcessEnvironment(platform::openGlProgramEnvironment());
    connect(m_host, &QProcess::readyReadStandardOutput, this, &HiddenWebPage::ReadLoadEnds);
    connect(m_host, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &HiddenWebPage::HostEnded);
    connect(
        m_host, &QProcess::errorOccurred, this,
        [this, host = QPointer<QProcess>(m_host)](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart || !host || host != m_host)
                return;
            qWarning("The web page host %s did not start: %s", qPrintable(m_host->program()),
                     qPrintable(m_host->errorString()));
            HostEnded();
        },
        Qt::QueuedConnection);
    m_host->start(HostProgram(), QStringList());
}

void HiddenWebPage::Stop() {
    m_loads = 0;
    if (!m_host)
        return;
    QProcess* host = m_host;
    m_host = nullptr;
    LetGo(host);
}

void HiddenWebPage::ReadLoadEnds() {
    while (m_host && m_host->canReadLine()) {
        bool ok = false;
        if (WebPageProtocol::DecodeLoadEnd(m_host->readLine(), &ok))
            EndLoad(ok);
    }
}

void HiddenWebPage::HostEnded() {
    if (!m_host)
        return;
    ReadLoadEnds();
    QProcess* host = m_host;
    m_host = nullptr;
    host->disconnect(this);
    host->deleteLater();
    // Loads the host took along count as failed.
    while (m_loads > 0)
        EndLoad(false);
}

void HiddenWebPage::EndLoad(bool ok) {
    if (m_loads == 0)
        return;
    --m_loads;
    emit loadFinished(ok);
}

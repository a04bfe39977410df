#include "BugreportThread.h"

#include "BugReportMail.h"
#include "SmtpClient.h"

#include "app/RunLog.h"

namespace {

int ConnectionType(MailSecurity security) {
    switch (security) {
    case MailSecurity::Tls:
        return SmtpClient::SslOnConnect;
    case MailSecurity::StartTls:
        return SmtpClient::StartTls;
    case MailSecurity::Plain:
        break;
    }
    return SmtpClient::PlainTcp;
}

} // namespace

BugreportThread::BugreportThread(const BugReportInfo& info, const MailAccount& account, QObject* parent)
    : QThread(parent), m_info(info), m_account(account) {
    connect(this, &QThread::finished, this, &BugreportThread::Finished);
}

BugreportThread::~BugreportThread() {
    Abort();
    wait();
}

bool BugreportThread::IsStopped() const {
    return m_stopped;
}

void BugreportThread::setInfo(const BugReportInfo& info) {
    m_info = info;
}

bool BugreportThread::Result() const {
    return m_result;
}

bool BugreportThread::IsTooLarge() const {
    return m_tooLarge;
}

bool BugreportThread::ThreadStop() {
    const std::lock_guard<std::mutex> lock(m_clientMutex);
    m_stopped = true;
    if (m_client)
        return m_client->RequestStop();
    return !m_sendOver;
}

void BugreportThread::Abort() {
    const std::lock_guard<std::mutex> lock(m_clientMutex);
    m_stopped = true;
    m_aborted = true;
    if (m_client)
        m_client->Abort();
}

void BugreportThread::setClient(SmtpClient* client) {
    const std::lock_guard<std::mutex> lock(m_clientMutex);
    m_client = client;
    if (client && m_aborted)
        client->Abort();
    if (client && m_stopped)
        client->RequestStop();
    if (!client)
        m_sendOver = true;
}

void BugreportThread::run() {
    m_result = send();
}

bool BugreportThread::send() {
    BugReportMail mail(m_info, m_account);
    if (!mail.IsSafe()) {
        RunLog->WriteString(TextLog::Error,
                            QStringLiteral("Bug report not sent: its name, address or subject holds a line break or "
                                           "another control character"),
                            true);
        setClient(nullptr);
        return false;
    }

    auto* client = new SmtpClient(m_account.host, m_account.port, ConnectionType(m_account.security));
    // Queued to this object's thread.
    connect(client, &SmtpClient::progress, this, &BugreportThread::progressSlot);
    connect(client, &SmtpClient::limitStop, this, &BugreportThread::LimitStop);
    client->setUser(m_account.user);
    client->setPassword(m_account.password);
    // An account without a password is a server that takes mail without AUTH.
    if (m_account.password.isEmpty())
        client->setAuthMethod(-1);
    setClient(client);

    bool sent = false;
    client->countTransferBytes(mail.Message());
    if (client->messageBytes() > BugReportMail::MaxMailBytes) {
        RunLog->WriteString(TextLog::Error,
                            QStringLiteral("Bug report not sent: the mail would have %1 bytes, more than the %2 mail "
                                           "servers commonly take")
                                .arg(client->messageBytes())
                                .arg(BugReportMail::MaxMailBytes),
                            true);
        m_tooLarge = true;
        setClient(nullptr);
        delete client;
        return false;
    }
    // A stop that came before the client existed ends the send before it reaches the server.
    if (!m_stopped && client->connectToHost()) {
        if (client->login())
            sent = client->sendMail(mail.Message());
        client->quit();
    }

    setClient(nullptr);
    delete client;
    return sent;
}

void BugreportThread::Finished() {
    emit updateResultUI(m_result, m_info.archivePath, reinterpret_cast<void*>(m_info.operator_));
}

void BugreportThread::SmtpError(int) {}

void BugreportThread::LimitStop() {
    emit limitStop(reinterpret_cast<void*>(m_info.operator_));
}

void BugreportThread::progressSlot(qlonglong bytesHandled, qlonglong bytesTotal) {
    emit progress(bytesHandled, bytesTotal, reinterpret_cast<void*>(m_info.operator_));
}

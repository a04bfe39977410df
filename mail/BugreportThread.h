#pragma once

#include "BugReportInfo.h"
#include "MailAccount.h"

#include <QThread>

#include <atomic>
#include <mutex>

class SmtpClient;

// Sends one bug-report mail on a thread of its own. The object itself lives on the thread that made it (the
// GUI thread): its slots run there and its signals are emitted there, each carrying the report's dialog
// (BugReportInfo::operator_) as Operator.
//
// Life of one send: start() -> progress(...)* -> limitStop(...) once the mail is past the point where a
// stop can still prevent it -> updateResultUI(result, archive path, Operator) after the thread ended.
// ThreadStop() may come at any time from the object's thread; the object may be deleted at any time too
// (it aborts the send and waits for the thread, which then ends within a fraction of a second).
class BugreportThread : public QThread {
    Q_OBJECT
public:
    BugreportThread(const BugReportInfo& info, const MailAccount& account, QObject* parent = nullptr);
    ~BugreportThread() override;

    // True once ThreadStop() was called, even when the mail went out anyway.
    bool IsStopped() const;
    // Replaces the report; only before start().
    void setInfo(const BugReportInfo& info);
    // Whether the mail was taken by the server; valid once finished() was emitted.
    bool Result() const;
    // Whether it was not sent because the mail would be larger than BugReportMail::MaxMailBytes; valid once
    // finished() was emitted.
    bool IsTooLarge() const;
    // For the program's end: unlike ThreadStop() this also ends the wait for the server's reply to the mail,
    // so the thread ends soon; whether the mail went out then stays unknown.
    void Abort();

signals:
    void updateResultUI(bool bResult, QString strPath, void* Operator);
    void progress(qlonglong bytesHandled, qlonglong bytesTotal, void* Operator);
    void limitStop(void* Operator);

public slots:
    // Stops the send. Returns whether it will stop: false when the mail is already in its final phase or
    // sent (it then completes), or when there is no send left to stop.
    bool ThreadStop();
    void Finished();
    void SmtpError(int error);
    void LimitStop();
    void progressSlot(qlonglong bytesHandled, qlonglong bytesTotal);

protected:
    void run() override;

private:
    bool send();
    void setClient(SmtpClient* client);

    BugReportInfo m_info;
    MailAccount m_account;
    std::atomic<bool> m_result{false};
    std::atomic<bool> m_stopped{false};
    std::atomic<bool> m_aborted{false};
    std::atomic<bool> m_tooLarge{false};
    // Guards m_client and m_sendOver against ThreadStop() from the object's thread while run() makes and
    // deletes the client, so a stop never reaches a deleted client.
    std::mutex m_clientMutex;
    SmtpClient* m_client = nullptr;
    bool m_sendOver = false;
};

#pragma once

// Runs SmtpClient's steps on a thread of their own, as the bug-report thread does, while the test's own
// thread goes on serving the peers; keeps what the client reported.

#include "mail/MimeMessage.h"
#include "mail/SmtpClient.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QList>
#include <QPair>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

struct ClientRun {
    struct Plan {
        QString host = QStringLiteral("127.0.0.1");
        quint16 port = 0;
        int connectionType = SmtpClient::PlainTcp;
        QString user;
        QString password;
        int authMethod = SmtpClient::SaslPlain;
        int replyTimeout = 3000;
        bool login = false;
        MimeMessage* message = nullptr; // null: connect (and log in) only
    };

    bool connected = false;
    bool loggedIn = false;
    bool sent = false;
    QList<int> errors;
    QList<QPair<qint64, qint64>> progress;
    int limitStops = 0;
    int lastCode = 0;
    QString lastText;
    qint64 elapsedMs = 0;
    bool finished = false;

    // The running client, for a stop request from the test's thread while the test knows the client waits on
    // its peer; null before and after the steps.
    std::atomic<SmtpClient*> client{nullptr};

    // Starts the steps and returns at once; wait() for their end.
    void start(const Plan& plan) {
        m_thread = QThread::create([this, plan] { steps(plan); });
        m_thread->start();
    }

    // Serves the test thread's events until the steps are done; false when they did not end in time.
    bool wait(int timeoutMs = 60000) {
        // An event loop rather than polling: the peers on this thread answer at once.
        QEventLoop loop;
        QObject::connect(m_thread, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        if (!m_thread->isFinished())
            loop.exec();
        const bool done = m_thread->isFinished();
        if (done) {
            m_thread->wait();
            delete m_thread;
            m_thread = nullptr;
            finished = true;
        }
        return done;
    }

    bool run(const Plan& plan, int timeoutMs = 60000) {
        start(plan);
        return wait(timeoutMs);
    }

    ~ClientRun() {
        if (m_thread) {
            m_thread->wait();
            delete m_thread;
        }
    }

private:
    void steps(const Plan& plan) {
        QElapsedTimer timer;
        timer.start();
        SmtpClient smtp(plan.host, plan.port, plan.connectionType);
        smtp.setUser(plan.user);
        smtp.setPassword(plan.password);
        smtp.setAuthMethod(plan.authMethod);
        smtp.setResponseTimeout(plan.replyTimeout);
        QObject::connect(&smtp, &SmtpClient::smtpError, [this](SmtpClient::SmtpError e) { errors.append(e); });
        QObject::connect(&smtp, &SmtpClient::progress, [this](qlonglong handled, qlonglong total) {
            progress.append({handled, total});
        });
        QObject::connect(&smtp, &SmtpClient::limitStop, [this] { ++limitStops; });
        if (plan.message)
            smtp.countTransferBytes(*plan.message);
        client = &smtp;
        connected = smtp.connectToHost();
        if (connected && plan.login)
            loggedIn = smtp.login();
        if (connected && (loggedIn || !plan.login) && plan.message)
            sent = smtp.sendMail(*plan.message);
        lastCode = smtp.getResponseCode();
        lastText = smtp.getResponseText();
        if (connected)
            smtp.quit();
        client = nullptr;
        elapsedMs = timer.elapsed();
    }

    QThread* m_thread = nullptr;
};

#pragma once

#include <QString>

// The mail account that bug reports are sent from.
struct MailAccount {
    MailAccount() = default;
    MailAccount(const QString& host, int port, bool ssl, const QString& user, const QString& password)
        : host(host), port(port), ssl(ssl), user(user), password(password) {}

    // A server to reach and an address to send from; the default (empty) account is not.
    bool IsUsable() const { return !host.isEmpty() && port > 0 && port <= 65535 && !user.isEmpty(); }

    QString host;
    int port = 0;
    bool ssl = false;
    QString user; // also the sender's address
    QString password;
};

#pragma once

#include <QString>

// The mail account that bug reports are sent from.
struct MailAccount {
    MailAccount() = default;
    MailAccount(const QString& host, int port, bool ssl, const QString& user, const QString& password)
        : host(host), port(port), ssl(ssl), user(user), password(password) {}

    QString host;
    int port = 0;
    bool ssl = false;
    QString user; // also the sender's address
    QString password;
};

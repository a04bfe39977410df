#pragma once

#include <QString>

// How the connection to the mail server is protected.
enum class MailSecurity {
    Tls,      // TLS from the first byte (usually port 465)
    StartTls, // plain connection upgraded with STARTTLS before anything else is sent (usually 587)
    Plain,    // no encryption; the password is then only sent to a server on this machine
};

// The mail account that bug reports are sent from. It is deployment data (see MailAccountFile), never
// part of the program.
struct MailAccount {
    MailAccount() = default;
    MailAccount(const QString& host, int port, MailSecurity security, const QString& user, const QString& password)
        : host(host), port(port), security(security), user(user), password(password) {}
    // ssl true: TLS from the start; false: plain TCP.
    MailAccount(const QString& host, int port, bool ssl, const QString& user, const QString& password)
        : MailAccount(host, port, ssl ? MailSecurity::Tls : MailSecurity::Plain, user, password) {}

    // An account without a server cannot send anything: bug reports are not set up.
    bool IsSetUp() const { return !host.isEmpty(); }

    QString host;
    int port = 0;
    MailSecurity security = MailSecurity::Tls;
    QString user;     // also the sender's address
    QString password; // empty: the server takes mail without AUTH
};

#pragma once

#include "MailAccount.h"

#include <QString>

// The deployment file that holds the bug-report mail account: an INI file with a section [mail] and the
// keys host, port, security ("tls", "starttls" or "plain"), user (also the sender's address) and
// password. It is the file that MENDRA_MAIL_CONFIG names when that variable is set, otherwise
// mail.ini in the installation's configuration folder (/etc/mendra/mail.ini).
//
// Lines are "key = value"; blanks around keys and values are dropped, a value may stand in double
// quotes (to keep blanks at its ends), lines starting with ";" or "#" are comments. Everything after
// the first "=" belongs to the value, so a password may hold any character but a line end.
class MailAccountFile {
public:
    enum class Status {
        Ready,    // the account can be used
        NotSetUp, // no file, or no host in it: this installation sends no bug reports
        Invalid,  // the file is there but unusable (see Problem())
    };

    // The path that Read() uses.
    static QString Path();

    // Reads Path().
    static MailAccountFile Read();
    // Reads the file at path.
    static MailAccountFile ReadFile(const QString& path);

    Status GetStatus() const { return m_status; }
    bool IsReady() const { return m_status == Status::Ready; }
    // The account; a default (not set up) account unless GetStatus() is Ready.
    const MailAccount& Account() const { return m_account; }
    // Why the file is Invalid or NotSetUp, for the run log (never holds the password).
    const QString& Problem() const { return m_problem; }

private:
    MailAccountFile(Status status, const QString& problem, const MailAccount& account = MailAccount());

    Status m_status;
    QString m_problem;
    MailAccount m_account;
};

#include "MailAccountFile.h"

#include "HeaderText.h"

#include "platform/DeploymentConfig.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>

namespace {

const QString kSection = QStringLiteral("mail");

// The keys and values of one section; keys in lower case.
QHash<QString, QString> ReadSection(QFile& file, const QString& wanted) {
    QHash<QString, QString> values;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    QString section;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (section != wanted || equals <= 0)
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        values.insert(line.left(equals).trimmed().toLower(), value);
    }
    return values;
}

int DefaultPort(MailSecurity security) {
    switch (security) {
    case MailSecurity::Tls:
        return 465;
    case MailSecurity::StartTls:
        return 587;
    case MailSecurity::Plain:
        break;
    }
    return 25;
}

} // namespace

MailAccountFile::MailAccountFile(Status status, const QString& problem, const MailAccount& account)
    : m_status(status), m_problem(problem), m_account(account) {}

QString MailAccountFile::Path() {
    if (qEnvironmentVariableIsSet("MENDRA_MAIL_CONFIG"))
        return qEnvironmentVariable("MENDRA_MAIL_CONFIG");
    return QDir(platform::deploymentConfigFolder()).filePath(QStringLiteral("mail.ini"));
}

MailAccountFile MailAccountFile::Read() {
    return ReadFile(Path());
}

MailAccountFile MailAccountFile::ReadFile(const QString& path) {
    if (path.isEmpty() || !QFile::exists(path))
        return {Status::NotSetUp, QStringLiteral("no mail account file %1").arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Status::Invalid,
                QStringLiteral("mail account file %1 cannot be read: %2").arg(path, file.errorString())};
    const QHash<QString, QString> values = ReadSection(file, kSection);

    MailAccount account;
    account.host = values.value(QStringLiteral("host"));
    if (account.host.isEmpty())
        return {Status::NotSetUp, QStringLiteral("mail account file %1 names no host in [mail]").arg(path)};
    if (account.host.contains(QLatin1Char(' ')) || HeaderText::HasControlCharacters(account.host))
        return {Status::Invalid,
                QStringLiteral("mail account file %1: host \"%2\" is no host name").arg(path, account.host)};

    const QString security = values.value(QStringLiteral("security"), QStringLiteral("tls")).toLower();
    if (security == QLatin1String("tls"))
        account.security = MailSecurity::Tls;
    else if (security == QLatin1String("starttls"))
        account.security = MailSecurity::StartTls;
    else if (security == QLatin1String("plain"))
        account.security = MailSecurity::Plain;
    else
        return {Status::Invalid, QStringLiteral("mail account file %1: security \"%2\" is none of tls, starttls, plain")
                                     .arg(path, security)};

    const QString port = values.value(QStringLiteral("port"));
    bool portOk = true;
    account.port = port.isEmpty() ? DefaultPort(account.security) : port.toInt(&portOk);
    if (!portOk || account.port < 1 || account.port > 65535)
        return {Status::Invalid, QStringLiteral("mail account file %1: port \"%2\" is no port number").arg(path, port)};

    account.user = values.value(QStringLiteral("user"));
    if (account.user.isEmpty())
        return {Status::Invalid, QStringLiteral("mail account file %1 names no user in [mail]").arg(path)};
    if (!HeaderText::IsSafeAddress(account.user))
        return {Status::Invalid,
                QStringLiteral("mail account file %1: user \"%2\" is no mail address").arg(path, account.user)};
    account.password = values.value(QStringLiteral("password"));
    return {Status::Ready, QString(), account};
}

#pragma once

#include <QObject>
#include <QString>

// One mailbox: a display name and an address.
class EmailAddress : public QObject {
    Q_OBJECT
public:
    explicit EmailAddress(const QString& address = QString(), const QString& name = QString(),
                          QObject* parent = nullptr);

    void setName(const QString& name);
    void setAddress(const QString& address);
    QString name() const;
    QString address() const;

    // True when both can go into a header and an SMTP command without changing their meaning: the address
    // is a plain one (HeaderText::IsSafeAddress) and the name holds no control character.
    bool isSafe() const;

private:
    QString m_name;
    QString m_address;
};

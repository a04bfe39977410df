#include "EmailAddress.h"

#include "HeaderText.h"

EmailAddress::EmailAddress(const QString& address, const QString& name, QObject* parent)
    : QObject(parent), m_name(name), m_address(address) {}

void EmailAddress::setName(const QString& name) {
    m_name = name;
}

void EmailAddress::setAddress(const QString& address) {
    m_address = address;
}

QString EmailAddress::name() const {
    return m_name;
}

QString EmailAddress::address() const {
    return m_address;
}

bool EmailAddress::isSafe() const {
    return HeaderText::IsSafeAddress(m_address) && !HeaderText::HasControlCharacters(m_name);
}

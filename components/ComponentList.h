#pragma once

#include <QByteArray>
#include <QDomElement>
#include <QList>
#include <QString>

// One package of the device support software: the machine architecture it is built for, its file
// name on the maker's server and its SHA-256, which a download must match before it is installed.
struct ComponentPackage {
    QString arch;
    QString file;
    QByteArray sha256; // 64 lower-case hex digits
};

// The packages on offer, read from a <Components> element with one
// <Package arch="amd64" file="usbmuxd_amd64.deb" sha256="..."/> per architecture: the edition
// configuration's own, or, when MENDRA_COMPONENT_LIST names a file, the root element of that file (a
// mirror's or a test's list), which then replaces the edition's.
//
// An entry whose file name could leave the download folder or whose digest is not a SHA-256 is
// dropped with a diagnostic: the list may come from outside the program.
class ComponentList {
public:
    // The list in force for this process (see above).
    static ComponentList Load();
    static ComponentList FromElement(const QDomElement& components);
    static ComponentList FromFile(const QString& path);

    const QList<ComponentPackage>& packages() const { return m_packages; }
    // The first package for the architecture; false when there is none.
    bool find(const QString& arch, ComponentPackage* package) const;
    // Why the list could not be read at all; empty when it could.
    const QString& error() const { return m_error; }

    // A plain file name: letters, digits, ".", "_", "+", "-", not starting with ".".
    static bool IsSafeFileName(const QString& file);

private:
    static ComponentList Refused(const QString& why);

    QList<ComponentPackage> m_packages;
    QString m_error;
};

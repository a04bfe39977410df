#pragma once

#include <QLocale>
#include <QObject>
#include <QString>

// Version helper object: the dotted comparison, the version block of one of our own binaries and
// the "x.y.z (Build nnnn)" display form, plus the locale those texts are meant for.
class CVersion : public QObject {
    Q_OBJECT

public:
    explicit CVersion(QObject* parent = nullptr);
    ~CVersion() override;

    // The process-wide instance, made on first use and deleted at exit.
    static CVersion* Instance();

    static int CompareVersion(const QString& a, const QString& b);

    // The version text of the block embedded in the file, or "" when it has none.
    static QString FileVersionText(const QString& filePath);

    // "1.2.3.45" -> "1.2.3 (Build 0045)"; missing fields count as 0.
    static QString FormatBuildVersion(const QString& version);

    void SetLocale(const QLocale& locale);
    QLocale Locale() const;

private:
    QLocale m_locale;
};

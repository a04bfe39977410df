#pragma once

#include "device/BugReportDisplay.h"

#include <QList>
#include <QString>
#include <QStringList>

inline QString StateWord(BugReportViewState state) {
    switch (state) {
    case BugReportViewState::Idle:
        return QStringLiteral("Idle");
    case BugReportViewState::Sending:
        return QStringLiteral("Sending");
    case BugReportViewState::Stopped:
        return QStringLiteral("Stopped");
    case BugReportViewState::Finished:
        return QStringLiteral("Finished");
    case BugReportViewState::NotSetUp:
        return QStringLiteral("NotSetUp");
    }
    return QStringLiteral("?");
}

// The dialog as the model drives it: the form's values, and a log of what it was told to show.
class RecordingDisplay : public BugReportDisplay {
public:
    QString name = QStringLiteral("Erika Muster");
    QString email = QStringLiteral("erika@example.com");
    QString content = QStringLiteral("The repair stopped at 42 %.\nError 4013.");
    QString attachment;
    QStringList log;
    QList<int> progress;

    QString Name() const override { return name; }
    QString Email() const override { return email; }
    QString Content() const override { return content; }
    QString AttachmentPath() const override { return attachment; }
    bool IsSending() const override { return m_sending; }
    void SetState(BugReportViewState state) override {
        log << StateWord(state);
        m_sending = state == BugReportViewState::Sending;
    }
    void SetStateText(const QString& text) override { log << "Text(" + text + ")"; }
    void SetProgress(int percent) override { progress << percent; }
    void ShowResult(bool sent) override {
        log << (sent ? QStringLiteral("Sent") : QStringLiteral("Failed"));
        m_sending = false;
    }
    void ShowEmailValid() override { log << QStringLiteral("EmailValid"); }
    void ShowEmailInvalid() override { log << QStringLiteral("EmailInvalid"); }
    // The other fields' marks are logged only when set; a cleared one is the usual case.
    void ShowNameValid() override {}
    void ShowNameInvalid() override { log << QStringLiteral("NameInvalid"); }
    void ShowAttachmentFits() override {}
    void ShowAttachmentTooLarge() override { log << QStringLiteral("AttachmentTooLarge"); }
    void ShowAttachmentUnreadable() override { log << QStringLiteral("AttachmentUnreadable"); }

private:
    bool m_sending = false;
};

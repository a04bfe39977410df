#pragma once

#include "device/BugReportDisplay.h"
#include "ui_BugReportView.h"

#include <QDialog>
#include <QString>

#include <functional>

class BugReportViewHost;

// The "Bug Report" dialog: address, name, description and an optional attachment, "Submit", and the
// display of the send that follows. It checks nothing itself: "Submit" hands the dialog to its host,
// which validates, sends and drives the display (BugReportDisplay).
class MyBugReportView : public QDialog, public Ui_BugReportView, public BugReportDisplay {
    Q_OBJECT
public:
    // Opens the file dialog for an attachment: (parent, caption, start folder, filter) -> chosen path, or
    // empty when cancelled.
    using AttachmentChooser =
        std::function<QString(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)>;

    MyBugReportView(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MyBugReportView() override;

    void SetHost(BugReportViewHost* host) { m_host = host; }
    // Replaces the system's file dialog (tests).
    void SetAttachmentChooser(AttachmentChooser chooser) { m_chooseAttachment = std::move(chooser); }

    QString Name() const override;
    QString Email() const override;
    QString Content() const override;
    QString AttachmentPath() const override { return m_attachmentPath; }
    bool IsSending() const override { return m_sending; }
    BugReportViewState GetState() const { return m_state; }

    void SetState(BugReportViewState state) override;
    void SetStateText(const QString& text) override;
    void SetProgress(int percent) override;
    void ShowResult(bool sent) override;
    void ShowEmailValid() override;
    void ShowEmailInvalid() override;
    void ShowNameValid() override;
    void ShowNameInvalid() override;
    void ShowAttachmentFits() override;
    void ShowAttachmentTooLarge() override;
    void ShowAttachmentUnreadable() override;

    void Retranslate();

public slots:
    void SltAddAnnex();
    void SltReport();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // What the state label holds, so that a change of language can give it again.
    enum class StateText { Given, Sent, Failed, NotSetUp };

    void ApplyPlaceholders();
    void ShowStateText();
    void ShowAttachment();
    // The warning under the fields for the first of their problems, or none.
    void ShowWarning();
    // What the warning says of an attachment that cannot be attached, its name elided to the room left.
    QString UnreadableText() const;
    void RememberSender() const;

    BugReportViewHost* m_host = nullptr;
    AttachmentChooser m_chooseAttachment;
    BugReportViewState m_state = BugReportViewState::Idle;
    bool m_sending = false;
    bool m_addressInvalid = false;
    bool m_nameInvalid = false;
    bool m_attachmentTooLarge = false;
    bool m_attachmentUnreadable = false;
    QString m_attachmentPath;
    StateText m_stateTextKind = StateText::Given;
    QString m_givenStateText;
};

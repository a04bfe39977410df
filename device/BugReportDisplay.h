#pragma once

#include <QString>

// What a bug-report dialog shows of its report.
enum class BugReportViewState {
    Idle,     // nothing sent from this dialog yet: no progress, no state text
    Sending,  // progress shown, state text hidden
    Stopped,  // the send was stopped (the dialog is closing): progress stays, state text unchanged
    Finished, // the send ended: progress hidden, state text shown
    NotSetUp, // this installation sends no bug reports: progress hidden, the dialog's own notice shown
};

// The bug-report dialog as the sending side sees it: the form's values, and the display of one send from
// start to result. It depends on nothing above Qt's core, so the sending side can drive the dialog
// without knowing widgets.
class BugReportDisplay {
public:
    // The largest attachment a report takes, checked before anything is packed: as Base64 in lines of 76 it
    // grows by 4/3 and 2 bytes a line, to 24.4 MB for 17 MiB, which leaves room for the logs and the text in
    // a mail under the 25 MB that mail servers commonly take (BugReportMail::MaxMailBytes). The whole mail is
    // held in memory while it is sent, about fifteen times the attachment.
    static constexpr qint64 MaxAttachmentMb = 17;
    static constexpr qint64 MaxAttachmentBytes = MaxAttachmentMb * 1024 * 1024;

    virtual ~BugReportDisplay() = default;

    // The form's values as typed; nothing is trimmed or checked.
    virtual QString Name() const = 0;
    virtual QString Email() const = 0;
    virtual QString Content() const = 0;
    // The file chosen to go with the report; empty for none.
    virtual QString AttachmentPath() const = 0;
    // A send from this dialog is under way (between SetState Sending and the next other state).
    virtual bool IsSending() const = 0;

    virtual void SetState(BugReportViewState state) = 0;
    // Rich text for the state label, shown from the next SetState(Finished) on.
    virtual void SetStateText(const QString& text) = 0;
    // Percent of the mail handed to the server; held to 0..100.
    virtual void SetProgress(int percent) = 0;
    // The end of a send: SetState(Finished) with the dialog's own result text for a sent or failed report
    // in the skin's colour; it follows a change of language.
    virtual void ShowResult(bool sent) = 0;
    // The address check: ShowEmailInvalid marks the address field and says why; ShowEmailValid takes both
    // back.
    virtual void ShowEmailValid() = 0;
    virtual void ShowEmailInvalid() = 0;
    // The same for a name that cannot go into the mail's header (a line break or another control character).
    virtual void ShowNameValid() = 0;
    virtual void ShowNameInvalid() = 0;
    // The attachment check: ShowAttachmentTooLarge says that the file is over MaxAttachmentBytes (or makes the
    // mail too large), ShowAttachmentUnreadable that it cannot be attached (gone, a link, a FIFO, a device or
    // a folder); ShowAttachmentFits takes either back.
    virtual void ShowAttachmentFits() = 0;
    virtual void ShowAttachmentTooLarge() = 0;
    virtual void ShowAttachmentUnreadable() = 0;
};

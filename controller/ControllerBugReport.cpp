// The controller's part in bug reports: the dialog in its child frame, and the dialog's host, which hands the
// dialog on to the engine.
#include "Controller.h"

#include "app/FileFilters.h"
#include "device/RepairEngine.h"
#include "dialogs/MyBugReportView.h"

MyBugReportView* Controller::GetBugReportView() const {
    return m_bugReportView;
}

void Controller::ShowBugReportFrame() {
    // The frame is modal: while it is open there is nothing more to open.
    if (m_bugReportView)
        return;
    QPointer<MyBugReportView> view = new MyBugReportView(WindowWidget(), Qt::FramelessWindowHint);
    m_bugReportView = view;
    view->SetHost(this);
    if (m_model)
        m_model->SetBugReportView(view);
    // The main window went while the frame was open, and this controller with it: the engine has stopped the
    // send and the view is gone, so nothing here may be touched.
    if (!ExecChildFrame(view, "BUG_FRAME", QStringLiteral("bugReportFrame")))
        return;
    if (view)
        StopBugReport(view);
    // A report being sent needs a moment to notice the stop before its view goes.
    WaitInEventLoop(500);
    // The view tells the engine that it goes (BugReportViewDestroyed).
    delete view;
    m_bugReportView = nullptr;
}

bool Controller::IsBugReportSetUp() {
    return m_model && m_model->IsBugReportSetUp();
}

void Controller::SendBugReport(BugReportDisplay* view) {
    if (m_model)
        m_model->SendBugReport(view);
}

void Controller::StopBugReport(BugReportDisplay* view) {
    if (m_model)
        m_model->StopBugReport(view);
}

void Controller::BugReportViewDestroyed(BugReportDisplay* view) {
    if (m_model && view && view == static_cast<BugReportDisplay*>(m_bugReportView.data()))
        m_model->SetBugReportView(nullptr);
}

QString Controller::SupportedFilesFilter() {
    return QStringLiteral("%2 (%1);;").arg(ImageFileFilter(false), tr("Supported Files"));
}

// The device model's part in sending bug reports. The mail sending is not part of the engine and is wired
// in here by its own work; until then no report is sent and no sending thread ever exists.
#include "MyModel.h"

#include "app/RunLog.h"

#include <QCoreApplication>

void MyModel::SendBugReport(QObject* view) {
    m_bugReportView = view;
    // The account comes with the deployment, never with the program: without one the user must hear that the
    // report went nowhere.
    if (!m_mailAccount.IsSetUp()) {
        RunLog->WriteString(TextLog::Error, QStringLiteral("Bug report not sent: no mail account is set up."), true);
        ShowMessage(QCoreApplication::translate(
            "QObject", "No mail account is set up for sending bug reports. The report was not sent."));
    }
}

void MyModel::StopBugReport(QObject* view) {
    if (view && view == m_bugReportView)
        emit SglStopBugReport();
}

void MyModel::SltUpdateSendResultFun(bool, QString, void*) {
    m_bugReportThread = nullptr;
}

void MyModel::SltLimitStop(void*) {}

void MyModel::SltProgress(qlonglong, qlonglong, void*) {}

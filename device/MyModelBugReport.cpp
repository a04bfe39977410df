// The device model's part in sending bug reports. The mail sending is not part of the engine and is wired
// in here by its own work; until then no report is sent and no sending thread ever exists.
#include "MyModel.h"

void MyModel::SendBugReport(AuxiliaryView* view) {
    m_bugReportView = view;
}

void MyModel::StopBugReport(AuxiliaryView* view) {
    if (view && view == m_bugReportView)
        emit SglStopBugReport();
}

void MyModel::SltUpdateSendResultFun(bool, QString, void*) {
    m_bugReportThread = nullptr;
}

void MyModel::SltLimitStop(void*) {}

void MyModel::SltProgress(qlonglong, qlonglong, void*) {}

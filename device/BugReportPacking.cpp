#include "BugReportPacking.h"

BugReportPacking::BugReportPacking(const QString& archiver, const QString& archive, const QString& dataDir,
                                   const QString& attachment, QObject* parent)
    : QThread(parent), m_archive(archive), m_dataDir(dataDir), m_attachment(attachment) {
    m_packer.SetArchiver(archiver);
    m_packer.SetStopFlag(&m_stop);
}

BugReportPacking::~BugReportPacking() {
    Stop();
    wait();
}

void BugReportPacking::Stop() {
    m_stop = true;
}

void BugReportPacking::run() {
    m_packed = m_packer.Pack(m_archive, m_dataDir, m_attachment);
}

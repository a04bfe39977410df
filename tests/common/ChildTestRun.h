#pragma once

// Runs one test function of this same test program in a child process with extra environment variables,
// for what a process reads only once (the system locale, the font configuration). The function itself skips
// unless it finds its variables set.

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

inline void RunTestFunctionInChild(const QString& function, const QProcessEnvironment& environment) {
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY2(child.waitForFinished(60000), "the child test did not finish");
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());
}

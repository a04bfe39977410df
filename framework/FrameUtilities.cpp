#include "FrameUtilities.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
bool appFlag = false;
}

void WaitWithEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < qint64(milliseconds))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool GetAppFlag() {
    return appFlag;
}
void SetAppFlag(const bool& flag) {
    appFlag = flag;
}

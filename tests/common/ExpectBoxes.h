#pragma once

#include "framework/MendraMessageBox.h"

#include <QList>
#include <QtTest>

// Queues the answers a test expects to give to message boxes, then one more that no box should take: a
// box the test did not expect is answered "closed" at once instead of waiting for a user, and uses the
// tripwire up. A test ends by checking that exactly one answer (the tripwire) is left.
inline void ExpectBoxes(const QList<int>& answers) {
    MendraMessageBox::ClearQueuedAnswers();
    for (int answer : answers)
        MendraMessageBox::QueueAnswer(answer);
    MendraMessageBox::QueueAnswer(QMessageBox::Cancel);
}

// Every expected box was shown (a box that was not is a missing confirmation), and no other.
inline void CheckExpectedBoxesShown() {
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
    MendraMessageBox::ClearQueuedAnswers();
}

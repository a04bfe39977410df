#include "TestControl.h"

#include "framework/MendraMessageBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QVariant>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

TestControl* TestControl::CreateFromEnvironment(QObject* parent) {
    if (qEnvironmentVariableIsEmpty("MENDRA_TEST_CONTROL"))
        return nullptr;
    return new TestControl(parent);
}

TestControl::TestControl(QObject* parent) : QObject(parent) {
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TestControl::ReadCommands);
}

void TestControl::Print(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void TestControl::ReadCommands() {
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        // The test went away; the program goes on as if started by hand.
        m_notifier->setEnabled(false);
        return;
    }
    m_pending.append(buffer, int(count));
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QList<QByteArray> words = m_pending.left(end).simplified().split(' ');
        m_pending.remove(0, end + 1);
        if (!words.value(0).isEmpty())
            Print(words.at(0) + ": " + Run(words));
    }
}

QWidget* TestControl::Find(const QByteArray& name) const {
    if (name == "frame")
        return m_frame;
    const QString objectName = QString::fromUtf8(name);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == objectName)
            return widget;
    }
    return nullptr;
}

QByteArray TestControl::Run(const QList<QByteArray>& words) {
    const QByteArray& command = words.at(0);
    if (command == "answer" && words.size() == 2) {
        MendraMessageBox::QueueAnswer(words.at(1).toInt());
        return "ok";
    }
    if (command == "messages")
        return MendraMessageBox::ShownMessages().join(QStringLiteral(" | ")).toUtf8().replace('\n', ' ');
    if (command == "modal" || command == "accept") {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return QByteArray();
        const QByteArray text = box->text().toUtf8().replace('\n', ' ');
        if (command == "accept")
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        return text;
    }
    if (command == "close" && words.size() == 1) {
        if (!m_frame)
            return "none";
        // Queued, so that a confirmation box the close brings up does not hold this reply back.
        QMetaObject::invokeMethod(m_frame, "CloseSlot", Qt::QueuedConnection);
        return "ok";
    }
    if (command == "trigger" && m_frame) {
        const QString text = QString::fromUtf8(words.mid(1).join(' '));
        for (QAction* action : m_frame->findChildren<QAction*>()) {
            if (action->text() == text) {
                // Queued: the entry may open a modal frame.
                QMetaObject::invokeMethod(action, "trigger", Qt::QueuedConnection);
                return "ok";
            }
        }
        return "none";
    }
    QWidget* widget = Find(words.value(1));
    if (!widget)
        return "none";
    if (command == "get" && words.size() == 3)
        return widget->property(words.at(2).constData()).toString().toUtf8().replace('\n', ' ');
    if (command == "set" && words.size() >= 3) {
        const bool set = widget->setProperty(words.at(2).constData(), QString::fromUtf8(words.mid(3).join(' ')));
        return set ? "ok" : "none";
    }
    if (command == "close") {
        QMetaObject::invokeMethod(widget->window(), "close", Qt::QueuedConnection);
        return "ok";
    }
    if (command == "click") {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!button)
            return "none";
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
        return "ok";
    }
    return "unknown";
}

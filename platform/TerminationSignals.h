#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace platform {

// The requests to end the process that the session or a terminal sends (SIGTERM at log-out, shut-down or kill,
// SIGINT for Ctrl+C, SIGHUP when the terminal or session goes away), turned into a Qt signal on the thread that
// made this object. A signal handler may do next to nothing, so it only writes the signal's number into a pipe
// that the event loop watches; everything else happens in the event loop. One object at a time watches; the
// handlers that were there before come back when it is destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the handlers could not be set up (or another object already watches): the signals then end the
    // process at once, as without this object.
    bool isWatching() const { return m_notifier != nullptr; }

signals:
    // name: "SIGTERM", "SIGINT" or "SIGHUP".
    void requested(const QString& name);

private slots:
    void readPipe();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform

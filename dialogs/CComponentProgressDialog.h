#pragma once

#include <QDialog>
#include <QString>

class CAbstractComponentInstall;
class CComponentInstallThread;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// The small dialog that installs the device support software before the main window shows: the
// component's name, the current step, a bar, and after a failure "Failed" with a retry and a link to
// the edition's support page. The work starts when the dialog is made; the dialog closes itself when
// it is done. Closing it earlier stops the work: the transfer is aborted and no installer starts
// afterwards; an installer already at work cannot be stopped, so until the worker has ended the dialog
// stays, says that the install is finishing, and refuses to go (see mayClose()).
//
// Widgets by object name: componentName, componentWorkText, componentProgressBar, componentErrorText
// (the support link) and componentRetry.
class CComponentProgressDialog : public QDialog {
    Q_OBJECT
public:
    enum class State { Working, Failed, Done };

    explicit CComponentProgressDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CComponentProgressDialog() override;

    QSize sizeHint() const override;

    State state() const { return m_state; }
    CAbstractComponentInstall* component() const { return m_component; }
    CComponentInstallThread* installThread() const { return m_thread; }
    // Aborts the work and waits for the worker to end; nothing is installed after it returns.
    void stopWork();
    // Asked before the dialog's frame closes: true once no worker runs. While one does, the work is
    // aborted, the dialog says that the install is finishing, and workEnded() follows when the worker has
    // ended.
    bool mayClose();

signals:
    // The worker has ended after a refused close: the frame may close now.
    void workEnded();

public slots:
    void setWorkText(QString text);
    void setComponentName(QString name);
    void setValue(int progress);
    void setMaximum(int max);
    void retry();
    void changeToError();
    void ChangeSkin();
    void ResetUISize();
    void SetProperty();
    void on_label_linkActivited(QString link);

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void workDone();
    void showStepText(QString text);
    void threadFinished();

private:
    void BuildWidgets();
    void StartWork();
    void BuildLayout();

    CComponentInstallThread* m_thread = nullptr;
    QLabel* m_workText = nullptr;
    QLabel* m_componentName = nullptr;
    QLabel* m_errorText = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_retry = nullptr;
    CAbstractComponentInstall* m_component = nullptr;
    State m_state = State::Working;
    bool m_closing = false;
};

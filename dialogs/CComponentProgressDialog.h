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
// it is done. Closing it earlier stops the work: the transfer is aborted, the worker is waited for,
// and no installer starts afterwards.
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
};

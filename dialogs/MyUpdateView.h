#pragma once

#include "UpdateViewPages.h"
#include "ui_UpdateView.h"
#include "update/UpdateDisplay.h"

#include <QDialog>
#include <QString>

class ServerTextDocument;
class UpdateViewHost;

// The "Software Update" dialog: one update check from start to result in four states. The update flow
// drives it through UpdateDisplay; what it asks of the program goes to its host.
class MyUpdateView : public QDialog, public Ui_UpdateView, public UpdateDisplay {
    Q_OBJECT
public:
    MyUpdateView(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MyUpdateView() override;

    void SetHost(UpdateViewHost* host) { m_host = host; }

    void SetNewVersion(const QString& version) override;
    QString GetNewVersion() const { return m_newVersion; }
    void SetMessage(const QString& message) override;
    void SetState(UpdateViewState state) override;
    void SetChecking(bool checking) override { m_checking = checking; }
    bool IsChecking() const override { return m_checking; }
    UpdateViewState GetState() const { return m_state; }
    UpdateViewPages::UpdatePage GetPage() const;
    UpdateViewPages::CheckingPage GetCheckingPage() const;

    void Retranslate();

public slots:
    void SltClose();
    void SltSkipVersion();
    void SltUpdate();
    void SltRetry();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Init();
    void SetPage(UpdateViewPages::UpdatePage page);
    void SetCheckingPage(UpdateViewPages::CheckingPage page);
    void ShowVersions();
    void ShowNotes();
    QString Description() const;

    UpdateViewHost* m_host = nullptr;
    ServerTextDocument* m_notes = nullptr;
    QString m_newVersion;
    bool m_checking = false;
    QString m_message;
    UpdateViewState m_state = UpdateViewState::Checking;
};

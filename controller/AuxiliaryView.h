#pragma once

#include <QWidget>

#include <functional>

// The auxiliary dialogs (settings, about, update, bug report) as the controller opens them in child frames.
// The dialogs themselves live in dialogs/, below the controller; what wraps one overrides what it has. Until
// they are registered (Controller::SetViewFactory) the controller shows this bare panel in their place.
class AuxiliaryView : public QWidget {
    Q_OBJECT
public:
    enum Kind { UpdateView, SettingView, AboutView, BugReportView };

    AuxiliaryView(Kind kind, QWidget* parent, Qt::WindowFlags flags);
    ~AuxiliaryView() override;

    Kind GetKind() const { return m_kind; }

    virtual void Retranslate();
    // Update view: whether a check runs, and its close slot.
    virtual bool IsChecking() const;
    virtual void SetChecking(bool checking);
    virtual void SltClose();
    // Settings view: shows the download folder.
    virtual void ShowDownloadPath();

private:
    Kind m_kind;
    bool m_checking = false;
};

using AuxiliaryViewFactory = std::function<AuxiliaryView*(AuxiliaryView::Kind, QWidget* parent, Qt::WindowFlags)>;

#pragma once

#include "ui_SettingView.h"

#include <QDialog>
#include <QFileDialog>
#include <QString>

#include <functional>

class SettingViewHost;

// The settings dialog: the folder firmware packages are downloaded into and whether a firmware file is
// deleted after a completed repair. Every change is stored in the settings at once and handed to the
// device library through the host; opening the dialog changes nothing.
class MySettingView : public QDialog, public Ui_SettingView {
    Q_OBJECT
public:
    // Asks the user for a folder; "" when the user cancels.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& folder,
                                                QFileDialog::Options options)>;
    // Bytes free for the user on the file system that holds the folder; negative when that cannot be told.
    using FreeSpaceQuery = std::function<qint64(const QString& folder)>;

    // A folder with less free space than this is refused.
    static constexpr qint64 MinimumFreeBytes = 0x200000;

    // Why a chosen folder was refused (shown under the path field).
    enum class FolderProblem { None, NotEnoughSpace, NotWritable };

    MySettingView(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MySettingView() override;

    void SetHost(SettingViewHost* host) { m_host = host; }
    // Replace the system's folder dialog and the platform's free-space query; an empty function
    // restores the default.
    void SetFolderChooser(FolderChooser chooser);
    void SetFreeSpaceQuery(FreeSpaceQuery query);

    // The stored download folder, read-only in the path field; called before each opening.
    void ShowDownloadPath();
    void Retranslate();
    FolderProblem GetFolderProblem() const { return m_problem; }

public slots:
    void SltSelectFile();
    void OpenFilePath();
    void SltIsDeleteFile(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void InitControls();
    void MakeConnections();
    void SetSizes();
    void SetStyleKeys();
    FolderProblem CheckFolder(const QString& folder) const;
    void ShowFolderProblem(FolderProblem problem);
    void FitHeight();
    QString ProblemText() const;

    SettingViewHost* m_host = nullptr;
    FolderChooser m_chooseFolder;
    FreeSpaceQuery m_freeSpace;
    FolderProblem m_problem = FolderProblem::None;
};

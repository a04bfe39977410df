#pragma once

#include "platform/SingleInstanceApplication.h"

#include <QStringList>

class QWidget;

// The skin styles the program ships, in the skin manager's order of choice.
extern const QStringList gSkinStyles;

// Index of the skin style to start with.
int GetSkinIndex();

// The program's application object: one running instance per user, identified by the edition's
// registered name. Init readies what every window needs (settings, language, skin, fonts); the
// destructor frees the settings and the edition data that start-up made, and the process ends soon after.
class MyApplication : public platform::SingleInstanceApplication {
    Q_OBJECT
public:
    MyApplication(const QString& id, int& argc, char** argv);
    ~MyApplication() override;

    // False when start-up cannot go on; the user has been told why.
    bool Init();

    void SetMainWindow(QWidget* window);
    QWidget* GetMainWindow() const { return m_mainWindow; }

    // The process result, for an end that the last steps of the shut-down do not reach in time.
    void SetExitResult(int result) { m_exitResult = result; }
    // How long the base classes' shut-down may take once the settings are saved.
    static constexpr int ExitDeadlineMs = 500;

private:
    QWidget* m_mainWindow = nullptr;
    int m_exitResult = 0;
};

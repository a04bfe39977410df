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
// destructor frees the settings and the edition data that start-up made.
class MyApplication : public platform::SingleInstanceApplication {
    Q_OBJECT
public:
    MyApplication(const QString& id, int& argc, char** argv);
    ~MyApplication() override;

    // False when start-up cannot go on; the user has been told why.
    bool Init();

    void SetMainWindow(QWidget* window);
    QWidget* GetMainWindow() const { return m_mainWindow; }

private:
    QWidget* m_mainWindow = nullptr;
};

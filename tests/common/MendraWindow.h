#pragma once

#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "StateName.h"

#include "app/EditionData.h"
#include "mainwindow/Mendra.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QString>
#include <QStringList>

// What the window tests read off the main window the way a user sees it.

// The page the window shows: "home", "mode", "fix/<sub-page>", "select/<sub-page>" or "guide", a sub-page by its
// name ("fix/ReadyToFix", "select/CheckFirmware").
inline QString MainPageName(const Mendra& window) {
    switch (window.GetMainPageIndex()) {
    case MainPage::Home:
        return QStringLiteral("home");
    case MainPage::ModeChoice:
        return QStringLiteral("mode");
    case MainPage::Fix:
        return QStringLiteral("fix/%1").arg(StateName(window.GetFixPageIndex()));
    case MainPage::FirmwareSelection:
        return QStringLiteral("select/%1").arg(StateName(window.GetCheckPageIndex()));
    case MainPage::Guide:
        return QStringLiteral("guide");
    }
    return QStringLiteral("?");
}

// The status-bar buttons a user would see, Next with its text and "(off)" when disabled.
inline QStringList VisibleStatusButtons(const Mendra& window) {
    QStringList shown;
    for (const char* name : {"btnBack", "btnNext", "btnDownload", "btnRetryDownload"}) {
        const QPushButton* button = window.findChild<QPushButton*>(QLatin1String(name));
        if (!button->isVisibleTo(&window))
            continue;
        QString entry = QString::fromLatin1(name).mid(3);
        if (entry == QLatin1String("Next"))
            entry += QStringLiteral(" \"%1\"").arg(button->text());
        if (!button->isEnabled())
            entry += QStringLiteral(" (off)");
        shown << entry;
    }
    return shown;
}

// The status-bar link between the guides and to them.
inline QLabel* StatusBarLink(const Mendra& window) {
    return window.statusBar()->findChild<QWidget*>(QStringLiteral("buttomWidget"))->findChild<QLabel*>();
}

// A main window that drives the given engine; the window takes the engine over and deletes it.
inline Mendra* NewMendraOn(FakeRepairEngine* engine) {
    return new Mendra(nullptr, [engine](const ModelHost&) { return engine; });
}

// A fresh window for one test function, no message box expected yet.
inline Mendra* OpenMendraOn(FakeRepairEngine* engine) {
    ExpectBoxes({});
    return NewMendraOn(engine);
}

// Ends a test function's window once the boxes it expected were all shown; the window deletes its
// engine and the controller.
inline void CloseMendra(Mendra*& window) {
    CheckExpectedBoxesShown();
    delete window;
    window = nullptr;
}

// The edition data the window reads; the support address stays on this machine.
inline void CreateWindowAppData() {
    gAppData = new MendraData(AppDataParams{});
    gAppData->Support = QStringLiteral("https://127.0.0.1/support");
}

inline void ReleaseAppData() {
    delete gAppData;
    gAppData = nullptr;
}

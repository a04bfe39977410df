#pragma once

#include "ExpectBoxes.h"
#include "FakeControllerWindow.h"
#include "FakeRepairEngine.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "controller/Controller.h"
#include "framework/TitleBar.h"

#include <QTemporaryDir>
#include <QtTest>

// The controller as the main window makes it, on a FakeControllerWindow and a FakeRepairEngine and with a
// title bar, one per test function; the edition data ("Tavik Mendra" 2.1.0) and the settings live in a
// temporary home for the whole test program. Every message box is expected to have been answered.
class ControllerFixture {
protected:
    // initTestCase
    void SetUpHome() {
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        gAppData = new MendraData(AppDataParams{});
        gAppData->Brand = QStringLiteral("Tavik");
        gAppData->ProductName = QStringLiteral("Mendra");
        gAppData->Version = QStringLiteral("2.1.0");
        gConfig = new MyConfig(*gAppData);
    }

    // cleanupTestCase
    void TearDownHome() {
        delete gConfig;
        gConfig = nullptr;
        delete gAppData;
        gAppData = nullptr;
    }

    // init
    void MakeController() {
        ExpectBoxes({});
        m_window = new FakeControllerWindow;
        m_engine = new FakeRepairEngine;
        m_controller = Controller::Create();
        m_controller->SetMainWindow(m_window);
        m_controller->SetModel(m_engine);
        m_title = new TitleBar(0);
        m_controller->SetTitleLabel(m_title);
    }

    // cleanup; a test may have deleted the controller or the window (and set the pointer null) itself.
    void DeleteController() {
        CheckExpectedBoxesShown();
        delete m_controller;
        delete m_engine;
        delete m_window;
        delete m_title;
    }

    QTemporaryDir m_home;
    Controller* m_controller = nullptr;
    FakeControllerWindow* m_window = nullptr;
    FakeRepairEngine* m_engine = nullptr;
    TitleBar* m_title = nullptr;
};

#pragma once

#include "FakeModelHost.h"
#include "SimulatedDevices.h"
#include "app/EditionData.h"
#include "app/MyConfig.h"

#include <QtTest>

#include <memory>

// The stand-in device library from the build, driven through its control table, with the settings in a
// temporary folder and one MyModel on a FakeModelHost per test.
class ModelTestEnv {
public:
    // Call before anything loads the device library.
    bool setUp() {
        if (!m_home.isValid())
            return false;
        // Start with no device at all; each test loads its own world.
        const QString empty = m_home.filePath(QStringLiteral("empty.json"));
        QFile file(empty);
        if (!file.open(QIODevice::WriteOnly) || file.write("{\"devices\": []}") < 0)
            return false;
        file.close();
        qputenv("MENDRA_DEVICE_SCENARIO", empty.toUtf8());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("HOME", m_home.path().toUtf8());
        if (!LoadEditionData())
            return false;
        gAppData->Stalink.clear(); // no statistics page from these tests
        gConfig = new MyConfig();
        control = simulatedDevices();
        return control != nullptr;
    }

    void tearDown() {
        delete gConfig;
        gConfig = nullptr;
        FreeEditionData();
    }

    // A world of devices; restores and mode changes take the given times. With reenumerateMs 0 or more a
    // device changes mode by leaving the bus for that long and coming back under a new handle.
    bool load(const QString& devices, int restoreMs = 300, int recoveryMs = 150, int reenumerateMs = -1) {
        const QString json = QStringLiteral(R"({"modeChange": "%4",
            "timing": {"enterRecoveryMs": %1, "quitRecoveryMs": %1, "restoreMs": %2, "reenumerateMs": %5},
            "firmwareFile": "%6", "devices": [%3]})")
                                 .arg(recoveryMs)
                                 .arg(restoreMs)
                                 .arg(devices)
                                 .arg(reenumerateMs >= 0 ? QStringLiteral("reenumerate") : QStringLiteral("change"))
                                 .arg(qMax(0, reenumerateMs))
                                 .arg(firmwareFile);
        if (control->LoadScenario(json.toUtf8().constData()) != 0) {
            qWarning() << control->LastError();
            return false;
        }
        return control->WaitIdle(5000) == 0;
    }

    // The catalogue of firmware packages the next load() offers.
    static QString demoCatalogue() { return QStringLiteral("${LIBDIR}/DemoFirmware.json"); }
    QString firmwareFile = demoCatalogue();

    static QString device(quint64 id, const QString& name, int mode = 0, bool present = true) {
        return QStringLiteral(R"({"id": %1, "name": "%2", "info": "%2 info", "productType": "iPhone12,1",
            "mode": %3, "arriveMs": %4})")
            .arg(id)
            .arg(name)
            .arg(mode)
            .arg(present ? 0 : -1);
    }

    // A model on a fresh host, with its own empty download folder.
    void start() {
        host = std::make_unique<FakeModelHost>();
        m_downloads = std::make_unique<QTemporaryDir>();
        gConfig->SetDownloadPath(m_downloads->path(), false);
        model.reset(new MyModel(host->parts()));
        model->SetController(host.get());
        model->SetNotices(host.get());
        host->model = model.get();
    }

    void stop() {
        model.reset();
        host.reset();
        firmwareFile = demoCatalogue();
        if (control) {
            control->LoadScenario("{\"devices\": []}");
            control->WaitIdle(5000);
        }
    }

    MRSimDeviceState state(quint64 id) const {
        MRSimDeviceState s{};
        control->GetState(id, &s);
        return s;
    }

    const MRSimControl* control = nullptr;
    std::unique_ptr<FakeModelHost> host;
    std::unique_ptr<MyModel> model;

private:
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_downloads;
};

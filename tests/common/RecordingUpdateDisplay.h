#pragma once

// Stands in for the update dialog: records what the update flow shows.

#include "update/UpdateDisplay.h"

#include <QList>
#include <QObject>
#include <QString>

class RecordingUpdateDisplay : public QObject, public UpdateDisplay {
public:
    void SetNewVersion(const QString& version) override { newVersion = version; }
    void SetMessage(const QString& text) override { message = text; }
    void SetState(UpdateViewState state) override { states.append(state); }
    void SetChecking(bool on) override { checking = on; }
    bool IsChecking() const override { return checking; }

    QString newVersion;
    QString message;
    QList<UpdateViewState> states;
    bool checking = false;
};

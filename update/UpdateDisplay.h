#pragma once

#include "UpdateViewState.h"

#include <QString>

// What the update flow drives in the update dialog. The dialog lives in a higher layer and implements
// this; the flow only knows it through this interface.
class UpdateDisplay {
public:
    virtual ~UpdateDisplay() = default;

    virtual void SetNewVersion(const QString& version) = 0;
    virtual void SetMessage(const QString& message) = 0;
    virtual void SetState(UpdateViewState state) = 0;
    // Whether a check that the dialog's opener started is running.
    virtual void SetChecking(bool checking) = 0;
    virtual bool IsChecking() const = 0;
};

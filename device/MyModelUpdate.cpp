// The device model's part in the update check. The update service is not part of the engine and is wired in
// here by its own work; until then the start-up check asks nothing (so no newer version is ever offered),
// a check from the update dialog starts nothing, and there are no release notes.
#include "MyModel.h"

void MyModel::RunStartupUpdateCheck() {}

void MyModel::CheckForUpdate(bool) {}

void MyModel::GetUpdateDescription(QString& description) {
    description.clear();
}

void MyModel::AcceptUpdateMessage() {}

void MyModel::AccepUpdateLabel(QString) {}

#pragma once

#include "MendraData.h"

#include <QString>
#include <QStringList>

// The process-wide edition data: made by LoadEditionData before anything else, freed at shut-down.
extern MendraData* gAppData;

// Makes gAppData from the embedded edition configuration; true when the configuration was read.
bool LoadEditionData();
void FreeEditionData();

QStringList GetSupportedLanguages();
QString GetStartupLanguage();
QString GetPlatformName();
QString GetEditionVersion();

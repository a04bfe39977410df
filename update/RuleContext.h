#pragma once

#include <QString>

// What the update rules are evaluated against: this edition and installation.
struct RuleContext {
    QString Brand;      // names the brand element of the rules
    QString RegName;    // matched against a product Patch's "product"
    QString Version;    // matched against a product Patch's "version"
    QString LogPath;    // "update.log"
    QString ProgramDir; // stands for "%APPPATH%"; ends with a separator
};

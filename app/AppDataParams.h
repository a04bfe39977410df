#pragma once

#include <QString>
#include <QStringList>

// What an edition needs to find its block in the edition configuration.
struct AppDataParams {
    QString ResourcePath;
    QString Platform;
    QString Brand;
    QString Product;
    QString Language;
    QStringList Languages;
    // Kept for editions that need them; this one leaves all three off.
    bool Flag1 = false;
    bool Flag2 = false;
    bool Flag3 = false;
};

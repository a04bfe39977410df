#pragma once

#include <QString>
#include <QtGlobal>

// One bug report on its way from the report dialog to the mail thread.
struct BugReportInfo {
    quintptr model = 0;     // the model that started the send
    quintptr operator_ = 0; // the dialog that asked for it; travels with every signal of the send
    QString archivePath;    // the packed logs, native separators
    QString userName;
    QString userEmail;
    QString description;
    QString productName; // brand, a blank and the product name
    QString programPath;
    QString recipient;
};

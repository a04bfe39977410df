#pragma once

#include <QString>

// The message boxes of the device model: a notice over the main window with one button, modal, its answer
// unused. The boxes are widgets of the layers above, which implement this. All calls are made on the GUI
// thread.
class ModelNotices {
public:
    virtual ~ModelNotices() = default;

    virtual void ShowNotice(const QString& text, const QString& buttonText) = 0;
};

#pragma once

#include <QString>

// The message boxes of the device model: a notice over the main window with one button, modal. The boxes
// are widgets of the layers above, which implement this. All calls are made on the GUI thread.
class ModelNotices {
public:
    virtual ~ModelNotices() = default;

    virtual void ShowNotice(const QString& text, const QString& buttonText) = 0;
    // The same box, for an offer: true only when the user pressed its button (not when the box was closed
    // otherwise).
    virtual bool AskNotice(const QString& text, const QString& buttonText) {
        ShowNotice(text, buttonText);
        return false;
    }
};

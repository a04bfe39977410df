#pragma once

#include <QRect>

class QMenu;
class QWidget;

// The main window as the place the controller's dialogs open over.
class DialogHost {
public:
    virtual ~DialogHost() = default;

    // The window itself: parent of boxes, file dialogs and dialog frames, and owner of the title.
    virtual QWidget* WindowWidget() = 0;
    // Global rectangle of the page stack, the area dialog frames are centred on.
    virtual QRect PageStackGlobalRect() const = 0;
    virtual void AddMenu(QMenu* menu) = 0;
    virtual void Retranslate() = 0;
};

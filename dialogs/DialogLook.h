#pragma once

class QWidget;

// Touches the dialogs share.

// Fixed size of a design size at the running UI scale.
void SetScaledSize(QWidget* widget, int width, int height);
// The thin gray line along a dialog's top edge that parts it from its frame's title bar; from paintEvent.
void PaintTopSeparator(QWidget* dialog);

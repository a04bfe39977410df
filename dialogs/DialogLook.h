#pragma once

#include <QUrl>

class QWidget;

// What the auxiliary dialogs share in how they look and what they hand to the desktop.

// A fixed size given in design pixels, at the running UI scale.
void SetScaledFixedSize(QWidget* widget, int width, int height);

// The same, set again whenever a style sheet gives the widget its own bounds (a skin's minimum height, for
// one): when it is first shown and after every change of style, as a change of language makes.
void KeepScaledFixedSize(QWidget* widget, int width, int height);

// The thin gray line along the dialog's top edge that parts it from its frame's title bar.
void PaintTopLine(QWidget* dialog);

// Whether an address may be handed to the desktop to open: an http or https address with a host.
// Addresses shown in the dialogs come from outside the program (an update server, the edition file).
bool IsWebAddress(const QUrl& url);

#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// When the text, measured in the widget's font, is wider than maxWidth pixels: returns it cut at
// the right end with an ellipsis and puts the full text into the widget's tooltip. Otherwise
// returns the text unchanged.
QString ElideText(QWidget* widget, const QString& text, int maxWidth);

// The same on the button's or label's own text and width.
void ElideButtonText(QAbstractButton* button);
void ElideLabelText(QLabel* label);

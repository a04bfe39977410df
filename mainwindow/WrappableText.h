#pragma once

#include <QString>

// The text with a zero-width space wherever a line may break inside a long word: the device library's
// messages carry paths, file names and checksums, and a label breaks lines only between words, so one such
// word would push the label past the window's edge. Short words and the visible text stay as they are.
QString WrappableText(const QString& text);

// The text as it reads, without those break marks.
QString WithoutBreakMarks(const QString& text);

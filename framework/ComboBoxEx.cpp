#include "ComboBoxEx.h"

#include <QAbstractItemView>
#include <QFontInfo>

ComboBoxEx::ComboBoxEx(QWidget* parent) : QComboBox(parent) {}

int ComboBoxEx::fitListWidth() {
    int longest = 0;
    for (int i = 0; i < count(); ++i)
        longest = qMax(longest, itemText(i).size());
    if (longest == 0)
        return 0;
    // A font given in pixels has no point size of its own (-1); the resolved font still has one.
    double pointSize = font().pointSizeF();
    if (pointSize <= 0)
        pointSize = QFontInfo(font()).pointSizeF();
    const int width = int(longest * pointSize * 0.75);
    if (width <= 0)
        return 0;
    view()->setFixedWidth(width);
    return width;
}

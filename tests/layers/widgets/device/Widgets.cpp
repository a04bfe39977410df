// The engine including a widget.
#include <QString>
#include <QWidget>

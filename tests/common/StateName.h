#pragma once

#include "device/WindowStates.h"

#include <QMetaEnum>
#include <QString>

// The name of a page or state as the tests write it, "Fixing" for FixSubPage::Fixing; a number outside the
// enumeration shows as that number.
template <typename State> QString StateName(State state) {
    const char* key = QMetaEnum::fromType<State>().valueToKey(static_cast<int>(state));
    return key ? QString::fromLatin1(key) : QString::number(static_cast<int>(state));
}

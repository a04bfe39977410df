#pragma once

#include "ui_Mendra.h"

class QMainWindow;

// The main window's designer form together with its supported-device lists.
//
// Those lists cannot live in the .ui file: the designer's retranslation only renames existing
// entries, whereas every language change must clear and refill them, which shows each list's first
// entry again and drops the per-entry flags the window set on them. The window holds one of these
// as its form, so its setupUi and retranslateUi calls reach the versions below and the lists are
// refilled at the same moments as the form's texts.
class MendraForm : public Ui_MendraClass {
public:
    void setupUi(QMainWindow* window);
    void retranslateUi(QMainWindow* window);

    // Clears and refills the family choice and the four model lists, translated in the form's own
    // context "MendraClass".
    static void retranslateDeviceLists(Ui_MendraClass& form);
};

#include "MendraForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStringList>

#include <cstddef>

namespace {

// Translated in the form's context so that one translation file section holds every text of the form.
constexpr char formContext[] = "MendraClass";

// Entry order matters: the family choice selects the page of the same index in WorksWidget.
const char* const deviceFamilies[] = {
    QT_TRANSLATE_NOOP("MendraClass", "iPhone"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad"),
    QT_TRANSLATE_NOOP("MendraClass", "iPod"),
    QT_TRANSLATE_NOOP("MendraClass", "Apple TV"),
};

const char* const iPhoneModels[] = {
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 12 Pro Max"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 12 Pro"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 12"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 12 Mini"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 11 Pro Max"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 11 Pro"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 11"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone XS Max"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone XS"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone XR"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone X"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 8 Plus"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 8"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 7 Plus"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 7"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone SE (2nd generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone SE"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 6S Plus"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 6S"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 6 Plus"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 6"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 5S"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 5C"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 5"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 4S"),
    QT_TRANSLATE_NOOP("MendraClass", "iPhone 4"),
};

// The inch marks differ on purpose (a double quote in the newer Pro entries, two single quotes in
// the others): translations are keyed on these exact texts.
const char* const iPadModels[] = {
    QT_TRANSLATE_NOOP("MendraClass", "iPad Pro (4th, 11\"/12.9\")"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Pro (3rd, 11\"/12.9\")"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Pro (2nd, 10.5''/12.9'')"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Pro (1st, 12.9'')"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Pro (1st, 9.7'')"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Mini (5th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Mini 4"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Mini 3"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Mini 2"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Mini"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Air (4th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Air (3rd generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Air 2"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad Air"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (8th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (7th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (6th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (5th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (4th generation)"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad 2"),
    QT_TRANSLATE_NOOP("MendraClass", "iPad (1st generation)"),
};

const char* const iPodModels[] = {
    QT_TRANSLATE_NOOP("MendraClass", "iPod Touch 6"),
    QT_TRANSLATE_NOOP("MendraClass", "iPod Touch 5"),
    QT_TRANSLATE_NOOP("MendraClass", "iPod Touch 4"),
};

const char* const appleTvModels[] = {
    QT_TRANSLATE_NOOP("MendraClass", "Apple TV HD"),
    QT_TRANSLATE_NOOP("MendraClass", "Apple TV 3rd Generation"),
    QT_TRANSLATE_NOOP("MendraClass", "Apple TV 2nd Generation"),
};

template <std::size_t N> void refill(QComboBox* box, const char* const (&sources)[N]) {
    QStringList entries;
    entries.reserve(int(N));
    for (const char* source : sources)
        entries << QCoreApplication::translate(formContext, source);
    box->clear();
    box->insertItems(0, entries);
}

} // namespace

void MendraForm::setupUi(QMainWindow* window) {
    Ui_MendraClass::setupUi(window);
    retranslateDeviceLists(*this);
}

void MendraForm::retranslateUi(QMainWindow* window) {
    Ui_MendraClass::retranslateUi(window);
    retranslateDeviceLists(*this);
}

void MendraForm::retranslateDeviceLists(Ui_MendraClass& form) {
    refill(form.worksComBox, deviceFamilies);
    refill(form.iPhoneComBox, iPhoneModels);
    refill(form.iPadComBox, iPadModels);
    refill(form.iPodComBox, iPodModels);
    refill(form.AppleTvComBox, appleTvModels);
}

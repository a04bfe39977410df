#include "MendraData.h"

bool MendraData::ReadLinks(const KeyMap& keys) {
    return MyApplicationData::ReadLinks(keys);
}

bool MendraData::ReadGeneral(const KeyMap& keys) {
    return MyApplicationData::ReadGeneral(keys);
}

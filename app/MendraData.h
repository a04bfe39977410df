#pragma once

#include "MyApplicationData.h"

// This product's edition data; it reads the same keys as every edition.
class MendraData : public MyApplicationData {
public:
    using MyApplicationData::MyApplicationData;

protected:
    bool ReadLinks(const KeyMap& keys) override;
    bool ReadGeneral(const KeyMap& keys) override;
};

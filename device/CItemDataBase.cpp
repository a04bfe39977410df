#include "CItemDataBase.h"

#include <QDir>

CItemDataBase::~CItemDataBase() = default;

void CItemDataBase::SetFirmwarePath(const QString& path) {
    m_firmwarePath = QDir::toNativeSeparators(path);
}

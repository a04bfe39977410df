#include "ChangeStateThreadBase.h"

ChangeStateThreadBase::ChangeStateThreadBase(QObject* parent, MRDeviceRef device) : QThread(parent), m_device(device) {}

ChangeStateThreadBase::~ChangeStateThreadBase() = default;

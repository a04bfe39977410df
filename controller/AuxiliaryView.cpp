#include "AuxiliaryView.h"

AuxiliaryView::AuxiliaryView(Kind kind, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_kind(kind) {}

AuxiliaryView::~AuxiliaryView() = default;

void AuxiliaryView::Retranslate() {}

bool AuxiliaryView::IsChecking() const {
    return m_checking;
}

void AuxiliaryView::SetChecking(bool checking) {
    m_checking = checking;
}

void AuxiliaryView::SltClose() {}

void AuxiliaryView::ShowDownloadPath() {}

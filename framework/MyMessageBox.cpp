#include "MyMessageBox.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

MyMessageBox::MyMessageBox(QWidget* parent, Qt::WindowFlags flags) : CMessageBox(parent, flags) {}

MyMessageBox::MyMessageBox(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                           QWidget* parent, Qt::WindowFlags flags)
    : CMessageBox(parent, flags) {
    SetTitle(title);
    SetText(text);
    SetStandardButtons(buttons);
}

MyMessageBox::MyMessageBox(const QString& title, const QString& text, QWidget* parent, Qt::WindowFlags flags)
    : MyMessageBox(title, text, QMessageBox::Ok, parent, flags) {}

MyMessageBox::MyMessageBox(const QString& title, const QString& text, const QString& detail,
                           QMessageBox::StandardButtons buttons, QWidget* parent, Qt::WindowFlags flags)
    : CMessageBox(parent, flags) {
    SetTitle(title);
    SetText(text);
    SetDetailText(detail);
    SetStandardButtons(buttons);
}

MyMessageBox::MyMessageBox(const QString&, const QString&, const QString&, const QString&, QWidget* parent,
                           Qt::WindowFlags flags)
    : CMessageBox(parent, flags) {}

void MyMessageBox::SetTitle(const QString& title) {
    m_titleLabel->setText(title);
    setWindowTitle(QString());
}

void MyMessageBox::SetText(const QString& text) {
    m_textLabel->setText(text);
}

void MyMessageBox::SetDetailText(const QString& detail) {
    m_detailLabel->setText(detail);
    m_detailLabel->setVisible(!detail.isEmpty());
    m_inputField->setVisible(!detail.isEmpty());
}

void MyMessageBox::SetStandardButtons(QMessageBox::StandardButtons buttons) {
    for (QPushButton* button : {m_firstButton, m_secondButton, m_thirdButton}) {
        m_buttonBox->removeButton(button);
        // The button box lets go of a removed button entirely; the box keeps it, hidden.
        button->setParent(this);
        button->hide();
    }
    const struct {
        QMessageBox::StandardButton flag;
        QPushButton* button;
        QDialogButtonBox::ButtonRole role;
        const char* text;
    } table[] = {
        {QMessageBox::Ok, m_firstButton, QDialogButtonBox::AcceptRole, QT_TRANSLATE_NOOP("CMessageBox", "OK")},
        {QMessageBox::Cancel, m_thirdButton, QDialogButtonBox::RejectRole, QT_TRANSLATE_NOOP("CMessageBox", "Cancel")},
        {QMessageBox::Yes, m_firstButton, QDialogButtonBox::YesRole, QT_TRANSLATE_NOOP("CMessageBox", "Yes")},
        {QMessageBox::No, m_secondButton, QDialogButtonBox::NoRole, QT_TRANSLATE_NOOP("CMessageBox", "No")},
        {QMessageBox::Retry, m_firstButton, QDialogButtonBox::AcceptRole, QT_TRANSLATE_NOOP("CMessageBox", "Retry")},
        {QMessageBox::Apply, m_firstButton, QDialogButtonBox::ApplyRole, QT_TRANSLATE_NOOP("CMessageBox", "Apply")},
        {QMessageBox::Ignore, m_secondButton, QDialogButtonBox::AcceptRole, QT_TRANSLATE_NOOP("CMessageBox", "Ignore")},
        {QMessageBox::Save, m_firstButton, QDialogButtonBox::AcceptRole, QT_TRANSLATE_NOOP("CMessageBox", "Save")},
        {QMessageBox::Discard, m_secondButton, QDialogButtonBox::DestructiveRole,
         QT_TRANSLATE_NOOP("CMessageBox", "Don't Save")},
    };
    for (const auto& entry : table) {
        if (!buttons.testFlag(entry.flag))
            continue;
        // Adding a button again moves it to its new role.
        m_buttonBox->removeButton(entry.button);
        m_buttonBox->addButton(entry.button, entry.role);
        entry.button->setText(QCoreApplication::translate("CMessageBox", entry.text));
        entry.button->setProperty("value", int(entry.flag));
        entry.button->show();
    }
}

void MyMessageBox::SetButtonText(QMessageBox::StandardButton button, const QString& text) {
    switch (button) {
    case QMessageBox::Ok:
    case QMessageBox::Save:
    case QMessageBox::Yes:
    case QMessageBox::Retry:
    case QMessageBox::Apply:
        m_firstButton->setText(text);
        break;
    case QMessageBox::No:
    case QMessageBox::Ignore:
    case QMessageBox::Discard:
        m_secondButton->setText(text);
        break;
    case QMessageBox::Cancel:
        m_thirdButton->setText(text);
        break;
    default:
        break;
    }
}

#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Body of a message: title, text, an optional detail row with an input field and up to three
// buttons. Each button carries the standard-button value it stands for in its property "value";
// pressing it ends the dialog with that value. A frame shows the body; closing the frame ends it
// with Cancel.
class CMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit CMessageBox(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CMessageBox() override;

    QString GetInputText() const;
    QString GetExtraText() const { return QString(); }
    int Exec();

    QPushButton* FirstButton() const { return m_firstButton; }
    QPushButton* SecondButton() const { return m_secondButton; }
    QPushButton* ThirdButton() const { return m_thirdButton; }
    QDialogButtonBox* ButtonBox() const { return m_buttonBox; }
    QLabel* TextLabel() const { return m_textLabel; }
    QLabel* TitleLabel() const { return m_titleLabel; }
    QLabel* DetailLabel() const { return m_detailLabel; }
    QLineEdit* InputField() const { return m_inputField; }

public slots:
    void CloseSlot();
    void Close();
    void OpenUrl(QString strUrl);

protected:
    virtual void BuildUi();
    virtual void InitFont();
    void closeEvent(QCloseEvent* event) override;
    void ResetExtras();
    // The settings every box gives each of its three buttons.
    void SetUpButton(QPushButton* button) const;

    QPushButton* m_firstButton = nullptr;
    QPushButton* m_secondButton = nullptr;
    QPushButton* m_thirdButton = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
    QLabel* m_noteLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_detailLabel = nullptr;
    QLineEdit* m_inputField = nullptr;
    QWidget* m_container = nullptr;
};

// Whether a link text of a message is opened, and as what: an e-mail address becomes a mailto
// link; web and mail links are opened as they are; anything else (files, programs, other schemes)
// gives an empty URL and is not opened.
class QUrl;
QUrl MessageLinkUrl(const QString& link);

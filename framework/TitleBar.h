#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

class MyButton;
class QLabel;
class QMovie;
class QHBoxLayout;

// The skinned title bar that a frame lays above its inner widget: icon, title and a row of title
// buttons. The frame decides which buttons show and what they do; the title bar builds, sizes and
// skins them, and offers places for a frame's own widgets.
class TitleBar : public QWidget {
    Q_OBJECT
public:
    explicit TitleBar(int titleLayout, QWidget* parent = nullptr);

    void ReloadSkin();
    void ApplySizes();
    void SetTitleHeight(int height);
    int GetTitleHeight() const { return m_titleHeight; }
    void SetButtonSize(int width, int height);
    QSize GetButtonSize() const { return m_buttonSize; }

    void InsertBeforeMinimize(QWidget* widget, int spacing);
    void AddToCentre(QWidget* widget, int spacing);
    void InsertBeforeTitle(QWidget* widget, int spacing);
    void SetBackgroundObjectName(const QString& name);

    MyButton* SettingButton() const { return m_settingBtn; }
    MyButton* HelpButton() const { return m_helpBtn; }
    MyButton* FeedbackButton() const { return m_feedbackBtn; }
    MyButton* MinimizeButton() const { return m_minBtn; }
    MyButton* MaximizeButton() const { return m_maxBtn; }
    MyButton* RestoreButton() const { return m_restoreBtn; }
    MyButton* CloseButton() const { return m_closeBtn; }
    MyButton* IntelButton() const { return m_intelBtn; }
    MyButton* AmdButton() const { return m_amdBtn; }
    MyButton* NvidiaButton() const { return m_nvidiaBtn; }
    QLabel* FirstSeparator() const { return m_firstLine; }
    QLabel* SecondSeparator() const { return m_secondLine; }
    QLabel* AnimationLabel() const { return m_animationLabel; }
    QLabel* TitleLabel() const { return m_titleLabel; }
    QLabel* IconLabel() const { return m_iconLabel; }
    QMovie* Movie() const { return m_movie; }
    QWidget* Background() const { return m_background; }
    QHBoxLayout* RightColumnRow() const;
    QHBoxLayout* LeftColumnRow() const;
    QList<MyButton*> Buttons() const;

public slots:
    void setTitleText(QString strTitle);
    void setTitleIcon(QPixmap icon);

private:
    void CreateWidgets();
    void BuildLayout();
    void SetStyleKeys();
    static void InsertBefore(QHBoxLayout* row, QWidget* anchor, QWidget* widget, int spacing);

    MyButton* m_settingBtn = nullptr;
    MyButton* m_helpBtn = nullptr;
    MyButton* m_feedbackBtn = nullptr;
    MyButton* m_minBtn = nullptr;
    MyButton* m_maxBtn = nullptr;
    MyButton* m_restoreBtn = nullptr;
    MyButton* m_closeBtn = nullptr;
    MyButton* m_intelBtn = nullptr;
    MyButton* m_amdBtn = nullptr;
    MyButton* m_nvidiaBtn = nullptr;
    QLabel* m_secondLine = nullptr;
    QLabel* m_firstLine = nullptr;
    QLabel* m_animationLabel = nullptr;
    QMovie* m_movie = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_iconLabel = nullptr;
    int m_titleLayout;
    QSize m_buttonSize;
    int m_titleHeight = 30;
    QWidget* m_leftColumn = nullptr;
    QWidget* m_centreColumn = nullptr;
    QWidget* m_rightColumn = nullptr;
    QWidget* m_background = nullptr;
    QHBoxLayout* m_titleRow = nullptr;
    QHBoxLayout* m_buttonRow = nullptr;
    QHBoxLayout* m_spareRow = nullptr;
};

#include "TitleBar.h"

#include "MyButton.h"
#include "SkinManager.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QStyle>

namespace {
const char* const movieFile = "image/titlebar_bugreport.gif";

MyButton* MakeButton(QWidget* parent, bool animation) {
    auto* button = new MyButton(parent);
    if (animation)
        button->setProperty("Animation", true);
    // Title buttons never take the keyboard focus: Esc or Enter pressed after a click must reach the
    // frame's own handling, not a title button.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QHBoxLayout* MakeRow() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(UiScaled(5.0), 0, 0, 0);
    row->setSpacing(1);
    return row;
}
} // namespace

TitleBar::TitleBar(int titleLayout, QWidget* parent) : QWidget(parent), m_titleLayout(titleLayout) {
    setAutoFillBackground(true);
    CreateWidgets();
    BuildLayout();
    ReloadSkin();
    SetStyleKeys();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TitleBar::CreateWidgets() {
    m_settingBtn = MakeButton(this, true);
    m_settingBtn->setToolTip(tr("Settings"));
    m_helpBtn = MakeButton(this, true);
    m_helpBtn->setToolTip(tr("Help center"));
    m_feedbackBtn = MakeButton(this, false);
    m_feedbackBtn->setToolTip(tr("feedback"));
    m_minBtn = MakeButton(this, true);
    m_maxBtn = MakeButton(this, true);
    m_restoreBtn = MakeButton(this, true);
    m_closeBtn = MakeButton(this, true);
    m_nvidiaBtn = MakeButton(this, true);
    m_amdBtn = MakeButton(this, true);
    m_intelBtn = MakeButton(this, true);
    m_nvidiaBtn->hide();
    m_amdBtn->hide();
    m_intelBtn->hide();

    m_titleLabel = new QLabel(this);
    m_iconLabel = new QLabel(this);
    m_secondLine = new QLabel(this);
    m_firstLine = new QLabel(this);
    m_animationLabel = new QLabel(this);

    m_movie = new QMovie(SkinManager::Instance()->GetSkinFolder() + movieFile, "GIF", m_animationLabel);

    m_buttonSize = QSize(32, 28);
    m_titleHeight = 30;
    ApplySizes();

    m_restoreBtn->hide();
    m_animationLabel->setMovie(m_movie);
    m_animationLabel->hide();
    m_movie->stop();

    auto* helpLayout = new QHBoxLayout(m_helpBtn);
    helpLayout->setContentsMargins(0, UiScaled(2.0), 0, 0);
    helpLayout->setSpacing(0);
    helpLayout->addWidget(m_animationLabel, 0, Qt::AlignCenter);
}

void TitleBar::BuildLayout() {
    m_titleRow = MakeRow();
    m_titleRow->addWidget(m_iconLabel);
    m_titleRow->addSpacing(5);
    m_titleRow->addWidget(m_titleLabel);

    m_buttonRow = MakeRow();
    m_buttonRow->addWidget(m_intelBtn);
    m_buttonRow->addWidget(m_amdBtn);
    m_buttonRow->addWidget(m_nvidiaBtn);
    m_buttonRow->addWidget(m_feedbackBtn);
    m_buttonRow->addWidget(m_secondLine, 0, Qt::AlignTop);
    m_buttonRow->addWidget(m_settingBtn);
    m_buttonRow->addWidget(m_helpBtn);
    m_buttonRow->addWidget(m_firstLine, 0, Qt::AlignTop);
    m_buttonRow->addWidget(m_minBtn);
    m_buttonRow->addWidget(m_maxBtn);
    m_buttonRow->addWidget(m_restoreBtn);
    m_buttonRow->addWidget(m_closeBtn);

    m_spareRow = MakeRow();

    m_background = new QWidget(this);
    m_background->setObjectName(QStringLiteral("titleBackground"));
    m_leftColumn = new QWidget(m_background);
    m_centreColumn = new QWidget(m_background);
    m_rightColumn = new QWidget(m_background);
    if (m_titleLayout == 1) {
        m_leftColumn->setLayout(m_spareRow);
        m_centreColumn->setLayout(m_titleRow);
        m_rightColumn->setLayout(m_buttonRow);
    } else if (m_titleLayout == 2) {
        // No arrangement: the rows belong to no column, so nothing owns them.
        delete m_spareRow;
        delete m_titleRow;
        delete m_buttonRow;
        m_spareRow = m_titleRow = m_buttonRow = nullptr;
    } else {
        m_leftColumn->setLayout(m_titleRow);
        m_centreColumn->setLayout(m_spareRow);
        m_rightColumn->setLayout(m_buttonRow);
    }

    auto* grid = new QGridLayout(m_background);
    grid->setContentsMargins(UiScaled(5.0), 0, 0, 0);
    grid->addWidget(m_leftColumn, 0, 0, Qt::AlignLeft);
    grid->addWidget(m_centreColumn, 0, 1, Qt::AlignHCenter);
    grid->addWidget(m_rightColumn, 0, 2, Qt::AlignRight);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_background);
}

QList<MyButton*> TitleBar::Buttons() const {
    return {m_settingBtn, m_helpBtn,  m_feedbackBtn, m_minBtn, m_maxBtn,
            m_restoreBtn, m_closeBtn, m_intelBtn,    m_amdBtn, m_nvidiaBtn};
}

QHBoxLayout* TitleBar::RightColumnRow() const {
    return qobject_cast<QHBoxLayout*>(m_rightColumn->layout());
}
QHBoxLayout* TitleBar::LeftColumnRow() const {
    return qobject_cast<QHBoxLayout*>(m_leftColumn->layout());
}

void TitleBar::ApplySizes() {
    setFixedHeight(UiScaled(m_titleHeight));
    const QSize buttonSize(UiScaled(m_buttonSize.width()), UiScaled(m_buttonSize.height()));
    for (MyButton* button : Buttons())
        button->setFixedSize(buttonSize);
    m_firstLine->setFixedHeight(UiScaled(23.0));
    m_secondLine->setFixedHeight(UiScaled(23.0));
    SkinManager::Instance()->ScaleMovie(m_movie, false);
}

void TitleBar::SetTitleHeight(int height) {
    m_titleHeight = height;
    ApplySizes();
}

void TitleBar::SetButtonSize(int width, int height) {
    m_buttonSize = QSize(width, height);
    ApplySizes();
}

void TitleBar::ReloadSkin() {
    SkinManager* skin = SkinManager::Instance();
    const bool running = m_movie->state() == QMovie::Running;
    m_movie->stop();
    m_movie->setFileName(skin->GetSkinFolder() + movieFile);
    if (running)
        m_movie->start();

    skin->ChangePart(QStringLiteral("Common"));
    m_minBtn->changeIcon(QStringLiteral("min"));
    m_maxBtn->changeIcon(QStringLiteral("max"));
    m_closeBtn->changeIcon(QStringLiteral("exit"));
    m_restoreBtn->changeIcon(QStringLiteral("restore"));

    skin->ChangePart(QStringLiteral("title"));
    m_settingBtn->changeIcon(QStringLiteral("settings"));
    m_helpBtn->changeIcon(QStringLiteral("help"));
    m_feedbackBtn->changeIcon(QStringLiteral("feedback"));
    m_nvidiaBtn->changeIcon(QStringLiteral("nvidia"));
    m_amdBtn->changeIcon(QStringLiteral("amd"));
    m_intelBtn->changeIcon(QStringLiteral("intel"));

    const QPixmap line = skin->GetPagePixmap(QStringLiteral("line"));
    m_firstLine->setPixmap(line);
    m_secondLine->setPixmap(line);
}

void TitleBar::SetStyleKeys() {
    const struct {
        QWidget* widget;
        const char* styleKey;
        int buttonType;
    } keys[] = {
        {m_settingBtn, "SETTING_BTN", 16}, {m_helpBtn, "HELP_BTN", 32},    {m_feedbackBtn, "FEEDBACK_BTN", 128},
        {m_minBtn, "MINIMIZE_BTN", 0},     {m_maxBtn, "MAXIMIZE_BTN", 0},  {m_restoreBtn, "RESTORE_BTN", 0},
        {m_closeBtn, "CLOSE_BTN", 0},      {m_intelBtn, "INTEL_BTN", 0},   {m_amdBtn, "AMD_BTN", 0},
        {m_nvidiaBtn, "NVIDIA_BTN", 0},    {m_firstLine, "LINE_LABEL", 0}, {m_secondLine, "LINE_LABEL", 0},
        {m_titleLabel, "TITLE_LABEL", 0},
    };
    for (const auto& key : keys) {
        key.widget->setProperty("STYLE_KEY", QString::fromLatin1(key.styleKey));
        if (key.buttonType != 0)
            key.widget->setProperty("BUTTON_TYPE", key.buttonType);
    }
}

void TitleBar::setTitleText(QString strTitle) {
    m_titleLabel->setText(strTitle);
}

void TitleBar::setTitleIcon(QPixmap icon) {
    if (icon.isNull()) {
        m_iconLabel->hide();
        return;
    }
    m_iconLabel->setPixmap(icon);
    m_iconLabel->show();
}

void TitleBar::InsertBefore(QHBoxLayout* row, QWidget* anchor, QWidget* widget, int spacing) {
    const int index = row->indexOf(anchor);
    if (index < 0) {
        // The anchor lives in another row: the widget goes to the end and its spacing to the start.
        row->addWidget(widget);
        row->insertSpacing(0, spacing);
        return;
    }
    row->insertWidget(index, widget);
    row->insertSpacing(index + 1, spacing);
}

void TitleBar::InsertBeforeMinimize(QWidget* widget, int spacing) {
    auto* row = qobject_cast<QHBoxLayout*>(m_rightColumn->layout());
    if (!widget || !row)
        return;
    InsertBefore(row, m_minBtn, widget, spacing);
}

void TitleBar::InsertBeforeTitle(QWidget* widget, int spacing) {
    auto* row = qobject_cast<QHBoxLayout*>(m_leftColumn->layout());
    if (!widget || !row)
        return;
    InsertBefore(row, m_titleLabel, widget, spacing);
}

void TitleBar::AddToCentre(QWidget* widget, int spacing) {
    auto* row = qobject_cast<QHBoxLayout*>(m_centreColumn->layout());
    if (!widget || !row)
        return;
    row->addWidget(widget);
    row->addSpacing(spacing);
}

void TitleBar::SetBackgroundObjectName(const QString& name) {
    m_background->setObjectName(name);
    m_background->style()->unpolish(m_background);
    m_background->style()->polish(m_background);
    m_background->update();
}

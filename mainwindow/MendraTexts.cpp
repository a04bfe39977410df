// The main window's own texts: the problem list, the read-only model lists, the fix page's guide link,
// and the language refresh that shows the window's current state again in the new language.
#include "MendraTexts.h"

#include "Mendra.h"

#include "MendraForm.h"
#include "WrappableText.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "framework/SkinManager.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCursor>

namespace {

const QString kGuideLinkMarkup = QStringLiteral("<p><a style='text-decoration:none'; href=\"none\">%1</a></p>");

// The role under which a standard item model keeps an item's flags.
constexpr int kItemFlagsRole = Qt::UserRole - 1;
// Enough rows for the longest model list.
constexpr int kModelListRows = 30;

// The entry for a state numbered as its table is; null for Unset or a number outside the table.
template <int N, typename State> const char* Pick(const char* const (&texts)[N], State state) {
    const int index = static_cast<int>(state);
    return index >= 0 && index < N ? texts[index] : nullptr;
}

} // namespace

const char* FirmwareStateSource(FirmwareState state) {
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("Mendra", "Downloading the Firmware package..."),
        QT_TRANSLATE_NOOP("Mendra", "Download finished..."),
        QT_TRANSLATE_NOOP("Mendra", "Downloading failed. Error code:"),
        QT_TRANSLATE_NOOP("Mendra", "Verifying the Firmware package..."),
        QT_TRANSLATE_NOOP("Mendra", "Verified finished..."),
        QT_TRANSLATE_NOOP("Mendra", "Verifying failed. Error code:"),
    };
    return Pick(texts, state);
}

const char* FirmwareHintSource(FirmwareHint hint) {
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("Mendra", "Please keep the Internet well connected."),
        QT_TRANSLATE_NOOP("Mendra", "Please try other System versions or use the Advanced Mode."),
    };
    return Pick(texts, hint);
}

const char* RecoveryButtonSource(int deviceMode) {
    static const char* const texts[] = {QT_TRANSLATE_NOOP("Mendra", "Enter Recovery Mode"),
                                        QT_TRANSLATE_NOOP("Mendra", "Quit Recovery Mode"),
                                        QT_TRANSLATE_NOOP("Mendra", "Quit DFU Mode")};
    return Pick(texts, deviceMode);
}

const char* RepairStepSource(RepairStep step) {
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("Mendra", "Secondary Verification"), QT_TRANSLATE_NOOP("Mendra", "Unziping"),
        QT_TRANSLATE_NOOP("Mendra", "Enter Recovery Mode"),    QT_TRANSLATE_NOOP("Mendra", "Repairing"),
        QT_TRANSLATE_NOOP("Mendra", "Repair complete"),        QT_TRANSLATE_NOOP("Mendra", "Download")};
    return Pick(texts, step);
}

const char* NextButtonSource(NextButtonState state) {
    static const char* const texts[] = {QT_TRANSLATE_NOOP("Mendra", "Start"), QT_TRANSLATE_NOOP("Mendra", "Fixing"),
                                        QT_TRANSLATE_NOOP("Mendra", "Try again"), QT_TRANSLATE_NOOP("Mendra", "Done"),
                                        QT_TRANSLATE_NOOP("Mendra", "Fix Now")};
    return Pick(texts, state);
}

QString Mendra::GuideLinkMarkup(const QString& text) {
    return kGuideLinkMarkup.arg(text);
}

QString Mendra::ContactLinkMarkup() {
    return QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"%1\">%2")
        .arg(gAppData ? gAppData->Support : QString(), tr("Contact us for more help."));
}

// The fix page's texts of a repair state; false, and nothing changed, for another state. Which of the labels
// show is the display operation's business.
bool Mendra::ShowResultTexts(ResultState result) {
    switch (result) {
    case ResultState::Fixing:
        ui->fixStatusLbl->setText(tr("Reparing. It takes about 10min..."));
        ui->noteInfoLbl_3->setText(tr("1. Keep your device connected, and do not use it during fixing."));
        return true;
    case ResultState::Succeeded:
        ui->fixStatusLbl->setText(tr("Repair Success."));
        ui->repairInfoLbl->setText(tr("Please restart to check the device.\nIf the repair fails, please restart your "
                                      "device and PC before trying again."));
        ui->noteInfoLbl_3->setText(ContactLinkMarkup());
        return true;
    case ResultState::Failed:
        ui->fixStatusLbl->setText(tr("Repair failed."));
        ui->repairInfoLbl->setText(
            tr("Check whether the device restarts. If the restart fails, please restart computer "
               "and device before you use Advanced Mode to try again."));
        ui->noteInfoLbl_3->setText(ContactLinkMarkup());
        return true;
    default:
        return false;
    }
}

// The four model lists are a catalogue: they open and read, but nothing in them can be chosen.
void Mendra::DisableModelListItems() {
    for (int row = 0; row < kModelListRows; ++row) {
        for (QComboBox* box : {ui->iPhoneComBox, ui->iPadComBox, ui->iPodComBox, ui->AppleTvComBox}) {
            QAbstractItemModel* model = box->model();
            const QModelIndex index = model->index(row, 0, QModelIndex());
            if (index.isValid())
                model->setData(index, 0, kItemFlagsRole);
        }
    }
}

void Mendra::InitRecoveryGuideLink() {
    ui->showRecoveryGuideLbl->setText(GuideLinkMarkup(tr("Device is connected but not recognized")));
    connect(ui->showRecoveryGuideLbl, &QLabel::linkActivated, this, &Mendra::ShowGuideView);
}

void Mendra::FillProblemList() {
    QTextBlockFormat format;
    format.setLineHeight(5.0 * SkinManager::Instance()->GetScale(), QTextBlockFormat::LineDistanceHeight);
    QTextCursor cursor = ui->problemsBrowser->textCursor();
    cursor.setBlockFormat(format);
    ui->problemsBrowser->setTextCursor(cursor);
    ui->problemsBrowser->append(tr("Stuck on white Apple logo \n"
                                   "Stuck on black screen \n"
                                   "Stuck in boot loop \n"
                                   "Stuck on connect to iTunes \n"
                                   "Stuck on Slide to Upgrade screen \n"
                                   "Stuck in recovery mode \n"
                                   "Stuck in DFU mode \n"
                                   "Stuck in headphone mode \n"
                                   "Stuck in the data recovery process \n"
                                   "iPhone frozen \n"
                                   "iPhone disabled \n"
                                   "iPhone bricked \n"
                                   "iPad bricked \n"
                                   "iPhone boot loop \n"
                                   "iPhone crash \n"
                                   "iPhone blue screen \n"
                                   "iPhone keeps restarting \n"
                                   "iPhone activation error \n"
                                   "iPhone won't turn on \n"
                                   "iPad won't turn on \n"
                                   "iPhone red screen \n"
                                   "iPhone won't turn off \n"
                                   "iPhone keeps turning off \n"
                                   "iPhone won't update \n"
                                   "iPhone failed to update \n"
                                   "iPhone stuck on loading screen \n"
                                   "iPhone is disabled connect to iTunes \n"
                                   "iPhone could not be restored error \n"
                                   "iPhone won't restore \n"
                                   "iPhone won't charge \n"
                                   "iPhone no service"));
    // Appending follows the text to its end; the list is read from its first entry.
    ui->problemsBrowser->moveCursor(QTextCursor::Start);
}

// Replaces texts only: pages, visibility and enabled states stay as the display operations left them,
// and a state field outside its table leaves the form's text in place.
void Mendra::Retranslate() {
    // The form's retranslation empties every label it has no text for; the check's percentage stays as it is.
    const QString firmwarePercentage = ui->ProgressBarValueLbl->text();
    ui->retranslateUi(this);
    ui->ProgressBarValueLbl->setText(firmwarePercentage);
    ui->showRecoveryGuideLbl->setText(GuideLinkMarkup(tr("Device is connected but not recognized")));
    btnDownload->setText(tr("Download"));
    btnRetryDownload->setText(tr("Download again"));
    // The ready page names the package its run verified (a local one by its own version); before any run, the
    // list's choice.
    const QString verified = controller ? controller->GetSystemVersionText() : QString();
    ui->FirmwareVersionLbl->setText(verified.isEmpty() ? GetSystemVersionText() : verified);
    ui->iPhoneTypeLbl_2->setText(deviceTypeText);
    ui->iPhoneFixingLabel->setText(deviceNameText);

    if (const char* hintText = FirmwareHintSource(hintState))
        ui->FirmwareHintLbl->setText(tr(hintText));

    if (const char* firmwareText = FirmwareStateSource(firmwareState)) {
        ui->FirmwareStateLbl->setText(tr(firmwareText));
        if (IsFailure(firmwareState)) {
            ui->errCodeLbl->setText(errorCodeText);
            ui->descriptionLbl->setText(tr(", description:"));
            // The library's own description, shown translated when a translation knows it.
            ui->errStringLbl->setText(WrappableText(tr(errorDescription.toUtf8().constData())));
        }
    }

    // Both setters record the state they are given, which is the one the window already shows.
    SetNextButton(nextButtonState);
    // The link leads away from the guide shown.
    if (guideLinkState == GuideLink::ToDfu)
        SetGuideLink(Guide::Recovery);
    else if (guideLinkState == GuideLink::ToRecovery)
        SetGuideLink(Guide::Dfu);

    ShowResultTexts(resultState);

    if (const char* recoveryText = RecoveryButtonSource(recoveryButtonState))
        ui->recoveryModeStateBtn->setText(tr(recoveryText));
    if (RepairStepSource(repairStep))
        ui->progressValueLbl->setText(RepairProgressText(repairStep, repairProgress));

    DisableModelListItems();
    FillProblemList();
}

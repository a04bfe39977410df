// What the main window shows of the devices, their lists and the firmware check.
#include "Mendra.h"

#include "MendraForm.h"

#include "DownloadSpeed.h"
#include "MendraTexts.h"
#include "WrappableText.h"

#include "controller/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MyButton.h"
#include "framework/SkinManager.h"

#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>

namespace {
int Scaled(double size) {
    return static_cast<int>(size * SkinManager::Instance()->GetScale());
}
} // namespace

void Mendra::ShowSkinPicture(QLabel* label, const QString& part, const QString& name, int width, int height) {
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(part);
    const QPixmap picture = skin->GetPagePixmap(name);
    if (picture.isNull())
        label->clear();
    else
        label->setPixmap(
            picture.scaled(Scaled(width), Scaled(height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void Mendra::PlayMovie(QPointer<QMovie>& slot, QLabel* label, const QString& file, int width, int height) {
    if (slot) {
        slot->stop();
        slot->deleteLater();
    }
    label->clear();
    slot = new QMovie(file, QByteArray(), this);
    slot->setScaledSize(QSize(Scaled(width), Scaled(height)));
    label->setMovie(slot);
    slot->start();
}

// ---- Connection display ----

void Mendra::ShowRecoveryButtonState(int) {
    const MRDeviceRef device = controller->GetSelectedDevice();
    if (!device)
        return;
    const int mode = controller->GetDeviceMode(device);
    const char* text = RecoveryButtonSource(mode);
    if (!text)
        return;
    // One change at a time: a device that arrives meanwhile is shown, but cannot be changed until it is over.
    ui->recoveryModeStateBtn->setEnabled(mode != MRModeDFU && !(model && model->IsChangingMode()));
    ui->recoveryModeStateBtn->setText(tr(text));
    recoveryButtonState = mode;
}

void Mendra::ShowConnectionState(int, MRDeviceRef device) {
    ShowConnectionStateAlt(device != 0);
}

void Mendra::ShowConnectionStateAlt(bool connected) {
    // The connecting animation belongs to a mode change that has now ended, well or not.
    if (connectMovie)
        connectMovie->stop();
    ShowSkinPicture(ui->connstatusIogoLbl, QStringLiteral("Other"),
                    connected ? QStringLiteral("Connected") : QStringLiteral("UnConnected"), 200, 380);
    SetHomeConnection(connected ? HomeConnection::DeviceList : HomeConnection::NotConnected);
    ui->deviceNotConnLbl->setVisible(!connected);
    ui->recoveryModeStateBtn->setVisible(connected);
}

void Mendra::ShowConnectingAnimation() {
    SetHomeConnection(HomeConnection::Connecting);
    PlayMovie(connectMovie, ui->connectLabel, QStringLiteral(":/Tavik/Resources/img/connect.gif"), 100, 30);
}

// The device text is not shown here (the label is cleared until the firmware page's list names the device), so
// it is not kept either: a language change must bring back what the label showed.
void Mendra::OnDeviceConnectionChanged(bool connected, const QString& name, const QString&, const QString&) {
    SetDeviceTypeText(QString());
    const bool onFixPage = GetMainPageIndex() == MainPage::Fix;
    if (connected) {
        if (onFixPage) {
            ui->userNameLbl->setVisible(!name.isEmpty());
            ui->userNameLbl->setText(name);
            if (GetFixPageIndex() == FixSubPage::NoDevice) {
                SetFixConnState(FixConnState::DeviceInfo);
                ShowFixStateConnected();
                btnNext->setEnabled(true);
                SetNextButton(NextButtonState::Start);
            }
            btnNext->show();
        }
        if (resultPageShown) {
            ShowFixStateConnected();
            resultPageShown = false;
        }
        return;
    }
    ShowFixStateUnconnected();
    if (onFixPage) {
        SetFixConnState(FixConnState::Disconnected);
        const bool running = model && model->IsRepairRunning();
        if (!running && !controller->IsRepairFinished()) {
            SetFixSubPage(FixSubPage::NoDevice);
            btnNext->setEnabled(false);
            SetNextButton(NextButtonState::Start);
        }
    }
}

void Mendra::SetDeviceTypeText(const QString& text) {
    ui->iPhoneTypeLbl_2->clear();
    ui->iPhoneTypeLbl_2->setText(text);
    deviceTypeText = text;
}

void Mendra::ShowFixingDeviceName(MRDeviceRef device) {
    deviceNameText = controller->GetDeviceName(device);
    ui->iPhoneFixingLabel->setText(deviceNameText);
    qDebug() << "iPhoneName:" << deviceNameText;
}

void Mendra::ShowFixStateConnected() {
    ShowSkinPicture(ui->FixStateLbl, QStringLiteral("Other"), "Connected", 200, 390);
}

void Mendra::ShowFixStateFix() {
    ShowSkinPicture(ui->FixStateLbl, QStringLiteral("Other"), "Fix", 200, 390);
}

void Mendra::ShowFixStateUnconnected() {
    ShowSkinPicture(ui->FixStateLbl, QStringLiteral("Other"), "UnConnected", 200, 390);
}

void Mendra::ShowFixAnimation() {
    PlayMovie(fixMovie, ui->FixStateLbl, QStringLiteral(":/Tavik/Resources/img/fixpix.gif"), 200, 390);
}

void Mendra::StopFixAnimation() {
    for (QMovie* movie : {fixMovie.data(), firmwareMovie.data()}) {
        if (movie)
            movie->stop();
    }
}

// ---- Device lists and system versions ----

void Mendra::AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef) {
    ui->iPhoneTypeBox->addItem(text, data);
    SetDeviceIndex(ui->iPhoneTypeBox->count() - 1);
}

void Mendra::AddModelEntry(const QString& text, const QVariant& data) {
    ui->DeviceModelBox->addItem(text, data);
    SetModelIndex(ui->DeviceModelBox->count() - 1);
}

void Mendra::RemoveDeviceEntry(int index) {
    ui->iPhoneTypeBox->removeItem(index);
    deviceCount = ui->iPhoneTypeBox->count();
}

void Mendra::RemoveModelEntry(int index) {
    ui->DeviceModelBox->removeItem(index);
    modelCount = ui->DeviceModelBox->count();
}

int Mendra::GetDeviceCount() {
    return deviceCount = ui->iPhoneTypeBox->count();
}

int Mendra::GetModelCount() {
    return modelCount = ui->DeviceModelBox->count();
}

int Mendra::GetDeviceIndex() {
    return deviceIndex = ui->iPhoneTypeBox->currentIndex();
}

int Mendra::GetModelIndex() {
    return modelIndex = ui->DeviceModelBox->currentIndex();
}

QVariant Mendra::GetDeviceData(int index) const {
    return ui->iPhoneTypeBox->itemData(index, Qt::UserRole);
}

QVariant Mendra::GetModelData(int index) const {
    return ui->DeviceModelBox->itemData(index, Qt::UserRole);
}

void Mendra::SetDeviceIndex(int index) {
    deviceIndex = index;
    ui->iPhoneTypeBox->setCurrentIndex(index);
}

void Mendra::SetModelIndex(int index) {
    modelIndex = index;
    ui->DeviceModelBox->setCurrentIndex(index);
}

void Mendra::SetDeviceItemText(int index, const QString& text) {
    ui->iPhoneTypeBox->setItemText(index, text);
}

void Mendra::SetModelItemText(int index, const QString& text) {
    ui->DeviceModelBox->setItemText(index, text);
}

void Mendra::ClearSystemVersions() {
    ui->SystemVersionBox->clear();
}

void Mendra::AddSystemVersion(const QString& text) {
    ui->SystemVersionBox->addItem(text, QVariant());
}

int Mendra::GetSystemVersionIndex() {
    return systemVersionIndex = ui->SystemVersionBox->currentIndex();
}

QString Mendra::GetSystemVersionText() const {
    return ui->SystemVersionBox->currentText();
}

// ---- Firmware check ----

bool Mendra::IsFailure(FirmwareState state) {
    return state == FirmwareState::DownloadFailed || state == FirmwareState::VerifyFailed;
}

void Mendra::ShowFirmwareState(FirmwareState state) {
    const char* text = FirmwareStateSource(state);
    if (!text)
        return;
    const bool failed = IsFailure(state);
    ui->FirmwareStateLbl->setText(tr(text));
    ui->descriptionLbl->setVisible(failed);
    if (failed)
        ui->descriptionLbl->setText(tr(", description:"));
    ui->errCodeLbl->setVisible(failed);
    ui->errStringLbl->setVisible(failed);
    ui->DowanLoadSpeed->setVisible(state == FirmwareState::Downloading);
    ui->FirmwareHintLbl->setVisible(failed);
    firmwareState = state;
}

void Mendra::ShowFirmwareHint(FirmwareHint hint) {
    ui->FirmwareHintLbl->show();
    const char* text = FirmwareHintSource(hint);
    if (!text)
        return;
    ui->FirmwareHintLbl->setText(tr(text));
    hintState = hint;
}

void Mendra::ClearFirmwareHint() {
    ui->FirmwareHintLbl->clear();
    // A failure without a hint shows none, and the language refresh brings none back.
    ui->FirmwareHintLbl->hide();
    hintState = FirmwareHint::Unset;
}

void Mendra::ClearFirmwareState() {
    for (QLabel* label :
         {ui->FirmwareStateLbl, ui->descriptionLbl, ui->errCodeLbl, ui->errStringLbl, ui->DowanLoadSpeed})
        label->clear();
}

void Mendra::ShowFirmwareError(const QString& code, const QString& description) {
    errorCodeText = code;
    errorDescription = description;
    ui->errCodeLbl->setText(code);
    ui->errStringLbl->setText(WrappableText(description));
}

// Back and "Download again" then act as after a failed first check: nothing runs any more.
void Mendra::ReturnToFirmwareCheck() {
    StopFixAnimation();
    SetMainPage(MainPage::FirmwareSelection);
    SetCheckPage(CheckPage::CheckFirmware);
    SetNextButton(NextButtonState::Start);
    btnNext->hide();
    btnNext->setEnabled(false);
    btnDownload->hide();
    btnDownload->setEnabled(false);
    btnBack->show();
    btnBack->setEnabled(true);
    guideLinkLbl->hide();
    controller->UpdateModeTitle();
}

bool Mendra::IsFirmwareCheckFailed() const {
    return IsFailure(firmwareState);
}

// Until the new run's first report, the page would still show the failure before it: Back would take it for
// a check with nothing running, and "Download again" could start a second run behind the first.
void Mendra::ShowCheckStarting() {
    btnRetryDownload->hide();
    btnRetryDownload->setEnabled(false);
    ClearFirmwareHint();
    ui->FirmwareHintLbl->hide();
    ClearFirmwareState();
    for (QLabel* label : {ui->descriptionLbl, ui->errCodeLbl, ui->errStringLbl})
        label->hide();
    firmwareState = FirmwareState::Unset;
    hintState = FirmwareHint::Unset;
}

void Mendra::ShowFirmwareProgress(float value) {
    ui->FirmwareProgressBar->setValue(static_cast<int>(value));
    ui->ProgressBarValueLbl->setText(QStringLiteral("%1%...").arg(QString::asprintf("%0.1f", value / 10.0)));
}

void Mendra::ShowDownloadSpeed(qint64 bytesDone) {
    ui->DowanLoadSpeed->setText(QStringLiteral("%1").arg(FormatDownloadSpeed(static_cast<quint64>(bytesDone))));
}

void Mendra::ShowDownloadAnimation() {
    PlayMovie(firmwareMovie, ui->FirmwareStatePic, QStringLiteral(":/Tavik/Resources/img/DownloadGif.gif"), 200, 180);
}

void Mendra::ShowVerifyAnimation() {
    PlayMovie(firmwareMovie, ui->FirmwareStatePic, QStringLiteral(":/Tavik/Resources/img/VerifyGif.gif"), 200, 180);
}

void Mendra::ShowDownloadFailedPicture() {
    ShowSkinPicture(ui->FirmwareStatePic, QStringLiteral("Other"), QStringLiteral("DownloadFailed"), 200, 180);
}

void Mendra::ShowVerifyFailedPicture() {
    ShowSkinPicture(ui->FirmwareStatePic, QStringLiteral("Other"), QStringLiteral("VerifyFailed"), 200, 180);
}

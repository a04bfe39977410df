// What the main window shows of the devices, their lists and the firmware check.
#include "Mendra.h"

#include "DownloadSpeed.h"
#include "MendraTexts.h"
#include "WrappableText.h"

#include "controller/Controller.h"
#include "device/RepairEngine.h"
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
    recoveryModeStateBtn->setEnabled(mode != MRModeDFU);
    recoveryModeStateBtn->setText(tr(text));
    recoveryButtonState = mode;
}

void Mendra::ShowConnectionState(int, MRDeviceRef device) {
    ShowConnectionStateAlt(device != 0);
}

void Mendra::ShowConnectionStateAlt(bool connected) {
    // The connecting animation belongs to a mode change that has now ended, well or not.
    if (connectMovie)
        connectMovie->stop();
    ShowSkinPicture(connstatusIogoLbl, QStringLiteral("Other"),
                    connected ? QStringLiteral("Connected") : QStringLiteral("UnConnected"), 200, 380);
    SetHomeConnection(connected ? HomeConnection::DeviceList : HomeConnection::NotConnected);
    deviceNotConnLbl->setVisible(!connected);
    recoveryModeStateBtn->setVisible(connected);
}

void Mendra::ShowConnectingAnimation() {
    SetHomeConnection(HomeConnection::Connecting);
    PlayMovie(connectMovie, connectLabel, QStringLiteral(":/Tavik/Resources/img/connect.gif"), 100, 30);
}

// The device text is not shown here (the label is cleared until the firmware page's list names the device), so
// it is not kept either: a language change must bring back what the label showed.
void Mendra::OnDeviceConnectionChanged(bool connected, const QString& name, const QString&, const QString&) {
    SetDeviceTypeText(QString());
    const bool onFixPage = GetMainPageIndex() == MainPage::Fix;
    if (connected) {
        if (onFixPage) {
            userNameLbl->setVisible(!name.isEmpty());
            userNameLbl->setText(name);
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
    iPhoneTypeLbl_2->clear();
    iPhoneTypeLbl_2->setText(text);
    deviceTypeText = text;
}

void Mendra::ShowFixingDeviceName(MRDeviceRef device) {
    deviceNameText = controller->GetDeviceName(device);
    iPhoneFixingLabel->setText(deviceNameText);
    qDebug() << "iPhoneName:" << deviceNameText;
}

void Mendra::ShowFixStateConnected() {
    ShowSkinPicture(FixStateLbl, QStringLiteral("Other"), "Connected", 200, 390);
}

void Mendra::ShowFixStateFix() {
    ShowSkinPicture(FixStateLbl, QStringLiteral("Other"), "Fix", 200, 390);
}

void Mendra::ShowFixStateUnconnected() {
    ShowSkinPicture(FixStateLbl, QStringLiteral("Other"), "UnConnected", 200, 390);
}

void Mendra::ShowFixAnimation() {
    PlayMovie(fixMovie, FixStateLbl, QStringLiteral(":/Tavik/Resources/img/fixpix.gif"), 200, 390);
}

void Mendra::StopFixAnimation() {
    for (QMovie* movie : {fixMovie.data(), firmwareMovie.data()}) {
        if (movie)
            movie->stop();
    }
}

// ---- Device lists and system versions ----

void Mendra::AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef) {
    iPhoneTypeBox->addItem(text, data);
    SetDeviceIndex(iPhoneTypeBox->count() - 1);
}

void Mendra::AddModelEntry(const QString& text, const QVariant& data) {
    DeviceModelBox->addItem(text, data);
    SetModelIndex(DeviceModelBox->count() - 1);
}

void Mendra::RemoveDeviceEntry(int index) {
    iPhoneTypeBox->removeItem(index);
    deviceCount = iPhoneTypeBox->count();
}

void Mendra::RemoveModelEntry(int index) {
    DeviceModelBox->removeItem(index);
    modelCount = DeviceModelBox->count();
}

int Mendra::GetDeviceCount() {
    return deviceCount = iPhoneTypeBox->count();
}

int Mendra::GetModelCount() {
    return modelCount = DeviceModelBox->count();
}

int Mendra::GetDeviceIndex() {
    return deviceIndex = iPhoneTypeBox->currentIndex();
}

int Mendra::GetModelIndex() {
    return modelIndex = DeviceModelBox->currentIndex();
}

QVariant Mendra::GetDeviceData(int index) const {
    return iPhoneTypeBox->itemData(index, Qt::UserRole);
}

QVariant Mendra::GetModelData(int index) const {
    return DeviceModelBox->itemData(index, Qt::UserRole);
}

void Mendra::SetDeviceIndex(int index) {
    deviceIndex = index;
    iPhoneTypeBox->setCurrentIndex(index);
}

void Mendra::SetModelIndex(int index) {
    modelIndex = index;
    DeviceModelBox->setCurrentIndex(index);
}

void Mendra::SetDeviceItemText(int index, const QString& text) {
    iPhoneTypeBox->setItemText(index, text);
}

void Mendra::SetModelItemText(int index, const QString& text) {
    DeviceModelBox->setItemText(index, text);
}

void Mendra::ClearSystemVersions() {
    SystemVersionBox->clear();
}

void Mendra::AddSystemVersion(const QString& text) {
    SystemVersionBox->addItem(text, QVariant());
}

int Mendra::GetSystemVersionIndex() {
    return systemVersionIndex = SystemVersionBox->currentIndex();
}

QString Mendra::GetSystemVersionText() const {
    return SystemVersionBox->currentText();
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
    FirmwareStateLbl->setText(tr(text));
    descriptionLbl->setVisible(failed);
    if (failed)
        descriptionLbl->setText(tr(", description:"));
    errCodeLbl->setVisible(failed);
    errStringLbl->setVisible(failed);
    DowanLoadSpeed->setVisible(state == FirmwareState::Downloading);
    FirmwareHintLbl->setVisible(failed);
    firmwareState = state;
}

void Mendra::ShowFirmwareHint(FirmwareHint hint) {
    FirmwareHintLbl->show();
    const char* text = FirmwareHintSource(hint);
    if (!text)
        return;
    FirmwareHintLbl->setText(tr(text));
    hintState = hint;
}

void Mendra::ClearFirmwareHint() {
    FirmwareHintLbl->clear();
}

void Mendra::ClearFirmwareState() {
    for (QLabel* label : {FirmwareStateLbl, descriptionLbl, errCodeLbl, errStringLbl, DowanLoadSpeed})
        label->clear();
}

void Mendra::ShowFirmwareError(const QString& code, const QString& description) {
    errorCodeText = code;
    errorDescription = description;
    errCodeLbl->setText(code);
    errStringLbl->setText(WrappableText(description));
}

// Until the new run's first report, the page would still show the failure before it: Back would take it for
// a check with nothing running, and "Download again" could start a second run behind the first.
void Mendra::ShowCheckStarting() {
    btnRetryDownload->hide();
    btnRetryDownload->setEnabled(false);
    ClearFirmwareHint();
    FirmwareHintLbl->hide();
    ClearFirmwareState();
    for (QLabel* label : {descriptionLbl, errCodeLbl, errStringLbl})
        label->hide();
    firmwareState = FirmwareState::Unset;
    hintState = FirmwareHint::Unset;
}

void Mendra::ShowFirmwareProgress(float value) {
    FirmwareProgressBar->setValue(static_cast<int>(value));
    ProgressBarValueLbl->setText(QStringLiteral("%1%...").arg(QString::asprintf("%0.1f", value / 10.0)));
}

void Mendra::ShowDownloadSpeed(qint64 bytesDone) {
    DowanLoadSpeed->setText(QStringLiteral("%1").arg(FormatDownloadSpeed(static_cast<quint64>(bytesDone))));
}

void Mendra::ShowDownloadAnimation() {
    PlayMovie(firmwareMovie, FirmwareStatePic, QStringLiteral(":/Tavik/Resources/img/DownloadGif.gif"), 200, 180);
}

void Mendra::ShowVerifyAnimation() {
    PlayMovie(firmwareMovie, FirmwareStatePic, QStringLiteral(":/Tavik/Resources/img/VerifyGif.gif"), 200, 180);
}

void Mendra::ShowDownloadFailedPicture() {
    ShowSkinPicture(FirmwareStatePic, QStringLiteral("Other"), QStringLiteral("DownloadFailed"), 200, 180);
}

void Mendra::ShowVerifyFailedPicture() {
    ShowSkinPicture(FirmwareStatePic, QStringLiteral("Other"), QStringLiteral("VerifyFailed"), 200, 180);
}

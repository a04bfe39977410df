#include "SkinManager.h"

#include "SkinFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QWidget>

#include <cmath>

double gUiScale = 1.0;
double gFontScale = 1.0;

SkinManager* SkinManager::s_instance = nullptr;

namespace {

// Holds the instance so that it is deleted at exit even when nobody calls Release.
struct SkinManagerHolder {
    ~SkinManagerHolder() { SkinManager::Release(); }
};

int RoundHalfUp(double value) {
    return int(std::floor(value + 0.5));
}

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

int UiScaled(double designSize) {
    return static_cast<int>(designSize * SkinManager::Instance()->GetScale());
}

SkinManager* SkinManager::Instance() {
    static SkinManagerHolder holder;
    if (!s_instance)
        s_instance = new SkinManager;
    return s_instance;
}

void SkinManager::Release() {
    delete s_instance;
    s_instance = nullptr;
}

SkinManager::SkinManager()
    : QObject(nullptr), m_skinRoot(QCoreApplication::applicationDirPath() + QStringLiteral("/Skin")),
      m_logoTags{QStringLiteral("icon"), QStringLiteral("edition"), QStringLiteral("brand"), QStringLiteral("logo")},
      m_logoSheetPath(QStringLiteral(":/Tavik/Resources/Edition/win/Skin_logo.png")),
      m_logoDescriptionPath(QStringLiteral(":/Tavik/Resources/Edition/win/Logo.xml")) {}

int SkinManager::Init(int num, const QStringList& candidates, const SkinLogoKey& logoKey, const QString& skinRoot) {
    if (!skinRoot.isEmpty())
        m_skinRoot = skinRoot;
    if (num < 0)
        return StatusFailed;
    if (m_status == StatusNone)
        ScanSkins(num, candidates);
    if (m_status == StatusFailed)
        return StatusFailed;
    LoadSkin();
    // A repeated Init checks the logo again; the style part of the status must survive that.
    const int styleStatus = (m_status == StatusNoLogo) ? StatusFound : (m_status & ~StatusNoLogo);
    if (CheckLogo(logoKey))
        m_status = styleStatus;
    else
        m_status = (styleStatus == StatusFallback) ? (StatusFallback | StatusNoLogo) : StatusNoLogo;
    return m_status;
}

void SkinManager::ScanSkins(int num, const QStringList& candidates) {
    SetCandidates(candidates);
    m_foundStyles.clear();
    for (const QString& name : candidates) {
        if (QFileInfo::exists(m_skinRoot + QLatin1Char('/') + name))
            m_foundStyles.append(name);
    }
    m_foundStyles.sort(Qt::CaseSensitive);
    if (m_foundStyles.isEmpty()) {
        m_status = StatusFailed;
        return;
    }
    const QString requested = m_candidates.value(num);
    int index = num;
    if (!requested.isEmpty() && m_foundStyles.contains(requested)) {
        m_status = StatusFound;
    } else {
        index = m_candidates.indexOf(m_foundStyles.first());
        m_status = StatusFallback;
    }
    SelectSkin(index);
}

void SkinManager::SelectSkin(int index) {
    m_currentIndex = index;
    m_styleFolder = m_skinRoot + QLatin1Char('/') + m_candidates.value(index) + QLatin1Char('/');
}

void SkinManager::LoadSkin() {
    m_logo = QPixmap(m_logoSheetPath);
    SkinFiles::ReadDocument(m_logoDescriptionPath, &m_logoDocument);
    LoadStyleImages();
    m_iconQssPath = m_skinRoot + QStringLiteral("/Icon.qss");
}

void SkinManager::LoadStyleImages() {
    m_sprite.Load(m_styleFolder + QStringLiteral("AllImage.png"), m_sheetCacheFolder);
    SkinFiles::ReadDocument(m_skinRoot + QStringLiteral("/AllImage.xml"), &m_imageDocument);
    SkinFiles::ReadDocument(m_styleFolder + QStringLiteral("Color.xml"), &m_colorDocument);
    m_colorQssPath = m_styleFolder + QStringLiteral("Color.qss");
    // The old page element belongs to the document just replaced; find the same page in the new one.
    if (!m_currentPart.isNull())
        ChangePart(m_currentPart.tagName());
}

bool SkinManager::CheckLogo(const SkinLogoKey& key) {
    m_logoElement = SkinFiles::FindLogoElement(m_logoDocument, key);
    return !m_logoElement.isNull();
}

void SkinManager::SetBaseWidth(double width) {
    m_baseWidth = width;
}

void SkinManager::InitScale(double* uiScale, double* fontScale) {
    InitScaleFor(PrimaryScreenMetrics(), uiScale, fontScale);
}

void SkinManager::InitScaleFor(const ScreenMetrics& screen, double* uiScale, double* fontScale) {
    const SkinScale scale = ComputeSkinScale(screen, m_baseWidth);
    m_uiScale = scale.uiScale;
    m_fontScale = scale.fontScale;
    if (uiScale)
        *uiScale = m_uiScale;
    if (fontScale)
        *fontScale = m_fontScale;
}

void SkinManager::SetLogoDoubleResolution(bool on) {
    m_logoDoubleResolution = on;
}

void SkinManager::SetSpriteDoubleResolution(bool on) {
    m_spriteDoubleResolution = on;
}

bool SkinManager::IsSpriteDoubleResolution() const {
    return m_spriteDoubleResolution;
}

bool SkinManager::IsLogoDoubleResolution() const {
    return m_logoDoubleResolution;
}

void SkinManager::LoadStyleSheet() {
    m_styleSheet = SkinFiles::RewriteScaleTokens(ReadText(GetStyleSheetPath()), m_uiScale);
}

QDomElement SkinManager::FindImage(const QString& name) const {
    if (m_currentPart.isNull())
        return {};
    return m_currentPart.firstChildElement(name);
}

QPixmap SkinManager::GetPagePixmap(const QString& name) const {
    const QDomElement image = FindImage(name);
    return SkinFiles::CutPixmap(m_sprite, image.firstChildElement(), m_uiScale, m_spriteDoubleResolution);
}

void SkinManager::GetStatePixmaps(QMap<int, QPixmap>* pixmaps, const QString& name, bool doubleResolution) const {
    if (!pixmaps)
        return;
    const QDomElement image = FindImage(name);
    for (QDomElement state = image.firstChildElement(); !state.isNull(); state = state.nextSiblingElement()) {
        const int key = SkinFiles::StateKey(state.tagName());
        if (key != 0)
            pixmaps->insert(key, SkinFiles::CutPixmap(m_sprite, state, m_uiScale, doubleResolution));
    }
}

QList<QPixmap> SkinManager::GetPageStateList(const QString& name) const {
    QList<QPixmap> list;
    const QDomElement image = FindImage(name);
    for (QDomElement state = image.firstChildElement(); !state.isNull(); state = state.nextSiblingElement())
        list.append(SkinFiles::CutPixmap(m_sprite, state, m_uiScale, m_spriteDoubleResolution));
    return list;
}

QPixmap SkinManager::GetLogoPixmap(int kind) const {
    if (m_logoElement.isNull())
        return {};
    QString tag;
    int fixedSize = 0;
    switch (kind) {
    case LOGO_ICON_SMALL:
        tag = QStringLiteral("icon");
        fixedSize = 16;
        break;
    case LOGO_ICON_LARGE:
        tag = QStringLiteral("icon");
        fixedSize = 80;
        break;
    case LOGO_ICON:
        tag = QStringLiteral("icon");
        break;
    case LOGO_EDITION:
        tag = QStringLiteral("edition");
        break;
    case LOGO_BRAND:
        tag = QStringLiteral("brand");
        break;
    case LOGO_LOGO:
        tag = QStringLiteral("logo");
        break;
    default:
        return {};
    }
    const QPixmap piece =
        SkinFiles::CutPixmap(m_logo, m_logoElement.firstChildElement(tag), m_uiScale, m_logoDoubleResolution);
    if (piece.isNull() || fixedSize == 0)
        return piece;
    const int side = int(fixedSize * m_uiScale);
    return piece.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QMap<QString, QString> SkinManager::GetPageColors(const QString& page) const {
    QMap<QString, QString> colors;
    const QDomElement pageElement = SkinFiles::DocumentRoot(m_colorDocument).firstChildElement(page);
    for (QDomElement c = pageElement.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        colors.insert(c.tagName(), QString::fromLatin1(c.attribute(QStringLiteral("color")).toLatin1()));
    return colors;
}

QMap<QString, QColor> SkinManager::GetPageRgbColors(const QString& page) const {
    QMap<QString, QColor> colors;
    const QDomElement pageElement = SkinFiles::DocumentRoot(m_colorDocument).firstChildElement(page);
    for (QDomElement c = pageElement.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        colors.insert(c.tagName(),
                      QColor(c.attribute(QStringLiteral("R")).toInt(), c.attribute(QStringLiteral("G")).toInt(),
                             c.attribute(QStringLiteral("B")).toInt()));
    }
    return colors;
}

QString SkinManager::GetStyleSheet() const {
    return m_styleSheet;
}

QString SkinManager::GetStyleSheetPath() const {
    return m_skinRoot + QStringLiteral("/style.qss");
}

QString SkinManager::GetIconQssPath() const {
    return m_iconQssPath;
}

QString SkinManager::GetColorQssPath() const {
    return m_colorQssPath;
}

QString SkinManager::GetSkinFolder() const {
    return m_styleFolder;
}

QString SkinManager::GetSkinRootPath() const {
    return m_skinRoot + QLatin1Char('/');
}

QStringList SkinManager::GetCandidates() const {
    return m_candidates;
}

int SkinManager::GetCurrentIndex() const {
    return m_currentIndex;
}

int SkinManager::GetStatus() const {
    return m_status;
}

QString SkinManager::GetCurrentPart() const {
    return m_currentPart.isNull() ? QString() : m_currentPart.tagName();
}

double SkinManager::GetScale() const {
    return m_uiScale;
}

double SkinManager::GetFontScale() const {
    return m_fontScale;
}

QFont SkinManager::GetFont(int size, bool bold) const {
    QFont font = QApplication::font();
    font.setPixelSize(qMax(1, int(size * m_uiScale)));
    font.setBold(bold);
    return font;
}

void SkinManager::ScaleMovie(QMovie* movie, bool doubleResolution) const {
    if (!movie)
        return;
    QImageReader reader(movie->fileName());
    const QSize size = reader.size();
    if (!size.isValid())
        return; // a movie read from a device has no file to measure; leave its size alone
    int width = RoundHalfUp(size.width() * m_uiScale);
    int height = RoundHalfUp(size.height() * m_uiScale);
    if (doubleResolution) {
        width = RoundHalfUp(width / 2.0);
        height = RoundHalfUp(height / 2.0);
    }
    movie->setScaledSize(QSize(width, height));
}

QPixmap SkinManager::ScalePixmap(const QPixmap& pixmap, bool doubleResolution) const {
    const double factor = doubleResolution ? m_uiScale / 2.0 : m_uiScale;
    const QSize target(int(pixmap.width() * factor), int(pixmap.height() * factor));
    if (pixmap.isNull() || target.isEmpty())
        return {};
    return pixmap.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage SkinManager::ScaleImage(const QImage& image, bool doubleResolution) const {
    const double factor = doubleResolution ? m_uiScale / 2.0 : m_uiScale;
    const QSize target(int(image.width() * factor), int(image.height() * factor));
    if (image.isNull() || target.isEmpty())
        return {};
    return image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void SkinManager::SetLogoTags(const QStringList& tags) {
    m_logoTags = tags;
}

void SkinManager::SetCandidates(const QStringList& candidates) {
    m_candidates = candidates;
}

void SkinManager::ApplyFontsSheet(QWidget* widget) const {
    if (!widget)
        return;
    QString text = ReadText(m_styleFolder + QStringLiteral("Fonts.qss"));
    if (text.contains(QLatin1String("%1")))
        text = text.arg(m_styleFolder + QStringLiteral("image/"));
    widget->setStyleSheet(SkinFiles::RewriteScaleTokens(text, m_uiScale));
}

void SkinManager::NotifyAllImageUpdate() {
    emit AllImageUpdate();
}

void SkinManager::SetLogoSources(const QString& sheetPath, const QString& descriptionPath) {
    m_logoSheetPath = sheetPath;
    m_logoDescriptionPath = descriptionPath;
}

void SkinManager::SetSheetCacheFolder(const QString& folder) {
    m_sheetCacheFolder = folder;
}

void SkinManager::ChangeSkin(int num) {
    if (num < 0 || num >= m_candidates.size())
        return;
    SelectSkin(num);
    LoadStyleImages();
    emit AllImageUpdate();
}

void SkinManager::ChangePart(const QString& part) {
    const QDomElement page = SkinFiles::DocumentRoot(m_imageDocument).firstChildElement(part);
    if (!page.isNull())
        m_currentPart = page;
}

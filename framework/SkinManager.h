#pragma once

#include "SkinScale.h"
#include "SkinSheet.h"
#include "SkinTypes.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFont>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QMovie;
class QWidget;

// UI scale and font scale of the running program; InitScale writes both, windows read them.
extern double gUiScale;
extern double gFontScale;

// A design size in pixels at the running UI scale, truncated toward zero as every skinned size is.
int UiScaled(double designSize);

// The process-wide access to the skin: style folders, the sprite sheet and its description, colour
// tables, style sheets, the embedded logo and the screen scale. GUI thread only.
class SkinManager : public QObject {
    Q_OBJECT

public:
    enum Status { StatusNone = 0, StatusFailed = 1, StatusFallback = 2, StatusFound = 3, StatusNoLogo = 4 };

    static SkinManager* Instance();
    static void Release();

    int Init(int num, const QStringList& candidates, const SkinLogoKey& logoKey, const QString& skinRoot);
    void SetBaseWidth(double width);
    void InitScale(double* uiScale, double* fontScale);
    // As InitScale, for given screen figures instead of the primary screen's.
    void InitScaleFor(const ScreenMetrics& screen, double* uiScale, double* fontScale);
    void SetLogoDoubleResolution(bool on);
    void SetSpriteDoubleResolution(bool on);
    bool IsSpriteDoubleResolution() const;
    bool IsLogoDoubleResolution() const;
    void LoadStyleSheet();

    QPixmap GetPagePixmap(const QString& name) const;
    void GetStatePixmaps(QMap<int, QPixmap>* pixmaps, const QString& name, bool doubleResolution) const;
    QList<QPixmap> GetPageStateList(const QString& name) const;
    QPixmap GetLogoPixmap(int kind) const;
    QMap<QString, QString> GetPageColors(const QString& page) const;
    QMap<QString, QColor> GetPageRgbColors(const QString& page) const;

    QString GetStyleSheet() const;
    QString GetStyleSheetPath() const;
    QString GetIconQssPath() const;
    QString GetColorQssPath() const;
    QString GetSkinFolder() const;
    QString GetSkinRootPath() const;
    QStringList GetCandidates() const;
    int GetCurrentIndex() const;
    int GetStatus() const;
    QString GetCurrentPart() const;

    double GetScale() const;
    double GetFontScale() const;
    QFont GetFont(int size, bool bold) const;
    void ScaleMovie(QMovie* movie, bool doubleResolution) const;
    QPixmap ScalePixmap(const QPixmap& pixmap, bool doubleResolution) const;
    QImage ScaleImage(const QImage& image, bool doubleResolution) const;

    void SetLogoTags(const QStringList& tags);
    void SetCandidates(const QStringList& candidates);
    void ApplyFontsSheet(QWidget* widget) const;
    void NotifyAllImageUpdate();

    // Loads from the given embedded (or plain) paths instead of the program's own logo resources.
    void SetLogoSources(const QString& sheetPath, const QString& descriptionPath);
    // Where the decoded sprite sheets are kept between starts (see SkinSheet); none until set. Takes effect
    // with the next load of a style's images.
    void SetSheetCacheFolder(const QString& folder);
    const SkinSheet& GetSpriteSheet() const { return m_sprite; }

signals:
    void AllImageUpdate();

public slots:
    void ChangeSkin(int num);
    void ChangePart(const QString& part);

private:
    SkinManager();
    void ScanSkins(int num, const QStringList& candidates);
    void SelectSkin(int index);
    void LoadSkin();
    void LoadStyleImages();
    bool CheckLogo(const SkinLogoKey& key);
    QDomElement FindImage(const QString& name) const;

    QString m_skinRoot;
    QString m_styleFolder;
    QStringList m_foundStyles;
    QStringList m_candidates;
    SkinSheet m_sprite;
    QString m_sheetCacheFolder;
    bool m_spriteDoubleResolution = true;
    QDomDocument m_imageDocument;
    QPixmap m_logo;
    bool m_logoDoubleResolution = true;
    QDomDocument m_logoDocument;
    QDomDocument m_colorDocument;
    QString m_colorQssPath;
    QString m_iconQssPath;
    QString m_styleSheet;
    QDomElement m_currentPart;
    int m_currentIndex = 0;
    QStringList m_logoTags;
    QDomElement m_logoElement;
    int m_status = StatusNone;
    double m_uiScale = 1.0;
    double m_fontScale = 96.0 / 72.0;
    double m_baseWidth = 1920.0;
    QString m_logoSheetPath;
    QString m_logoDescriptionPath;

    static SkinManager* s_instance;
};

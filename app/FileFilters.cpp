#include "FileFilters.h"

#include <QImage>
#include <QStringList>

namespace {
QString patterns(const char* list, bool bare) {
    QString text = QString::fromLatin1(list);
    if (bare)
        text.remove(QStringLiteral("*."));
    return text;
}
} // namespace

QString ImageFileFilter(bool bare) {
    return patterns("*.png;*.jpg;*.jpeg;*.bmp;*.heic", bare);
}

QString TiffGifFileFilter(bool bare) {
    return patterns("*.tiff;*.tif;*.gif", bare);
}

QString OtherImageFileFilter(bool bare) {
    return patterns("*.jfif;*.ico;*.emf;*.wmf", bare);
}

QString AllImageFileFilter(bool bare) {
    return ImageFileFilter(bare) + QLatin1Char(';') + TiffGifFileFilter(bare) + QLatin1Char(';') +
           OtherImageFileFilter(bare);
}

QString SubtitleFileFilter(bool bare) {
    return patterns("*.srt;*.ass;*.ssa", bare);
}

QString AudioFileFilter(bool bare) {
    return patterns("*.aac;*.ac3;*.aif;*.amr;*.aiff;*.wav;*.flac;*.mka;*.mp2;*.mp3;*.m4a;*.ogg;*.ra;*.au;*.wma;"
                    "*.m4r;*.ape",
                    bare);
}

QString VideoFileFilter(bool bare) {
    return patterns("*.h265;*.h264;*.265;*.264;*.3gp;*.3gpp;*.3g2;*.avi;*.m4v;*.m2v;*.mod;*.tod;*.dv;*.dpg;*.flv;"
                    "*.f4v;*.mts;*.ts;*.m2ts;*.m2t;*.tp;*.trp;*.dvr-ms;*.mkv;*.mp4;*.mpg;*.mpeg;*.nut;*.nsv;*.mov;"
                    "*.qt;*.rm;*.rmvb;*.vob;*.dat;*.wmv;*.asf;*.webm;*.wtv",
                    bare);
}

QString MediaFileFilter(bool bare) {
    return VideoFileFilter(bare) + QLatin1Char(';') + AudioFileFilter(bare);
}

QString DiscImageFileFilter(bool bare) {
    return patterns("*.iso;*.ISO", bare);
}

QImage LoadImageAnyFormat(const QString& path) {
    QImage image(path);
    if (!image.isNull())
        return image;
    const QStringList formats =
        (ImageFileFilter(true) + QLatin1Char(';') + TiffGifFileFilter(true)).split(QLatin1Char(';'));
    for (const QString& format : formats) {
        if (image.load(path, format.toLatin1().constData()))
            break;
    }
    return image;
}

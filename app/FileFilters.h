#pragma once

#include <QString>

class QImage;

// File dialog pattern lists such as "*.png;*.jpg". With bare set, only the extensions remain:
// "png;jpg".
QString ImageFileFilter(bool bare);
QString TiffGifFileFilter(bool bare);
QString OtherImageFileFilter(bool bare);
QString AllImageFileFilter(bool bare);
QString SubtitleFileFilter(bool bare);
QString AudioFileFilter(bool bare);
QString VideoFileFilter(bool bare);
QString MediaFileFilter(bool bare);
QString DiscImageFileFilter(bool bare);

// Loads an image by its content; when that fails, tries the image formats of ImageFileFilter and
// TiffGifFileFilter one after the other. May return a null image.
QImage LoadImageAnyFormat(const QString& path);

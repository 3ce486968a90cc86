#pragma once

#include "PictureList.h"

#include <QByteArray>
#include <QImage>

// A description or story picture: the scene above, the title and subtitle on a band below.
QImage drawCaptionPicture(const PictureSpec &picture, const QString &family);

// The picture in the format its name asks for (JPEG or BMP). The same image always
// gives the same bytes.
QByteArray encodePicture(const QImage &image, const PictureSpec &picture);
// The same for any image, in "bmp" or "jpeg".
QByteArray encodeImage(const QImage &image, const char *format, const SourcePos &pos);

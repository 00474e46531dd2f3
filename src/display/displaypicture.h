#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace tavrok {

// The picture formats the separate display takes, by file extension: Windows bitmaps and icons, JPEG
// (decoded by libjpeg) and PNG. Windows metafiles (wmf, emf) are not drawn on this platform.
QStringList displayPictureExtensions();

// Reads the background picture; a null image when the file is missing, of another kind or damaged.
QImage loadDisplayPicture(const QString& path);

// A JPEG file decoded by libjpeg; a null image when it cannot be.
QImage decodeJpeg(const QByteArray& bytes);

} // namespace tavrok

#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The picture in a file, decoded at the size it is shown (pixels, stretched to fill it), with its
// orientation applied; a null image when the file is no picture. Memory stays near the shown size:
// formats the reader cannot decode smaller (bitmaps) are sampled row by row when their full size
// would pass the reader's allocation limit.
QImage decodePictureAtSize(const QString& path, QSize pixels);

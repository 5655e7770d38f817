#pragma once

#include <QByteArray>

// The picture file inside an Access OLE Object value: the value itself when it is a picture
// file, else the picture found by its signature (JPEG, PNG, GIF, BMP) inside the OLE wrapper,
// cut at the picture's own end where the format states it. An empty array when none is found.
QByteArray pictureFromOle(const QByteArray& value);

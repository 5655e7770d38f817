#pragma once

#include <QByteArray>

// The logo a new database carries: a 430 × 430 JPEG of a little shop front.
QByteArray sampleLogoJpeg();

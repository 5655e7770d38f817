#pragma once

#include <QPixmap>

// The picture across the top of the login window.
QPixmap loginBanner(int width, int height);

#pragma once

#include <QByteArray>
#include <optional>

class Database;
class Prompter;
class QWidget;

// The logo's place on the receipt, in 0.1 mm: its shift right of the layout's left edge and its size.
struct LogoGeometry {
    int offset = 0;
    int height = 0;
    int width = 0;
};

// logo偏差, logo高度 and logo宽度 read afresh; on a failed query "logo数据打开失败！" and nothing.
std::optional<LogoGeometry> readLogoGeometry(Database& db, Prompter& prompter, QWidget* owner = nullptr);
// The stored logo file's bytes; on a failed query "logo数据打开失败！" and nothing.
std::optional<QByteArray> loadLogoPicture(Database& db, Prompter& prompter, QWidget* owner = nullptr);

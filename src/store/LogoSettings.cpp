#include "store/LogoSettings.h"

#include "platform/Prompter.h"
#include "store/Database.h"

namespace {

void tellOpenFailed(Prompter& prompter, QWidget* owner) {
    prompter.tell(owner, QStringLiteral("logo数据打开失败！"), MessageIcon::Error);
}

}  // namespace

std::optional<LogoGeometry> readLogoGeometry(Database& db, Prompter& prompter, QWidget* owner) {
    RecordSet rows = db.query(QStringLiteral("SELECT logo偏差, logo高度, logo宽度 FROM 配置文件 WHERE ID = 1"));
    if (!rows.ok()) {
        tellOpenFailed(prompter, owner);
        return std::nullopt;
    }
    LogoGeometry geometry;
    geometry.offset = static_cast<int>(rows.integer(QStringLiteral("logo偏差")));
    geometry.height = static_cast<int>(rows.integer(QStringLiteral("logo高度")));
    geometry.width = static_cast<int>(rows.integer(QStringLiteral("logo宽度")));
    return geometry;
}

std::optional<QByteArray> loadLogoPicture(Database& db, Prompter& prompter, QWidget* owner) {
    RecordSet rows = db.query(QStringLiteral("SELECT logo FROM 配置文件 WHERE ID = 1"));
    if (!rows.ok()) {
        tellOpenFailed(prompter, owner);
        return std::nullopt;
    }
    return rows.bytes(QStringLiteral("logo"));
}

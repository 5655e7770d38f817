#include "store/AccessImportCommand.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstring>

namespace {

const char* const commandSwitch = "--import-access-database";

// Count fields, in the order of AccessImportResult.
struct CountField {
    const char* key;
    int AccessImportResult::*field;
};
const CountField counts[] = {
    {"sales", &AccessImportResult::sales},         {"lines", &AccessImportResult::lines},
    {"products", &AccessImportResult::products},   {"users", &AccessImportResult::users},
    {"customers", &AccessImportResult::customers}, {"paymentMethods", &AccessImportResult::paymentMethods},
};

QByteArray toJson(const AccessImportResult& result) {
    QJsonObject o;
    o.insert(QStringLiteral("ok"), result.ok);
    o.insert(QStringLiteral("error"), result.error);
    for (const CountField& c : counts) o.insert(QLatin1String(c.key), result.*c.field);
    o.insert(QStringLiteral("problems"), QJsonArray::fromStringList(result.problems));
    o.insert(QStringLiteral("reportPath"), result.reportPath);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

}  // namespace

bool isAccessImportCommand(const char* firstArgument) {
    return firstArgument && std::strcmp(firstArgument, commandSwitch) == 0;
}

QStringList accessImportArguments(const QString& accessPath, const QString& targetPath,
                                  const QString& resultPath) {
    return {QLatin1String(commandSwitch), accessPath, targetPath, resultPath};
}

int runAccessImportCommand(const QStringList& arguments) {
    if (arguments.size() != 4 || arguments[0] != QLatin1String(commandSwitch)) return 2;
    const AccessImportResult result = importAccessDatabase(arguments[1], arguments[2]);
    QSaveFile file(arguments[3]);
    if (!file.open(QIODevice::WriteOnly)) return 3;
    file.write(toJson(result));
    return file.commit() ? 0 : 3;
}

AccessImportResult readAccessImportResult(const QString& resultPath) {
    AccessImportResult result;
    QFile file(resultPath);
    const QJsonObject o =
        file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    if (o.isEmpty()) {
        result.error = QStringLiteral("导入程序没有给出结果，无法导入。");
        return result;
    }
    result.ok = o.value(QStringLiteral("ok")).toBool();
    result.error = o.value(QStringLiteral("error")).toString();
    for (const CountField& c : counts) result.*c.field = o.value(QLatin1String(c.key)).toInt();
    for (const QJsonValue& p : o.value(QStringLiteral("problems")).toArray()) result.problems << p.toString();
    result.reportPath = o.value(QStringLiteral("reportPath")).toString();
    if (!result.ok && result.error.isEmpty()) result.error = QStringLiteral("导入失败。");
    return result;
}

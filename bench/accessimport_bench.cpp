// Prints how long importing the old program's sample database takes: in this process, and as
// start-up does it, through the program started as its import helper.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "store/AccessImportCommand.h"
#include "store/AccessImporter.h"

namespace {

qint64 median(std::vector<qint64> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KORVANE_FIXTURES "/legacy-RX.mdb");
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    constexpr int runs = 7;
    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const AccessImportResult result = importAccessDatabase(source, dir.filePath(QStringLiteral("RX.mdb")));
        const qint64 ms = timer.elapsed();
        if (!result.ok) {
            std::fprintf(stderr, "import failed: %s\n", qPrintable(result.error));
            return 1;
        }
        times.push_back(ms);
        if (i == 0)
            std::printf("imported %d sales, %d lines, %d products, %d users, %d customers, %d payment methods\n",
                        result.sales, result.lines, result.products, result.users, result.customers,
                        result.paymentMethods);
    }
    std::printf("import of %s: median of %d runs %lld ms\n", qPrintable(source), runs, static_cast<long long>(median(times)));

    times.clear();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QString target = dir.filePath(QStringLiteral("helper-RX.mdb"));
        const QString resultFile = dir.filePath(QStringLiteral("result.json"));
        const int code = QProcess::execute(QStringLiteral(KORVANE_BINARY), accessImportArguments(source, target, resultFile));
        const AccessImportResult result = readAccessImportResult(resultFile);
        const qint64 ms = timer.elapsed();
        if (code != 0 || !result.ok) {
            std::fprintf(stderr, "helper import failed: %s\n", qPrintable(result.error));
            return 1;
        }
        times.push_back(ms);
    }
    std::printf("import through the helper process: median of %d runs %lld ms\n", runs, static_cast<long long>(median(times)));
    return 0;
}

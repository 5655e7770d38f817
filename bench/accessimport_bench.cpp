// Prints how long importing the old program's sample database takes.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "store/AccessImporter.h"

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
    std::sort(times.begin(), times.end());
    std::printf("import of %s: median of %d runs %lld ms\n", qPrintable(source), runs,
                static_cast<long long>(times[times.size() / 2]));
    return 0;
}

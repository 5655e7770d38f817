// The counter's two hot paths: one keystroke in the name box until the completion shows, with
// 100,000 products (goal: under 2 ms), and storing a 50-line sale (goal: under 20 ms, with the
// database's synchronous=FULL). Prints medians.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "FakePlatform.h"
#include "Gui.h"
#include "TestDataDir.h"
#include "counter/MainWindow.h"
#include "counter/SaleLines.h"
#include "store/Database.h"

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDataDir dir;
    if (!dir.isValid() ||
        !dir.exec(QStringLiteral(
            "INSERT INTO 商品名称 (名称, 单价) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
            "SELECT i + 1 FROM n WHERE i < 100000) SELECT printf('p%06d-商品%d', i, i), '9.90' "
            "FROM n"))) {
        std::fprintf(stderr, "could not prepare the database\n");
        return 1;
    }
    FakePlatform platform;
    Database db;
    if (!db.open(dir.databasePath())) return 1;
    MainWindow window(platform, db, CurrentUser{QStringLiteral("admin"), QString()});
    window.show();
    window.openCounter();
    const MainWindowUi& ui = window.ui();

    std::vector<double> keystrokes;
    for (int i = 0; i < 300; ++i) {
        ui.name->clear();
        const QString code = QStringLiteral("p%1").arg((i * 337) % 100000, 6, 10, QLatin1Char('0'));
        for (const QChar c : code) {
            QElapsedTimer timer;
            timer.start();
            typeText(ui.name, QString(c));
            keystrokes.push_back(msSince(timer));
        }
    }

    std::vector<double> saves;
    for (int sale = 0; sale < 40; ++sale) {
        for (int line = 0; line < 50; ++line) {
            ui.name->setText(QStringLiteral("商品%1").arg(line));
            ui.quantity->setText(QString::number(line % 5 + 1));
            ui.price->setText(QStringLiteral("12.5"));
            window.saleLines().addSaleLine();
        }
        QElapsedTimer timer;
        timer.start();
        if (!window.saveSale()) return 1;
        saves.push_back(msSince(timer));
    }

    std::printf("keystroke to completion, 100000 products: median %.3f ms (%zu keystrokes)\n",
                median(keystrokes), keystrokes.size());
    std::printf("saving a 50-line sale: median %.3f ms (%zu sales)\n", median(saves), saves.size());
    return platform.prompts.surprises().isEmpty() ? 0 : 1;
}

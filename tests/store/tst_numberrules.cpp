#include <QTest>

#include "store/NumberRules.h"
#include "store/TextRules.h"

class NumberRulesTest : public QObject {
    Q_OBJECT
private slots:
    void numberOfText_data();
    void numberOfText();
    void numberTextOfNumber_data();
    void numberTextOfNumber();
    void roundingToCents_data();
    void roundingToCents();
    void moneyTextCutsNeverRounds_data();
    void moneyTextCutsNeverRounds();
    void largeAmountsHaveNoExponent();
    void codePageLengthsAndCuts_data();
    void codePageLengthsAndCuts();
    void passwordDigestMatchesOldProgram_data();
    void passwordDigestMatchesOldProgram();
    void dateTimeText();
};

void NumberRulesTest::numberOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("plain") << "12.50" << 12.5 << qint64(12);
    QTest::newRow("negative truncates toward zero") << "-2.5" << -2.5 << qint64(-2);
    QTest::newRow("leading number of a longer text") << "3.7kg" << 3.7 << qint64(3);
    QTest::newRow("letters") << "abc" << 0.0 << qint64(0);
    QTest::newRow("empty") << "" << 0.0 << qint64(0);
    QTest::newRow("only a point") << "." << 0.0 << qint64(0);
    QTest::newRow("fraction without whole part") << ".5" << 0.5 << qint64(0);
    QTest::newRow("leading blanks") << "  7" << 7.0 << qint64(7);
    QTest::newRow("no exponent read") << "1e5" << 1.0 << qint64(1);
    QTest::newRow("false text of a failed read") << "假" << 0.0 << qint64(0);
}

void NumberRulesTest::numberOfText() {
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(qint64, whole);
    QCOMPARE(numberOf(text), number);
    QCOMPARE(wholeNumberOf(text), whole);
}

void NumberRulesTest::numberTextOfNumber_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("no trailing zeros") << 12.5 << "12.5";
    QTest::newRow("whole") << 80.0 << "80";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("tiny negative rounds to zero digits") << -1e-20 << "-0.00000000000000000001";
    QTest::newRow("13 significant digits") << 1.0 / 3.0 << "0.3333333333333";
    QTest::newRow("large, no exponent") << 1e15 << "1000000000000000";
    QTest::newRow("large with digits cut") << 214748364699999997.85 << "214748364700000000";
    QTest::newRow("small, no exponent") << 0.00001 << "0.00001";
    QTest::newRow("binary noise dropped") << 0.1 + 0.2 << "0.3";
    QTest::newRow("negative") << -3.7 << "-3.7";
}

void NumberRulesTest::numberTextOfNumber() {
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(numberText(number), text);
}

void NumberRulesTest::roundingToCents_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half up") << 0.125 << 0.13;
    QTest::newRow("half away from zero") << -0.125 << -0.13;
    QTest::newRow("binary half") << 1.005 << 1.01;
    QTest::newRow("below half") << 2.344 << 2.34;
    QTest::newRow("whole") << 80.0 << 80.0;
}

void NumberRulesTest::roundingToCents() {
    QFETCH(double, number);
    QFETCH(double, rounded);
    QCOMPARE(round2(number), rounded);
}

void NumberRulesTest::moneyTextCutsNeverRounds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("money");
    QTest::newRow("whole") << "12" << "12.00";
    QTest::newRow("one decimal") << "12.5" << "12.50";
    QTest::newRow("cut") << "12.345" << "12.34";
    QTest::newRow("cut, not rounded") << "0.999" << "0.99";
    QTest::newRow("negative") << "-3.7" << "-3.70";
    QTest::newRow("point at the end") << "12." << "12.";
    QTest::newRow("empty") << "" << ".00";
    QTest::newRow("seven") << "7" << "7.00";
    QTest::newRow("pi") << "3.14159" << "3.14";
}

void NumberRulesTest::moneyTextCutsNeverRounds() {
    QFETCH(QString, text);
    QFETCH(QString, money);
    QCOMPARE(formatMoneyText(text), money);
}

void NumberRulesTest::largeAmountsHaveNoExponent() {
    const QString amount = moneyText(2147483647.0 * 99999999.99);
    QVERIFY2(!amount.contains(QLatin1Char('e')), qPrintable(amount));
    QCOMPARE(amount, QStringLiteral("214748364678500000.00"));
    QCOMPARE(moneyText(0.125), QStringLiteral("0.13"));
}

void NumberRulesTest::codePageLengthsAndCuts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("cutAt");
    QTest::addColumn<QString>("cut");
    QTest::newRow("ascii") << "abc" << 3 << 2 << "ab";
    QTest::newRow("chinese counts two") << "打印机" << 6 << 4 << "打印";
    QTest::newRow("never half a character") << "a打印" << 5 << 2 << "a";
    QTest::newRow("mixed fits") << "dyj-打印机" << 10 << 10 << "dyj-打印机";
    QTest::newRow("nothing") << "打" << 2 << 1 << "";
    QTest::newRow("four-byte character kept whole") << QString::fromUtf8("a\xF0\x9F\x98\x80") << 5 << 3 << "a";
}

void NumberRulesTest::codePageLengthsAndCuts() {
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(int, cutAt);
    QFETCH(QString, cut);
    QCOMPARE(gbkLength(text), length);
    QCOMPARE(gbkLeft(text, cutAt), cut);
}

void NumberRulesTest::passwordDigestMatchesOldProgram_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("digest");
    QTest::newRow("empty") << "" << "d41d8cd98f00b204e9800998ecf8427e";
    QTest::newRow("digits") << "123456" << "e10adc3949ba59abbe56e057f20f883e";
    QTest::newRow("chinese in the code page") << "店长2016" << "5b1a76a65e625fe43e543ebde2c40b3f";
}

void NumberRulesTest::passwordDigestMatchesOldProgram() {
    QFETCH(QString, password);
    QFETCH(QString, digest);
    QCOMPARE(passwordDigest(password), digest);
}

void NumberRulesTest::dateTimeText() {
    QCOMPARE(formatDateTimeText(QDateTime(QDate(2016, 8, 18), QTime(20, 55, 36))), QStringLiteral("2016-08-18  20:55:36"));
    QCOMPARE(formatDateTimeText(QDateTime(QDate(2025, 3, 1), QTime(0, 0, 1))), QStringLiteral("2025-03-01  00:00:01"));
    QCOMPARE(formatDateTimeText(QDateTime(QDate(2024, 1, 5), QTime(7, 8, 9))), QStringLiteral("2024-01-05  07:08:09"));
}

QTEST_APPLESS_MAIN(NumberRulesTest)
#include "tst_numberrules.moc"

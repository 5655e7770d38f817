#pragma once

#include <QList>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// The words of a PDF with their boxes in millimetres, as pdftotext finds them.
struct PdfWord {
    int page;
    QString text;
    QPointF topLeft;
    QPointF bottomRight;
};

inline QList<PdfWord> pdfWords(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression element(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"[^>]*>"
                       "([^<]*)</word>"));
    constexpr double millimetresPerPoint = 25.4 / 72.0;
    QList<PdfWord> words;
    int page = -1;
    for (auto it = element.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        // The PDF names some shared glyphs by their radical (⾦ for 金); read them as the character.
        for (QChar& c : text)
            if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF) c = QString(c).normalized(QString::NormalizationForm_KC).at(0);
        words.append({page, text,
                      QPointF(m.captured(1).toDouble() * millimetresPerPoint,
                              m.captured(2).toDouble() * millimetresPerPoint),
                      QPointF(m.captured(3).toDouble() * millimetresPerPoint,
                              m.captured(4).toDouble() * millimetresPerPoint)});
    }
    return words;
}

// The first word that is exactly `text`; page -1 when there is none.
inline PdfWord findWord(const QList<PdfWord>& words, const QString& text, int occurrence = 0) {
    for (const PdfWord& w : words)
        if (w.text == text && occurrence-- == 0) return w;
    return {-1, text, {}, {}};
}

// pdf_tools.cpp — runs the poppler tools over a PDF file.
#include "pdf_tools.h"

#include <QProcess>
#include <QRegularExpression>

namespace qx {

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString infoField(const QString& pdfFile, const QString& field) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdfFile});
    const QRegularExpression re(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(info);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

}  // namespace

QString PdfText(const QString& pdfFile) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
}

QString PdfFlowText(const QString& pdfFile) {
    QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdfFile, QStringLiteral("-")});
    text.replace(QStringLiteral("-\n"), QStringLiteral("-"));
    return text.simplified();
}

int PdfPageCount(const QString& pdfFile) {
    bool ok = false;
    const int pages = infoField(pdfFile, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

QString PdfPageSize(const QString& pdfFile) {
    const QString size = infoField(pdfFile, QStringLiteral("Page size"));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^([0-9.]+ x [0-9.]+)")).match(size);
    return m.hasMatch() ? m.captured(1) : QString();
}

QStringList PdfImages(const QString& pdfFile) {
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfFile})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 2; i < lines.size(); ++i) {  // two heading lines
        const QStringList f = lines[i].simplified().split(QLatin1Char(' '));
        if (f.size() >= 5 && f[2] == QLatin1String("image"))
            out << f[0] + QLatin1Char(' ') + f[3] + QLatin1Char(' ') + f[4];
    }
    return out;
}

}  // namespace qx

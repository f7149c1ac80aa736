// image_file.cpp — the file side of document images.
#include "documents/image_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "common/error.h"
#include "common/format.h"

namespace qx {

QString ImageFileErrorText(const QString& what, const QString& fileName, const QString& reason) {
    return Format("%s \"%s\": %s", what, QDir::toNativeSeparators(fileName), reason);
}

void WriteImageFile(const QString& fileName, const QByteArray& image) {
    // Unbuffered: a write that the file system cuts short shows in its count (a buffered save
    // file may report success for a file that was cut short).
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw TqxfError(ImageFileErrorText(QStringLiteral("Не удается создать файл"), fileName, file.errorString()));
    const qint64 written = file.write(image);
    if (written != image.size()) {
        const QString reason = written < 0 ? file.errorString()
                                           : Format("записано %d байт из %d", static_cast<long long>(written),
                                                    static_cast<long long>(image.size()));
        file.cancelWriting();
        throw TqxfError(ImageFileErrorText(QStringLiteral("Ошибка записи в файл"), fileName, reason));
    }
    if (!file.commit())
        throw TqxfError(ImageFileErrorText(QStringLiteral("Ошибка записи в файл"), fileName, file.errorString()));
}

QByteArray ReadImageFile(const QString& fileName, int64_t& fileSize) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TqxfError(ImageFileErrorText(QStringLiteral("Не удается открыть файл"), fileName, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TqxfError(ImageFileErrorText(QStringLiteral("Ошибка чтения файла"), fileName, file.errorString()));
    fileSize = content.size();
    content.append(QByteArray(kImageGuardBytes, '\xFF'));
    return content;
}

}  // namespace qx

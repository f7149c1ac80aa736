// cli_runner.cpp — starting quarnix-cli for the end-to-end tests.
#include "cli_runner.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>

namespace qx {

QJsonObject CliResult::Json() const {
    return QJsonDocument::fromJson(Out.toUtf8()).object();
}

CliResult CliTest::run(const QStringList& args) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUARNIX_USER_SETTINGS", storeFile());
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(tmp_.path());
    process.start(QString::fromUtf8(QX_CLI_PATH), args);
    CliResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "quarnix-cli did not finish: " << args.join(' ').toStdString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.ExitCode = process.exitCode();
    result.Out = QString::fromUtf8(process.readAllStandardOutput());
    result.Err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void CliTest::writeFile(const QString& file, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    f.write(bytes);
}

QByteArray CliTest::readFile(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace qx

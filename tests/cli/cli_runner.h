// cli_runner.h — runs the real quarnix-cli with its own user settings file and working directory.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace qx {

struct CliResult {
    int ExitCode = -1;
    QString Out;
    QString Err;
    // stdout parsed as a JSON object (empty when it is not one).
    QJsonObject Json() const;
};

// Each test gets a temporary directory (the tool's working directory) holding the user settings
// file the tool is pointed at (QUARNIX_USER_SETTINGS).
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tmp_.isValid()); }

    CliResult run(const QStringList& args) const;
    QString dir(const QString& relative) const { return tmp_.path() + "/" + relative; }
    QString storeFile() const { return tmp_.path() + "/user-settings.ini"; }
    void writeFile(const QString& file, const QByteArray& bytes) const;
    QByteArray readFile(const QString& file) const;

    QTemporaryDir tmp_;
};

}  // namespace qx

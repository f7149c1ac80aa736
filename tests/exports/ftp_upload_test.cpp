// ftp_upload_test.cpp — uploads to a real FTP server on 127.0.0.1 (pyftpdlib), started by each test.
#include "exports/ftp_upload.h"

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "export_fixture.h"
#include "exports/vbh_export.h"

namespace qx {
namespace {

const char* const kPython = "/usr/bin/python3";

bool pyftpdlibInstalled() {
    QProcess probe;
    probe.start(kPython, {"-c", "import pyftpdlib"});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

class FtpUpload : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        if (!pyftpdlibInstalled())
            GTEST_SKIP() << "pyftpdlib is not installed for " << kPython << " (Debian package python3-pyftpdlib)";
        ASSERT_TRUE(QDir().mkpath(home()));
        server_.setProgram("setsid");
        server_.setArguments({kPython, QStringLiteral(QX_TEST_DATA_DIR "/exports/ftp_server.py"), home(), "dealer",
                              "secret", commandLog()});
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start();
        ASSERT_TRUE(server_.waitForStarted(10000));
        while (!server_.canReadLine())
            ASSERT_TRUE(server_.waitForReadyRead(30000)) << "the FTP server did not report its port";
        const QStringList started = QString::fromUtf8(server_.readLine()).split(' ');
        ASSERT_EQ(started.size(), 2);
        port_ = started[0].toInt();
        pid_ = started[1].trimmed().toLongLong();
        ASSERT_GT(port_, 0);
        ASSERT_GT(pid_, 0);

        setup_.ftpHost = "127.0.0.1";
        setup_.ftpPort = port_;
        setup_.ftpUserName = "dealer";
        setup_.ftpPassword = "secret";
        setup_.ftpDir = "/in";
        ASSERT_TRUE(QDir().mkpath(home() + "/in"));
    }

    void TearDown() override {
        if (pid_ > 0) ::kill(static_cast<pid_t>(pid_), SIGTERM);
        if (server_.state() != QProcess::NotRunning && !server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished();
        }
        ExportTest::TearDown();
    }

    QString home() const { return dir("ftp-home"); }
    QString commandLog() const { return dir("ftp-commands.log"); }
    // The commands the server received, without the login.
    QStringList Commands() const {
        QStringList lines = QString::fromUtf8(ReadFile(commandLog())).split('\n', Qt::SkipEmptyParts);
        lines.removeIf([](const QString& line) { return line.startsWith("USER ") || line.startsWith("PASS "); });
        return lines;
    }

    QProcess server_;
    int port_ = 0;
    qint64 pid_ = 0;
};

TEST_F(FtpUpload, StoresTheFileUnderATildeNameAndRenamesIt) {
    TqxfOrder order;
    BuildSmallOrder(order);
    TqxfExportParams params = Params(TExportFormat::VBH);
    params.Upload = true;

    EXPECT_TRUE(RunVbhExport(params, OrderMaterials(order)));

    EXPECT_EQ(messages().texts(MessageKind::Info), QStringList{S("Заявка сохранена на сервер FTP.")});
    EXPECT_TRUE(messages().texts(MessageKind::Error).isEmpty()) << messages().lastText().toStdString();
    EXPECT_EQ(ReadFile(home() + "/in/Z00420007.xml"), ReadFile(params.FileName));
    EXPECT_FALSE(QFile::exists(home() + "/in/Z00420007.xml~"));
    const QStringList commands = Commands();
    const qsizetype port = commands.indexOf(QRegularExpression("^PORT 127,0,0,1,\\d+,\\d+$"));
    ASSERT_GE(port, 0) << commands.join(" | ").toStdString();
    EXPECT_EQ(commands.mid(port + 1),
              QStringList({"TYPE A", "STOR Z00420007.xml~", "RNFR Z00420007.xml~", "RNTO Z00420007.xml", "QUIT"}));
    EXPECT_TRUE(commands.contains("CWD /in"));
    EXPECT_FALSE(commands.contains("PASV"));
    EXPECT_EQ(messages().WaitDepth, 0);
}

TEST_F(FtpUpload, TheDirectoryIsSentAsConfigured) {
    setup_.ftpDir = "in/sub dir";
    ASSERT_TRUE(QDir().mkpath(home() + "/in/sub dir"));
    const QString local = dir("Export/request.xml");
    WriteFile(local, "<Order/>\r\n");

    EXPECT_TRUE(UploadExportFile(local));

    EXPECT_TRUE(Commands().contains("CWD in/sub dir")) << Commands().join(" | ").toStdString();
    EXPECT_EQ(ReadFile(home() + "/in/sub dir/request.xml"), "<Order/>\r\n");
}

TEST_F(FtpUpload, AFailedLoginShowsTheFailureTextFollowedByTheClientsError) {
    setup_.ftpPassword = "wrong";
    const QString local = dir("Export/request.xml");
    WriteFile(local, "<Order/>\r\n");

    EXPECT_FALSE(UploadExportFile(local));

    const QStringList errors = messages().texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    const QString prefix = S("Неудачная попытка отправки файла на сервер. ");
    ASSERT_TRUE(errors[0].startsWith(prefix)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].mid(prefix.size()).contains("530")) << errors[0].toStdString();
    EXPECT_TRUE(messages().texts(MessageKind::Info).isEmpty());
    EXPECT_TRUE(QDir(home() + "/in").isEmpty());
}

TEST_F(FtpUpload, APortAboveTheLastIsRefusedWithoutConnecting) {
    setup_.ftpPort = 65536 + port_;
    const QString local = dir("Export/request.xml");
    WriteFile(local, "<Order/>\r\n");

    EXPECT_FALSE(UploadExportFile(local));

    EXPECT_EQ(messages().texts(MessageKind::Error),
              QStringList{S("Неудачная попытка отправки файла на сервер. Недопустимый номер порта FTP: ") +
                          QString::number(65536 + port_)});
    EXPECT_TRUE(Commands().isEmpty());
}

TEST_F(FtpUpload, DecliningTheOverwriteStillUploadsTheFileOnDisk) {
    TqxfExportParams params = Params(TExportFormat::VBH);
    params.Upload = true;
    WriteFile(params.FileName, "<Order Type=\"earlier\"/>\r\n");
    messages().ConfirmAnswers = {false};

    EXPECT_FALSE(RunVbhExport(params, [](TqxfMatList&) {}));

    EXPECT_EQ(ReadFile(home() + "/in/Z00420007.xml"), "<Order Type=\"earlier\"/>\r\n");
    EXPECT_EQ(messages().texts(MessageKind::Info), QStringList{S("Заявка сохранена на сервер FTP.")});
}

TEST_F(FtpUpload, AMissingLocalFileFailsTheUpload) {
    EXPECT_FALSE(UploadExportFile(dir("Export/none.xml")));
    const QStringList errors = messages().texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(S("Неудачная попытка отправки файла на сервер. ") + dir("Export/none.xml")))
        << errors[0].toStdString();
}

}  // namespace
}  // namespace qx

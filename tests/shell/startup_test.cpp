// startup_test.cpp — a start removes the previous run's temporary directory, never anything else.
#include "shell/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "user_store_fixture.h"

namespace qx {
namespace {

class StartupTest : public UserStoreTest {
  protected:
    void SetUp() override {
        UserStoreTest::SetUp();
        Paths() = TqxfPaths{};
        WriteDBConfig({"Main", dir("Catalog"), dir("Server"), dir("Reports"), dir("Temp")}, true);
    }
    void TearDown() override {
        Paths() = TqxfPaths{};
        UserStoreTest::TearDown();
    }
    // One run of the program up to its end.
    QString run() {
        InitializePaths({"prog"});
        EXPECT_TRUE(StartupLoadConfiguration(nullptr));
        const QString temp = Paths().TempDir;
        QFile file(temp + "/table.tmp");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ShutdownPaths();
        EXPECT_TRUE(QFileInfo(temp).isDir()) << "removed at the next start, not at the end";
        return temp;
    }
};

TEST_F(StartupTest, EachStartRemovesThePreviousRunsTemporaryDirectory) {
    const QString first = run();
    const QString second = run();
    EXPECT_NE(first, second);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo(second).isDir());
    const QString third = run();
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_TRUE(QFileInfo(third).isDir());
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(StartupTest, OnlyANumberedTemporaryDirectoryIsEverDeleted) {
    ASSERT_TRUE(QDir().mkpath(dir("Precious/docs")));
    for (const QString& last : {QString(), dir("Temp/424242"), dir("Precious"), dir("Precious/")}) {
        Paths().LastTempDir = last;
        RemoveLastTempDir();
        EXPECT_TRUE(QFileInfo(dir("Precious/docs")).isDir()) << last.toStdString();
    }
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(StartupTest, ACancelledChoiceEndsSilentlyAndTheNextStartDeletesNothingOfIt) {
    InitializePaths({"prog"});
    EXPECT_FALSE(StartupLoadConfiguration([](const QStringList&, int) { return ConfigChoice{false, {}}; }));
    EXPECT_TRUE(messages_.Records.empty());
    EXPECT_TRUE(Paths().TempDir.isEmpty());
    ShutdownPaths();
    InitializePaths({"prog"});
    EXPECT_TRUE(Paths().LastTempDir.isEmpty());
}

TEST_F(StartupTest, SettingsWithoutTheirFileEndTheStartWithTheSystemsWarning) {
    TqxfSetup setup(DBConfigPaths({"Main", dir("Catalog"), dir("Server"), dir("Reports"), ""}));
    EXPECT_FALSE(CheckSettingsLoaded(setup));
    EXPECT_EQ(
        messages_.texts(MessageKind::Warning),
        QStringList{QString::fromUtf8("Не найден файл конфигурации!\r\nПроизведите установку в панели управления.")});
}

}  // namespace
}  // namespace qx

// paths_test.cpp — choosing a database configuration and the paths derived from it.
#include "shell/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "common/error.h"
#include "common/file_utils.h"
#include "shell/user_settings.h"
#include "user_store_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class PathsTest : public UserStoreTest {
  protected:
    void SetUp() override {
        UserStoreTest::SetUp();
        Paths() = TqxfPaths{};
    }
    void TearDown() override {
        Paths() = TqxfPaths{};
        UserStoreTest::TearDown();
    }

    void addConfig(const QString& name, const QString& catalog, const QString& server, const QString& reports,
                   const QString& temp) {
        UserSettings reg;
        ASSERT_TRUE(reg.OpenKey(QString(kDBConfigKey) + "\\" + name, true));
        reg.WriteString("QXFCatalogDir", catalog);
        reg.WriteString("QXFServerName", server);
        reg.WriteString("QXFReportDir", reports);
        reg.WriteString("QXFTempDir", temp);
    }
    void setDefault(const QString& name) {
        UserSettings reg;
        ASSERT_TRUE(reg.OpenKey(kDBConfigKey, true));
        reg.WriteString("DefaultConfig", name);
    }

    // A chooser that records what it was shown and answers as scripted.
    struct Shown {
        bool called = false;
        QStringList names;
        int selected = -2;
    };
    ConfigChooser answer(Shown& shown, bool accept, const QString& name = QString()) {
        return [&shown, accept, name](const QStringList& names, int selected) {
            shown = Shown{true, names, selected};
            return ConfigChoice{accept, name.isNull() ? names.value(selected) : name};
        };
    }
};

TEST_F(PathsTest, PreselectsTheDefaultConfigurationIgnoringLetterCaseElseTheFirst) {
    addConfig("Alpha", dir("a"), dir("s"), dir("r"), dir("t"));
    addConfig("Beta", dir("b"), dir("s"), dir("r"), dir("t"));
    addConfig("Gamma", dir("g"), dir("s"), dir("r"), dir("t"));
    struct Case {
        const char* defaultConfig;
        int selected;
    };
    for (const Case& c : {Case{"beta", 1}, Case{"GAMMA", 2}, Case{"Deleted", 0}, Case{"", 0}}) {
        setDefault(c.defaultConfig);
        Shown shown;
        EXPECT_TRUE(LoadDBConfig(answer(shown, true))) << c.defaultConfig;
        EXPECT_EQ(shown.names, (QStringList{"Alpha", "Beta", "Gamma"}));
        EXPECT_EQ(shown.selected, c.selected) << c.defaultConfig;
        EXPECT_EQ(Paths().ConfigName, shown.names[c.selected]);
    }
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(PathsTest, TheChoiceIsShownEvenForASingleConfiguration) {
    addConfig("Only", dir("c"), dir("s"), dir("r"), dir("t"));
    Shown shown;
    EXPECT_TRUE(LoadDBConfig(answer(shown, true)));
    EXPECT_TRUE(shown.called);
    EXPECT_EQ(shown.names, QStringList{"Only"});
}

TEST_F(PathsTest, CancelEndsSilentlyAndAFailedChoiceShowsTheSystemsMessage) {
    Shown shown;
    // No configuration key at all: the choice is not shown.
    EXPECT_FALSE(LoadDBConfig(answer(shown, true)));
    EXPECT_FALSE(shown.called);
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{S(kNoDBConfigText)});

    // A key with values but no configurations is the same.
    setDefault("Main");
    messages_.clear();
    EXPECT_FALSE(LoadDBConfig(answer(shown, true)));
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{S(kNoDBConfigText)});

    addConfig("Main", dir("c"), dir("s"), dir("r"), dir("t"));
    messages_.clear();
    EXPECT_FALSE(LoadDBConfig(answer(shown, false)));
    EXPECT_TRUE(messages_.Records.empty());
    EXPECT_TRUE(Paths().CatalogDir.isEmpty());

    EXPECT_FALSE(LoadDBConfig(answer(shown, true, "")));
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{S(kNoDBConfigText)});

    messages_.clear();
    EXPECT_FALSE(LoadDBConfig(answer(shown, true, "Vanished")));
    EXPECT_EQ(
        messages_.texts(MessageKind::Error),
        QStringList{S("Ошибка открытия конфигурации Vanished!\r\nУказанная конфигурация не числиться в списке.")});
}

TEST_F(PathsTest, TrimsTheValuesAndDerivesEveryPath) {
    const QString sep = PathSeparator();
    const QString catalog = QDir::toNativeSeparators(dir("Каталог"));
    const QString server = QDir::toNativeSeparators(dir("Server"));
    addConfig("Main", " \t" + catalog + sep + " \r\n", server + sep + sep, "\x01" + dir("Reports") + "/",
              "  " + dir("Temp") + "\\ ");
    EXPECT_TRUE(LoadDBConfig(nullptr));
    const TqxfPaths& p = Paths();
    EXPECT_EQ(p.ConfigName, "Main");
    EXPECT_EQ(p.CatalogDir, catalog);
    EXPECT_EQ(p.ServerDir, server + sep);  // two separators: only one goes
    EXPECT_EQ(p.ReportDir, dir("Reports"));
    EXPECT_EQ(p.IniFileName, catalog + sep + "QXFurniture.ini");
    EXPECT_EQ(p.OrdersDir, server + sep + sep + "Orders");
    EXPECT_EQ(p.SelectionDir, server + sep + sep + "Selection");
    EXPECT_EQ(p.RecycledDir, server + sep + sep + "Recycled");
    EXPECT_EQ(p.ArchiveDir, server + sep + sep + "Archive");
    EXPECT_EQ(p.RegistryDir, server + sep + sep + "Registry");
    EXPECT_EQ(p.ExportDir, server + sep + sep + "Export");

    const QRegularExpression tempName("^" + QRegularExpression::escape(dir("Temp") + sep) + "(\\d{1,6})$");
    const auto match = tempName.match(p.TempDir);
    ASSERT_TRUE(match.hasMatch()) << p.TempDir.toStdString();
    EXPECT_LT(match.captured(1).toInt(), 1000000);
    EXPECT_TRUE(QFileInfo(p.TempDir).isDir());
    EXPECT_EQ(p.LastTempDir, p.TempDir);
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(PathsTest, AnEmptyTempRootPutsTheTemporaryDirectoryNextToTheExecutable) {
    addConfig("Main", dir("c"), dir("s"), dir("r"), "  ");
    ASSERT_TRUE(LoadDBConfig(nullptr));
    const QString exeDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    EXPECT_EQ(QFileInfo(Paths().TempDir).absolutePath(), QFileInfo(exeDir).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(Paths().TempDir).isDir());
    EXPECT_TRUE(DeleteDirTree(Paths().TempDir));
}

TEST_F(PathsTest, AMissingServerDirectoryDerivesNoFoldersAtTheRoot) {
    addConfig("Main", "", "", "", dir("t"));
    ASSERT_TRUE(LoadDBConfig(nullptr));
    const TqxfPaths& p = Paths();
    for (const QString& path : {p.CatalogDir, p.IniFileName, p.ServerDir, p.OrdersDir, p.SelectionDir, p.RecycledDir,
                                p.ArchiveDir, p.RegistryDir, p.ExportDir})
        EXPECT_TRUE(path.isEmpty()) << path.toStdString();
}

TEST_F(PathsTest, ATemporaryDirectoryThatCannotBeCreatedIsReportedAsARegistryReadError) {
    QFile blocker(dir("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    addConfig("Main", dir("c"), dir("s"), dir("r"), dir("file"));
    EXPECT_FALSE(LoadDBConfig(nullptr));
    const QStringList errors = messages_.texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(S("Ошибка чтения системного реестра!\r\n(Не удалось создать каталог ")))
        << errors[0].toStdString();
    EXPECT_TRUE(Paths().LastTempDir.isEmpty());
}

TEST_F(PathsTest, InitialisationReadsSwitchesAndTheLastTemporaryDirectoryAndFinalisationWritesIt) {
    InitializePaths({"prog", "/DEVELOPER", "/NoPresentation"});
    EXPECT_TRUE(Paths().DeveloperMode);
    EXPECT_FALSE(Paths().ShowPresentations);
    EXPECT_TRUE(Paths().LastTempDir.isEmpty());

    InitializePaths({"prog", "/developerx"});
    EXPECT_FALSE(Paths().DeveloperMode);
    EXPECT_TRUE(Paths().ShowPresentations);

    Paths().LastTempDir = dir("t/123");
    FinalizePaths();
    Paths().LastTempDir.clear();
    InitializePaths({"prog"});
    EXPECT_EQ(Paths().LastTempDir, dir("t/123"));
    EXPECT_TRUE(messages_.Records.empty());
    EXPECT_EQ(messages_.WaitDepth, 0);
}

TEST_F(PathsTest, ConfigurationsAreAddedListedAndRemoved) {
    WriteDBConfig({"Main", dir("c"), dir("s"), dir("r"), ""}, true);
    WriteDBConfig({"Второй", dir("c2"), dir("s2"), dir("r2"), dir("t2")}, false);
    QString def;
    EXPECT_EQ(ListDBConfigs(&def), (QStringList{"Main", "Второй"}));
    EXPECT_EQ(def, "Main");

    TqxfDBConfig read;
    ASSERT_TRUE(ReadDBConfig("второй", read));
    EXPECT_EQ(read.Name, "Второй");
    EXPECT_EQ(read.TempDir, dir("t2"));
    EXPECT_EQ(DBConfigPaths(read).OrdersDir, dir("s2") + PathSeparator() + "Orders");
    EXPECT_FALSE(ReadDBConfig("Nothing", read));

    EXPECT_TRUE(RemoveDBConfig("MAIN"));
    EXPECT_FALSE(RemoveDBConfig("Main"));
    EXPECT_EQ(ListDBConfigs(&def), QStringList{"Второй"});
    EXPECT_TRUE(def.isEmpty());
    EXPECT_THROW(WriteDBConfig({"a\\b", "", "", "", ""}, false), TqxfError);
    EXPECT_THROW(WriteDBConfig({" ", "", "", "", ""}, false), TqxfError);
}

}  // namespace
}  // namespace qx

// user_settings_test.cpp — the registry-like store of the current user over a settings file.
#include "shell/user_settings.h"

#include <QSettings>

#include "common/error.h"
#include "user_store_fixture.h"

namespace qx {
namespace {

using UserSettingsTest = UserStoreTest;

TEST_F(UserSettingsTest, KeepsTheRegistryKeyPathsInsideTheStore) {
    {
        UserSettings reg;
        ASSERT_TRUE(reg.OpenKey(QString(kDBConfigKey) + "\\Основная", true));
        EXPECT_EQ(reg.CurrentPath(), QString(kDBConfigKey) + "\\Основная");
        reg.WriteString("QXFCatalogDir", "/srv/Каталог");
        reg.WriteInteger("Count", -3);
        reg.WriteBool("On", true);
        reg.WriteDateTime("Stamp", 45123.25);
    }
    QSettings raw(storeFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("SoftWare/Tarkon/Quarnix/Vovazeder380/DBConfig/DUV/Основная/QXFCatalogDir").toString(),
              "/srv/Каталог");

    UserSettings reg;
    ASSERT_TRUE(reg.OpenKey("\\software\\TARKON\\quarnix\\Vovazeder380\\dbconfig\\duv\\основная", false));
    EXPECT_TRUE(reg.ValueExists("qxfcatalogdir"));
    EXPECT_EQ(reg.ReadString("QXFCATALOGDIR"), "/srv/Каталог");
    EXPECT_EQ(reg.ReadInteger("Count"), -3);
    EXPECT_TRUE(reg.ReadBool("On"));
    EXPECT_DOUBLE_EQ(reg.ReadDateTime("Stamp"), 45123.25);
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_EQ(reg.GetValueNames().size(), 4);
}

TEST_F(UserSettingsTest, OpensCreatesListsAndDeletesKeys) {
    UserSettings reg;
    EXPECT_FALSE(reg.OpenKey(kDBConfigKey, false));
    EXPECT_FALSE(reg.KeyExists(kDBConfigKey));
    ASSERT_TRUE(reg.OpenKey(kDBConfigKey, true));
    reg.WriteString("DefaultConfig", "B");
    for (const char* name : {"B", "A", "C"}) {
        ASSERT_TRUE(reg.OpenKey(QString(kDBConfigKey) + "\\" + name, true));
        reg.WriteString("QXFCatalogDir", name);
    }
    ASSERT_TRUE(reg.OpenKey(kDBConfigKey, false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(reg.GetValueNames(), QStringList{"DefaultConfig"});

    ASSERT_TRUE(reg.OpenKey("b", false));  // below the open key, letter case ignored
    EXPECT_EQ(reg.ReadString("QXFCatalogDir"), "B");
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey(QString(kDBConfigKey) + "/b"));
    EXPECT_FALSE(reg.DeleteKey(QString(kDBConfigKey) + "/b"));
    ASSERT_TRUE(reg.OpenKey(kDBConfigKey, false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{"A", "C"}));
    EXPECT_EQ(reg.ReadString("DefaultConfig"), "B");
    EXPECT_TRUE(reg.DeleteValue("defaultconfig"));
    EXPECT_FALSE(reg.ValueExists("DefaultConfig"));
}

TEST_F(UserSettingsTest, ReadingAMissingOrMistypedNumberRaises) {
    {
        QSettings raw(storeFile(), QSettings::IniFormat);
        raw.setValue("SoftWare/Tarkon/Quarnix/Vovazeder380/AutoReg", "yes please");
        raw.setValue("SoftWare/Tarkon/Quarnix/Vovazeder380/AutoOpenReg", "false");
    }
    UserSettings reg;
    ASSERT_TRUE(reg.OpenKey(kUserRootKey, false));
    EXPECT_FALSE(reg.ReadBool("AutoOpenReg"));
    try {
        reg.ReadInteger("AutoReg");
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(), "Неверный тип данных для 'AutoReg'");
    }
    try {
        reg.ReadInteger("TechnologDesignFormW");
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(), "Ошибка получения данных для 'TechnologDesignFormW'");
    }
}

TEST_F(UserSettingsTest, LocationFollowsTheEnvironment) {
    EXPECT_EQ(UserSettings::Location(), storeFile());
}

}  // namespace
}  // namespace qx

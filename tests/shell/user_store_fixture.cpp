// user_store_fixture.cpp — points the user settings store of the shell tests at temporary files.
#include "user_store_fixture.h"

#include <QDir>
#include <QFile>

#include "shell/user_settings.h"

namespace qx {

namespace {

// A test that forgets the fixture still never reaches the real store.
class SafeUserStore : public ::testing::Environment {
  public:
    void SetUp() override { qputenv(kUserSettingsEnv, QFile::encodeName(dir_.path() + "/default-store.ini")); }
    void TearDown() override { qunsetenv(kUserSettingsEnv); }

  private:
    QTemporaryDir dir_;
};

[[maybe_unused]] ::testing::Environment* const safeStore = ::testing::AddGlobalTestEnvironment(new SafeUserStore);

}  // namespace

void UserStoreTest::SetUp() {
    ASSERT_TRUE(tmp_.isValid());
    previous_ = qgetenv(kUserSettingsEnv);
    qputenv(kUserSettingsEnv, QFile::encodeName(storeFile()));
    scope_ = std::make_unique<ScopedMessageHandler>(messages_);
}

void UserStoreTest::TearDown() {
    scope_.reset();
    qputenv(kUserSettingsEnv, previous_);
}

}  // namespace qx

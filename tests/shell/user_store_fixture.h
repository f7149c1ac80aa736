// user_store_fixture.h — every shell test works on its own user settings file, never the user's own store.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "common/messages.h"

namespace qx {

// A fresh user settings file (QUARNIX_USER_SETTINGS) and a temporary directory per test, and a
// recorder for the messages shown.
class UserStoreTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    QString dir(const QString& relative) const { return tmp_.path() + "/" + relative; }
    QString storeFile() const { return tmp_.path() + "/user-settings.ini"; }

    QTemporaryDir tmp_;
    RecordingMessageHandler messages_;

  private:
    QByteArray previous_;
    std::unique_ptr<ScopedMessageHandler> scope_;
};

}  // namespace qx

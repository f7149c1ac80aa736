// test_main.cpp — runs GoogleTest inside an offscreen QGuiApplication with a recording message handler.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "common/messages.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    // Nothing in a test may block on a question: unscripted questions get the recorder's defaults.
    qx::RecordingMessageHandler fallback;
    qx::SetMessageHandler(&fallback);
    int rc = RUN_ALL_TESTS();
    qx::SetMessageHandler(nullptr);
    return rc;
}

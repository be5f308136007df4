#include "TestWindowManager.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const auto windowManager = TestWindowManager::startIfAsked();
    // Ended before the window manager, which is declared first.
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

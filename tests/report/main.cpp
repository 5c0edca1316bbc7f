#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// The PDF writer and its fonts need a GUI application; no screen is needed.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

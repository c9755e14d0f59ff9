// Entry point of the Qt test programs: widgets and pictures are made on the
// offscreen platform with the embedded fonts, so pixels do not depend on the
// machine running the tests.
#include <QApplication>
#include <gtest/gtest.h>

#include "fonts.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    registerEmbeddedFonts();
    return RUN_ALL_TESTS();
}

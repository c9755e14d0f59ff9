// Entry point of the scaled test program: the offscreen platform at Qt's
// scale factor 2, so every widget paints into device pixels twice its size.
#include <QApplication>
#include <gtest/gtest.h>

#include "fonts.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    registerEmbeddedFonts();
    return RUN_ALL_TESTS();
}

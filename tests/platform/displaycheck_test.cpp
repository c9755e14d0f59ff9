#include <gtest/gtest.h>

#include "displaycheck.h"

TEST(DisplayCheck, RefusesPoorOrSmallScreensDepthFirst)
{
    EXPECT_TRUE(displayProblems({16, 800, 600}).isEmpty());
    EXPECT_TRUE(displayProblems({24, 1920, 1080}).isEmpty());

    const QStringList depth = displayProblems({15, 1024, 768});
    ASSERT_EQ(depth.size(), 1);
    EXPECT_TRUE(depth[0].startsWith(QStringLiteral("Эта программа использует 16-разрядный цвет (High color).\n")));

    const QStringList size = displayProblems({24, 800, 599});
    ASSERT_EQ(size.size(), 1);
    EXPECT_EQ(size[0], QStringLiteral("Эта программа использует разрешение экрана 800х600.\nНажмите ОК, чтобы "
                                      "завершить работу, измените параметры экрана и запустите программу заново."));
    EXPECT_EQ(displayProblems({24, 799, 600}).size(), 1);

    const QStringList both = displayProblems({8, 640, 480});
    ASSERT_EQ(both.size(), 2);
    EXPECT_TRUE(both[0].contains(QStringLiteral("High color")));
    EXPECT_TRUE(both[1].contains(QStringLiteral("800х600")));
    EXPECT_EQ(displayProblemTitle(), QStringLiteral("Неприемлемый режим экрана"));
}

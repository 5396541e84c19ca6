// Widget tests need one application object for the whole run.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests happens at build time, where there is no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
#ifdef NIMBRA_WEB_VIEWS
    // The web views share the windows' graphics context; other programs
    // load no graphics library for it.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

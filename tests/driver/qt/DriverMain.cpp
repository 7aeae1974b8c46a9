// The entry of a test program that drives dialogs on the Qt backend: GoogleTest runs inside a
// QApplication, as the program itself runs inside AfxWinMain's.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system, which the build that lists them may lack.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    // Dialogs close and open between the tests; none of them ends the application.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}

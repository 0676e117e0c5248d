// Window tests run without a display, on Qt's offscreen platform, in one application object.
#include "QtChineseTexts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallQtChineseTexts(app);  // screenshots show Qt's own texts as users see them
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The main of the grid tests: widgets on the offscreen platform, the workstation
// formats fixed to known ones.

#include "data/FormatSettings.h"
#include "tests/grid/GridTestApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    GridTestApplication app(argc, argv);
    FormatSettings::setCurrent(FormatSettings{});
    return RUN_ALL_TESTS();
}

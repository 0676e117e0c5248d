#include "ProgramFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(ProgramFolder, HomeOptionWinsOverEnvironmentOverExecutable)
{
    unsetenv("QIRAVEL_HOME");
    EXPECT_EQ(ResolveProgramFolder(), ExecutableFolder());
    setenv("QIRAVEL_HOME", "/tmp/from-env", 1);
    EXPECT_EQ(ResolveProgramFolder(), "/tmp/from-env");
    EXPECT_EQ(ResolveProgramFolder("/tmp/from-option"), "/tmp/from-option");
    unsetenv("QIRAVEL_HOME");
    EXPECT_EQ(DatFolder("/x"), "/x/dat");
}

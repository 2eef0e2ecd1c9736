// The entry point of every Windows test executable.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash or a failed assertion must end the run with an error, never open a dialog
    // that nobody will answer.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/LocalPath.h"

#include <gtest/gtest.h>

#include <string>

using platform::isLocalFilePath;

TEST(LocalPath, NamesAFileOnThisComputerOnlyForDriveRelativeAndLongDrivePaths)
{
    struct Case {
        std::string path;
        bool local;
    };
    const Case cases[] = {
        // Files on this computer.
        {"C:\\Sounds\\join.wav", true},
        {"c:/sounds/join.wav", true},
        {"D:join.wav", true},
        {"\\Sounds\\join.wav", true},
        {"/sounds/join.wav", true},
        {"join.wav", true},
        {"sounds\\join.wav", true},
        {"..\\sounds\\join.wav", true},
        {"Z:\\mapped\\by\\the\\user.wav", true},
        {"C:\\Sounds\\\\twice.wav", true},
        {"C:\\Sons\\\xC9quipe \xE9t\xE9.wav", true},
        {"C:\\console\\nullable.wav", true},
        {"C:\\Sounds\\COM10.wav", true},
        {"C:\\Sounds\\conference.wav", true},
        {"\\\\?\\C:\\Sounds\\join.wav", true},
        {"\\\\?\\z:\\join.wav", true},
        // Other computers, in every spelling of the leading pair of separators.
        {"\\\\host\\share\\a.wav", false},
        {"//host/share/a.wav", false},
        {"\\/host/share/a.wav", false},
        {"/\\host\\share\\a.wav", false},
        {"\\\\host@SSL\\share\\a.wav", false},
        {"\\\\host@SSL@8443\\DavWWWRoot\\a.wav", false},
        {"\\\\10.0.0.1\\c$\\a.wav", false},
        {"\\\\?\\UNC\\host\\share\\a.wav", false},
        {"//?/UNC/host/share/a.wav", false},
        {"\\\\?\\unc\\host\\share\\a.wav", false},
        {"\\\\.\\UNC\\host\\share\\a.wav", false},
        {"\\\\?\\GLOBALROOT\\Device\\Mup\\host\\share\\a.wav", false},
        {"\\??\\UNC\\host\\share\\a.wav", false},
        {"/?\?/UNC/host/share/a.wav", false},
        {"\\\\", false},
        {"//", false},
        // Devices and other namespaces.
        {"\\\\.\\pipe\\x", false},
        {"\\\\.\\C:\\a.wav", false},
        {"\\\\?\\C:", false},
        {"\\\\?\\C:/a.wav", false},
        {"\\\\?\\Volume{01234567-89ab-cdef-0123-456789abcdef}\\a.wav", false},
        {"CON", false},
        {"con", false},
        {"nul.wav", false},
        {"NUL .wav", false},
        {"C:con", false},
        {"c:nul.txt", false},
        {"C:\\Sounds\\aux.wav", false},
        {"C:\\Sounds\\PRN", false},
        {"COM1", false},
        {"com9.wav", false},
        {"LPT1.txt", false},
        {"lpt\xB9", false},
        {"COM\xB2.wav", false},
        {"CONIN$", false},
        {"conout$.wav", false},
        {"C:\\nul\\a.wav", false},
        {"\\\\?\\C:\\con", false},
        // Nothing at all, or bytes no file name holds.
        {"", false},
        {std::string("C:\\a.wav\0\\\\host\\s", 17), false},
        {"C:\\a\tb.wav", false},
        {"C:\\a\r\n.wav", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isLocalFilePath(c.path), c.local) << '"' << c.path << '"';
}

#include "base/win32/Handles.h"

#include <gtest/gtest.h>

#include <string>

using base::win32::UniqueKernelHandle;

namespace {

HANDLE newEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

bool isOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

} // namespace

TEST(Handles, OwnerClosesExactlyOnceAndMovesOwnership)
{
    UniqueKernelHandle empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.get(), nullptr);

    HANDLE raw = newEvent();
    ASSERT_TRUE(isOpen(raw));
    {
        UniqueKernelHandle owner(raw);
        UniqueKernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_TRUE(isOpen(raw));
    }
    EXPECT_FALSE(isOpen(raw)) << "the destructor closes";

    HANDLE first = newEvent();
    HANDLE second = newEvent();
    UniqueKernelHandle a(first);
    UniqueKernelHandle b(second);
    a = std::move(b);
    EXPECT_FALSE(isOpen(first)) << "move assignment closes the handle it replaces";
    EXPECT_TRUE(isOpen(second));
    EXPECT_EQ(a.get(), second);

    HANDLE released = a.release();
    EXPECT_FALSE(a);
    EXPECT_TRUE(isOpen(released)) << "a released handle is the caller's";
    CloseHandle(released);
}

TEST(Handles, ClosingKeepsTheLastError)
{
    UniqueKernelHandle owner(newEvent());
    SetLastError(ERROR_FILE_NOT_FOUND);
    owner.reset();
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// Handles whose "none" is INVALID_HANDLE_VALUE (files, searches) are owned as any other: the
// old owner type could not hold them at all.
TEST(Handles, FilesAndSearchesAreNoneAtInvalidHandleValueAndClosedOnce)
{
    base::win32::UniqueFile none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "kestrion-handles-test.tmp";
    HANDLE raw = INVALID_HANDLE_VALUE;
    {
        base::win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        raw = file.get();
        EXPECT_TRUE(isOpen(raw));
        // Opened without sharing: a second open fails while the owner holds it.
        EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE);
    }
    base::win32::UniqueFile again(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(again) << "the destructor closed the first";
    EXPECT_TRUE(base::win32::closeReporting(again));
    EXPECT_FALSE(again);

    WIN32_FIND_DATAA found;
    base::win32::UniqueFind find(FindFirstFileA(path.c_str(), &found));
    EXPECT_TRUE(find);
    base::win32::UniqueFind missing(FindFirstFileA((path + ".none").c_str(), &found));
    EXPECT_FALSE(missing);
    find.reset();
    DeleteFileA(path.c_str());
}

// A selection into a device context is undone when its guard goes, and a window's device
// context goes back to it.
TEST(Handles, ASelectionIsPutBackAndAWindowsContextGivenBack)
{
    HWND window =
        CreateWindowExA(0, "STATIC", "dc", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        base::win32::WindowDC dc(window);
        ASSERT_TRUE(dc);
        base::win32::UniqueMemoryDC memory(CreateCompatibleDC(dc.get()));
        ASSERT_TRUE(memory);
        base::win32::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        const HGDIOBJ before = GetCurrentObject(memory.get(), OBJ_BRUSH);
        {
            base::win32::SelectionGuard selected(memory.get(), brush.get());
            EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BRUSH), brush.get());
        }
        EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BRUSH), before);
    }
    DestroyWindow(window);
}

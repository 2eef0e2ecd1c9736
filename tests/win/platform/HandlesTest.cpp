#include "platform/win32/Handles.h"

#include <gtest/gtest.h>

using platform::UniqueKernelHandle;

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

#pragma once
// One owner per Win32 handle: move-only, closed by its destructor. Closing never throws and
// leaves GetLastError() as it was, so a wrapper going out of scope on an error path does not
// hide the error being reported.

#include <windows.h>

#include <utility>

namespace platform {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Invalid; }
    // Hands the handle to the caller, who then closes it.
    Handle release() { return std::exchange(m_handle, Invalid); }
    void reset(Handle handle = Invalid)
    {
        Handle old = std::exchange(m_handle, handle);
        if (old != Invalid) {
            DWORD error = GetLastError();
            Close(old);
            SetLastError(error);
        }
    }
    // For APIs that fill a handle through a pointer: closes the current one first.
    Handle* put()
    {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle = Invalid;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, &RegCloseKey>;

} // namespace platform

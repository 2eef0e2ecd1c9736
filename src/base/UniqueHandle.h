#pragma once
// One owner for every handle of the system: move-only, released by its destructor. What a
// handle's invalid value is and how it is released is its policy's business:
//
//     struct FilePolicy {
//         using Type = HANDLE;
//         static Type invalid() { return INVALID_HANDLE_VALUE; }
//         static void close(Type handle) noexcept { CloseHandle(handle); }
//     };
//     using UniqueFile = base::UniqueHandle<FilePolicy>;
//
// A policy may keep the last error of the system as it was (see base/win32/Handles.h), so
// that an owner going out of scope on an error path does not hide the error being reported.
// Releasing never throws. This header is portable; base/win32/Handles.h holds the policies
// of the Windows handles. Every layer may include both.

#include <utility>

namespace base {

template <class Policy>
class UniqueHandle {
public:
    using Type = typename Policy::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : m_handle(handle) {}
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

    Type get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Policy::invalid(); }
    // Hands the handle to the caller, who then releases it.
    Type release() noexcept { return std::exchange(m_handle, Policy::invalid()); }
    // Releases the handle held and takes `handle`.
    void reset(Type handle = Policy::invalid()) noexcept
    {
        Type old = std::exchange(m_handle, handle);
        if (old != Policy::invalid())
            Policy::close(old);
    }
    // For functions that fill a handle through a pointer: releases the handle held first.
    Type* put() noexcept
    {
        reset();
        return &m_handle;
    }

private:
    Type m_handle = Policy::invalid();
};

// Runs a function when it goes out of scope, unless dismissed: for what has no handle of its
// own to own (a selection into a device context, a registration to undo).
template <class Function>
class ScopeGuard {
public:
    explicit ScopeGuard(Function function) noexcept : m_function(std::move(function)) {}
    ~ScopeGuard()
    {
        if (m_armed)
            m_function();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    void dismiss() noexcept { m_armed = false; }

private:
    Function m_function;
    bool m_armed = true;
};

} // namespace base

#pragma once
// Tells when the keyboard hook has stopped being called, so that the hook library installs it
// again. Windows removes a low-level hook without a word when one of its calls takes longer
// than the system allows, and there is no call that says whether a hook is still installed.
// What can be seen is its effect: the keyboard's raw input, which reaches the hook's thread
// as well and is no hook, keeps reporting keys that the hook is not called for.
//
// Every key-down reaches the hook before the system reports it as raw input, but both arrive
// on the same thread and the order in which that thread takes them is not fixed, so a raw
// key-down counts as missed only when no hook call for it has come within kGrace. Raw input
// can also report a key the hook is not meant to see (a key typed into an elevated window,
// where the system may hand raw input on but does not call hooks of programs that are not
// elevated); installing a hook again costs little, but it is done at most once per
// kMinInstallGap. All times are the system's milliseconds, which wrap around.

#include <cstdint>
#include <optional>

namespace hotkeys {

class HookWatch {
public:
    static constexpr std::uint32_t kGrace = 250;
    static constexpr std::uint32_t kMinInstallGap = 1000;
    // Hook calls that raw input has not yet reported are counted up to this many, so that
    // keys the hook sees alone (raw input reports none to a thread that lost its
    // registration) do not hide a hook that stopped later for long.
    static constexpr unsigned kMaxAhead = 8;

    // The hook was called for a key-down.
    void hookKeyDown();
    // Raw input reported a key-down at `now`.
    void rawKeyDown(std::uint32_t now);
    // True when a raw key-down has gone without its hook call for kGrace and the last
    // installation is at least kMinInstallGap ago.
    bool installDue(std::uint32_t now) const;
    // A hook was installed at `now`: nothing is missed any more.
    void installed(std::uint32_t now);
    // How long from `now` until installDue() may turn true; nothing when no key is missed.
    std::optional<std::uint32_t> nextCheck(std::uint32_t now) const;

private:
    unsigned m_missed = 0; // raw key-downs without a hook call yet
    std::uint32_t m_missedSince = 0;
    unsigned m_ahead = 0; // hook calls for key-downs raw input has not reported yet
    std::optional<std::uint32_t> m_lastInstall;
};

} // namespace hotkeys

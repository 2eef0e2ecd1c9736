#pragma once
// Records sounds instead of playing them. Logs "sound resource <flags> <name>", "sound file
// <flags> <path>" (flags in hex, as PlaySoundA would get them) and "beep".

#include "platform/SoundPlayer.h"
#include "platform/fake/CallLog.h"

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

class FakeSoundPlayer : public SoundPlayer {
public:
    explicit FakeSoundPlayer(CallLog& log) : m_log(log) {}

    struct Play {
        SoundSource source;
        std::string name;
        std::uint32_t flags;
    };

    // What play() and beep() answer.
    bool succeeds = true;

    // Every sound started, in order; the last one is the one playing.
    const std::vector<Play>& plays() const { return m_plays; }
    int beeps() const { return m_beeps; }
    // Forgets every sound and beep recorded so far.
    void clear()
    {
        m_plays.clear();
        m_beeps = 0;
    }

    bool play(SoundSource source, const std::string& name) override
    {
        std::uint32_t flags = playSoundFlags(source);
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(flags));
        m_log.push_back(std::string("sound ") +
                        (source == SoundSource::ProgramResource ? "resource " : "file ") + hex +
                        " " + name);
        m_plays.push_back({source, name, flags});
        return succeeds;
    }

    bool beep() override
    {
        m_log.push_back("beep");
        ++m_beeps;
        return succeeds;
    }

private:
    CallLog& m_log;
    std::vector<Play> m_plays;
    int m_beeps = 0;
};

} // namespace platform

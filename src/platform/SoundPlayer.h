#pragma once
// Sound playback: wave resources of the program's own module, wave files and the system beep.

#include <cstdint>
#include <string>

namespace platform {

// Where a sound is taken from.
enum class SoundSource {
    ProgramResource, // a WAVE resource of the program's own module, by name
    File,            // a wave file, by path
};

// The PlaySoundA flags with which a sound of that source is started: SND_RESOURCE | SND_ASYNC
// (0x40005) for a resource, SND_FILENAME | SND_ASYNC (0x20001) for a file.
constexpr std::uint32_t playSoundFlags(SoundSource source)
{
    constexpr std::uint32_t async = 0x1;
    return source == SoundSource::ProgramResource ? 0x40004 | async : 0x20000 | async;
}

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Starts playing the sound and returns at once; the sound this program was playing stops.
    // Resource names are matched without regard to letter case ("Stsnd02" plays STSND02).
    // True when the system took the request. It takes it before it looks at the sound, so a
    // missing resource or a file that is missing or no wave file still gives true; the system
    // may then play its default sound, or nothing. Callers that want the beep for a missing
    // file test its existence first (FileSystem::fileExists).
    virtual bool play(SoundSource source, const std::string& name) = 0;

    // The default system beep (MessageBeep with 0); true when the system took it.
    virtual bool beep() = 0;
};

} // namespace platform

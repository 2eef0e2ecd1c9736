#include "platform/win32/Win32SoundPlayer.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform {

static_assert(playSoundFlags(SoundSource::ProgramResource) == (SND_RESOURCE | SND_ASYNC));
static_assert(playSoundFlags(SoundSource::File) == (SND_FILENAME | SND_ASYNC));

bool Win32SoundPlayer::play(SoundSource source, const std::string& name)
{
    // Resources are looked up in the program's own module; a file name takes no module.
    HMODULE module = source == SoundSource::ProgramResource ? GetModuleHandleA(nullptr) : nullptr;
    return PlaySoundA(name.c_str(), module, playSoundFlags(source)) != FALSE;
}

bool Win32SoundPlayer::beep()
{
    return MessageBeep(0) != FALSE;
}

} // namespace platform

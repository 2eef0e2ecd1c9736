#pragma once
// Sounds through PlaySoundA (from this program's module or a file, asynchronously) and
// MessageBeep.

#include "platform/SoundPlayer.h"

namespace platform {

class Win32SoundPlayer : public SoundPlayer {
public:
    bool play(SoundSource source, const std::string& name) override;
    bool beep() override;
};

} // namespace platform

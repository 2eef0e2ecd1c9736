#pragma once
// The hook binding over kestrihk.dll, which the program imports at load time.

#include "app/HookBinding.h"

namespace app {

class KestrihkBinding : public HookBinding {
public:
    bool SetTheHook(platform::WindowHandle window, const std::string& profilePath) override;
    void ClearTheHook() override;
};

} // namespace app

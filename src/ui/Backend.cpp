#include "ui/Backend.h"

#include "ui/Keys.h"

#include <stdexcept>

namespace ui {

namespace {
Backend* g_current = nullptr;
}

Backend::Backend() : m_previous(g_current)
{
    g_current = this;
}

Backend::~Backend()
{
    if (g_current == this) {
        g_current = m_previous;
    }
}

std::string Backend::keyName(std::uint16_t key) const
{
    return standardKeyName(key);
}

Backend* currentBackend()
{
    return g_current;
}

Backend& backend()
{
    if (!g_current) {
        throw std::logic_error("no user-interface backend is installed");
    }
    return *g_current;
}

ModalResult showMessageBox(const MessageBoxRequest& request)
{
    return backend().showMessageBox(request);
}

} // namespace ui

#include "ui/StringList.h"

#include "ui/Text.h"

#include <utility>

namespace ui {

const ClassInfo& StringList::staticClassInfo()
{
    static const ClassInfo info("TStringList", &Persistent::staticClassInfo(), {});
    return info;
}

void StringList::checkIndex(int index, int limit) const
{
    if (index < 0 || index > limit) {
        throw ListIndexError(index);
    }
}

const std::string& StringList::at(int index) const
{
    checkIndex(index, count() - 1);
    return m_lines[static_cast<std::size_t>(index)];
}

void StringList::set(int index, const std::string& line)
{
    checkIndex(index, count() - 1);
    m_lines[static_cast<std::size_t>(index)] = line;
    touch();
}

int StringList::add(const std::string& line)
{
    m_lines.push_back(line);
    touch();
    return count() - 1;
}

void StringList::insert(int index, const std::string& line)
{
    checkIndex(index, count());
    m_lines.insert(m_lines.begin() + index, line);
    touch();
}

void StringList::remove(int index)
{
    checkIndex(index, count() - 1);
    m_lines.erase(m_lines.begin() + index);
    touch();
}

void StringList::clear()
{
    if (!m_lines.empty()) {
        m_lines.clear();
        touch();
    }
}

void StringList::exchange(int a, int b)
{
    checkIndex(a, count() - 1);
    checkIndex(b, count() - 1);
    std::swap(m_lines[static_cast<std::size_t>(a)], m_lines[static_cast<std::size_t>(b)]);
    touch();
}

void StringList::move(int from, int to)
{
    checkIndex(from, count() - 1);
    checkIndex(to, count() - 1);
    if (from == to) {
        return;
    }
    std::string line = std::move(m_lines[static_cast<std::size_t>(from)]);
    m_lines.erase(m_lines.begin() + from);
    m_lines.insert(m_lines.begin() + to, std::move(line));
    touch();
}

void StringList::assign(const std::vector<std::string>& lines)
{
    if (&lines == &m_lines) {
        return;
    }
    m_lines = lines;
    touch();
}

int StringList::indexOf(std::string_view line, LetterCase letterCase) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const bool same =
            letterCase == LetterCase::Ignore ? sameText(m_lines[i], line) : m_lines[i] == line;
        if (same) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string StringList::text() const
{
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void StringList::setText(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    m_lines = std::move(lines);
    touch();
}

void StringList::beginUpdate()
{
    ++m_updateDepth;
}

void StringList::endUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0 && m_changedInUpdate) {
        m_changedInUpdate = false;
        changed();
    }
}

void StringList::touch()
{
    if (m_updateDepth > 0) {
        m_changedInUpdate = true;
    } else {
        changed();
    }
}

void StringList::changed()
{
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace ui

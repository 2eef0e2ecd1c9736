#pragma once
// StringList: an ordered list of 8-bit lines, the value of object properties such as a list
// box's Items. The language-file walk replaces its lines through assign().
//
// Every change raises OnChange once (a batch between beginUpdate and endUpdate raises it
// once at the end, if anything changed). Indexes outside the list throw ListIndexError
// ("List index out of bounds (%d)") and change nothing.

#include "ui/ClassInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class LetterCase { Ignore, Respect };

class StringList : public Persistent {
public:
    StringList() = default;
    explicit StringList(std::vector<std::string> lines) : m_lines(std::move(lines)) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    int count() const { return static_cast<int>(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    const std::string& at(int index) const;
    const std::vector<std::string>& lines() const { return m_lines; }

    void set(int index, const std::string& line);
    // Appends; returns the new line's index.
    int add(const std::string& line);
    // Inserts before `index`; index == count() appends.
    void insert(int index, const std::string& line);
    void remove(int index);
    void clear();
    void exchange(int a, int b);
    void move(int from, int to);
    void assign(const std::vector<std::string>& lines);
    void assign(const StringList& other) { assign(other.m_lines); }

    // The first line equal to `line`, or -1.
    int indexOf(std::string_view line, LetterCase letterCase = LetterCase::Ignore) const;

    // The lines, each followed by CR LF.
    std::string text() const;
    // Replaces the lines by those of `text`, which may end lines in CR LF, CR or LF.
    void setText(std::string_view text);

    void beginUpdate();
    void endUpdate();

    NotifyEvent OnChange;

protected:
    // Runs after every change (once per batch); raises OnChange. Overrides call the base.
    virtual void changed();

private:
    void checkIndex(int index, int limit) const;
    void touch();

    std::vector<std::string> m_lines;
    int m_updateDepth = 0;
    bool m_changedInUpdate = false;
};

} // namespace ui

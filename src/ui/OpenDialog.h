#pragma once
// OpenDialog: the system's file-open dialog. execute() shows it modally (posted messages are
// still handled meanwhile) and returns true when the user chose a file, whose full path is
// then FileName. Filter is "Description|pattern|Description|pattern...".

#include "ui/Component.h"

#include <cstdint>
#include <string>

namespace ui {

// Options of the dialog: a combination of the bits below.
enum OpenOption : std::uint32_t {
    ofReadOnly = 1 << 0,
    ofOverwritePrompt = 1 << 1,
    ofHideReadOnly = 1 << 2,
    ofNoChangeDir = 1 << 3,
    ofShowHelp = 1 << 4,
    ofNoValidate = 1 << 5,
    ofAllowMultiSelect = 1 << 6,
    ofExtensionDifferent = 1 << 7,
    ofPathMustExist = 1 << 8,
    ofFileMustExist = 1 << 9,
    ofCreatePrompt = 1 << 10,
    ofShareAware = 1 << 11,
    ofNoReadOnlyReturn = 1 << 12,
    ofNoTestFileCreate = 1 << 13,
    ofNoNetworkButton = 1 << 14,
    ofNoLongNames = 1 << 15,
    ofOldStyleDialog = 1 << 16,
    ofNoDereferenceLinks = 1 << 17,
    ofEnableIncludeNotify = 1 << 18,
    ofEnableSizing = 1 << 19,
};

class OpenDialog : public Component {
public:
    explicit OpenDialog(Component* owner) : Component(owner) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }
    const std::string& filter() const { return m_filter; }
    void setFilter(const std::string& filter) { m_filter = filter; }
    // The 1-based filter shown first.
    std::int32_t filterIndex() const { return m_filterIndex; }
    void setFilterIndex(std::int32_t index) { m_filterIndex = index; }
    const std::string& defaultExt() const { return m_defaultExt; }
    void setDefaultExt(const std::string& ext) { m_defaultExt = ext; }
    const std::string& initialDir() const { return m_initialDir; }
    void setInitialDir(const std::string& dir) { m_initialDir = dir; }
    const std::string& fileName() const { return m_fileName; }
    void setFileName(const std::string& name) { m_fileName = name; }
    std::uint32_t options() const { return m_options; }
    void setOptions(std::uint32_t options) { m_options = options; }

    bool execute();

    // The filter as the system's dialog takes it: every "|" becomes a NUL, and the list
    // ends with two NULs ("Ini Files|*.ini" gives "Ini Files\0*.ini\0\0"). An odd number of
    // parts gets an empty pattern for its last description.
    static std::string systemFilter(const std::string& filter);

private:
    std::string m_title;
    std::string m_filter;
    std::int32_t m_filterIndex = 1;
    std::string m_defaultExt;
    std::string m_initialDir;
    std::string m_fileName;
    std::uint32_t m_options = ofHideReadOnly | ofEnableSizing;
};

} // namespace ui

#pragma once
// TSoundsDlg ("Channel Sound"): the choice between the built-in sound and a wave file of the
// user's own, for one sound of the profile. It does not know which sound it shows: the
// settings dialog primes it with a sound value, shows it modally, and on OK reads the choice
// back. Its state (the selected choice, the path text, whether the path field is enabled)
// stays as it was left from one showing to the next.
//
// One instance is made at start-up, after the main window, and lives until the program ends:
//
//     auto& sounds = *new profile::TSoundsDlg(&application, mainForm.bsPolyglotManager1);
//
// The manager may be null (the dialog then keeps its built-in texts). The translator
// registers with it before the dialog's creation ends, and unregisters when the dialog goes.

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/OpenDialog.h"

#include <string>

namespace i18n {
class TbsPolyglotManager;
class TbsPolyglotTranslator;
} // namespace i18n

namespace profile {

class TSoundsDlg : public ui::Form {
public:
    TSoundsDlg(ui::Component* owner, i18n::TbsPolyglotManager* manager);

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Components, in their stored order (which is also the focus order).
    ui::RadioButton* RadioButton1 = nullptr; // "Default Sound"
    ui::RadioButton* RadioButton2 = nullptr; // "Custom"
    ui::Edit* Edit1 = nullptr;               // the path of the wave file
    ui::Button* BrowseBtn = nullptr;         // "..."
    ui::Button* OkBtn = nullptr;
    ui::Button* CancelBtn = nullptr;
    ui::OpenDialog* OpenDialog1 = nullptr;
    i18n::TbsPolyglotTranslator* bsPolyglotTranslator1 = nullptr;

    // Selects the choice for a sound value: "Custom" with the value as the path, enabled,
    // unless the value is "DEFAULT" in any letter case, which selects "Default Sound" with an
    // empty, disabled path field.
    void prime(const std::string& sound);
    // The sound value the choice stands for: "DEFAULT" while "Default Sound" is selected,
    // otherwise the path field's text unchanged (empty, or naming no file, as it may be).
    std::string chosenSound() const;

    void RadioButton1Click(ui::Persistent& sender);
    void RadioButton2Click(ui::Persistent& sender);
    // Lets the user pick a wave file; a chosen file's full path replaces the path text and
    // the selected choice stays as it is. Cancelling the file dialog changes nothing.
    void BrowseBtnClick(ui::Persistent& sender);
};

} // namespace profile

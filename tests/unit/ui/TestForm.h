#pragma once
// A form with one control of every kind, used by the headless tests and by the Windows test,
// which drive the same model through the two backends. Every event handler writes a line
// into `log`.

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/TrackBar.h"

#include <string>
#include <vector>

class TTestForm : public ui::Form {
public:
    explicit TTestForm(ui::Component* owner);

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Adds "n - name" items to the Channels submenu, as a profile load does.
    void addChannelItems(const std::vector<std::string>& names);

    ui::MainMenu* MainMenu1;
    ui::MenuItem* File1;
    ui::MenuItem* Open1;
    ui::MenuItem* Exit1;
    ui::MenuItem* Options1;
    ui::MenuItem* RadioA1;
    ui::MenuItem* RadioB1;
    ui::MenuItem* Sounds1;
    ui::MenuItem* Channels1;
    ui::PopupMenu* PopupMenu1;
    ui::MenuItem* Delete1;
    ui::MenuItem* MoveUp1;
    ui::TrackBar* TrackBar1;
    ui::ListBox* ListBox1;
    ui::Bevel* Bevel1;
    ui::Edit* Edit1;
    ui::Edit* KeyEdit;
    ui::Edit* PasswordEdit;
    ui::Panel* Panel1;
    ui::Label* Label2;
    ui::CheckBox* CheckBox2;
    ui::Label* Label1;
    ui::CheckBox* CheckBox1;
    ui::RadioButton* RadioButton1;
    ui::RadioButton* RadioButton2;
    ui::Button* OkBtn;
    ui::Button* CancelBtn;
    ui::Button* FailBtn;
    ui::OpenDialog* OpenDialog1;

    std::vector<std::string> log;

private:
    void Note(const std::string& line) { log.push_back(line); }
};

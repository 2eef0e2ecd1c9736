#include "TestForm.h"

#include "ui/Text.h"

#include <string>

namespace {

template <class T>
T* make(ui::Form* form, const char* name, ui::WinControl* parent = nullptr)
{
    T* c = new T(form);
    c->setName(name);
    if constexpr (std::is_base_of_v<ui::Control, T>) {
        c->setParent(parent ? parent : form);
    }
    return c;
}

ui::MenuItem* item(ui::Form* form, const char* name, const char* caption, ui::MenuItem& parent)
{
    auto* i = make<ui::MenuItem>(form, name);
    i->setCaption(caption);
    parent.add(i);
    return i;
}

} // namespace

const ui::ClassInfo& TTestForm::staticClassInfo()
{
    static const ui::ClassInfo info("TTestForm", &ui::Form::staticClassInfo(), {});
    return info;
}

TTestForm::TTestForm(ui::Component* owner) : ui::Form(owner)
{
    setName("TestForm");
    setCaption("Every Control");
    setBorderStyle(ui::FormBorderStyle::Single);
    setClientWidth(400);
    setClientHeight(300);

    MainMenu1 = make<ui::MainMenu>(this, "MainMenu1");
    MainMenu1->setAutoHotkeys(ui::AutoHotkeys::Manual);
    File1 = item(this, "File1", "&File", MainMenu1->items());
    Open1 = item(this, "Open1", "&Open", *File1);
    item(this, "N1", "-", *File1);
    Exit1 = item(this, "Exit1", "E&xit", *File1);
    Exit1->setTag(1);
    Options1 = item(this, "Options1", "&Options", MainMenu1->items());
    RadioA1 = item(this, "RadioA1", "Choice &A", *Options1);
    RadioB1 = item(this, "RadioB1", "Choice &B", *Options1);
    for (ui::MenuItem* radio : {RadioA1, RadioB1}) {
        radio->setRadioItem(true);
        radio->setGroupIndex(1);
    }
    RadioA1->setChecked(true);
    Sounds1 = item(this, "Sounds1", "&Disable Sounds", *Options1);
    Channels1 = item(this, "Channels1", "&Channels", *Options1);
    Channels1->setAutoHotkeys(ui::AutoHotkeys::Automatic);
    setMenu(MainMenu1);

    PopupMenu1 = make<ui::PopupMenu>(this, "PopupMenu1");
    Delete1 = item(this, "Delete1", "Delete", PopupMenu1->items());
    MoveUp1 = item(this, "MoveUp1", "Move Up", PopupMenu1->items());

    TrackBar1 = make<ui::TrackBar>(this, "TrackBar1");
    TrackBar1->setBounds(0, 259, 400, 41);
    TrackBar1->setAlign(ui::Align::Bottom);
    TrackBar1->setMax(5);
    TrackBar1->setPageSize(1);
    TrackBar1->setTickMarks(ui::TickMarks::TopLeft);
    TrackBar1->setTabOrder(0);

    ListBox1 = make<ui::ListBox>(this, "ListBox1");
    ListBox1->setBounds(4, 4, 120, 150);
    ListBox1->items().assign({"Alpha", "Bravo", "Charlie"});
    ListBox1->setHint("Right Click for more.");
    ListBox1->setShowHint(true);
    ListBox1->setPopupMenu(PopupMenu1);

    Bevel1 = make<ui::Bevel>(this, "Bevel1");
    Bevel1->setBounds(0, 0, 130, 160);
    Bevel1->setShape(ui::BevelShape::RightLine);

    Edit1 = make<ui::Edit>(this, "Edit1");
    Edit1->setBounds(4, 160, 120, 21);
    Edit1->setText("Channel Name");
    KeyEdit = make<ui::Edit>(this, "KeyEdit");
    KeyEdit->setBounds(4, 186, 40, 21);
    KeyEdit->setReadOnly(true);
    KeyEdit->setText("0");
    KeyEdit->setTag(1);
    PasswordEdit = make<ui::Edit>(this, "PasswordEdit");
    PasswordEdit->setBounds(50, 186, 74, 21);
    PasswordEdit->setPasswordChar('*');
    PasswordEdit->setText("Password");

    Panel1 = make<ui::Panel>(this, "Panel1");
    Panel1->setBounds(140, 4, 250, 80);
    Panel1->setBevelOuter(ui::PanelBevel::Lowered);
    Label2 = make<ui::Label>(this, "Label2", Panel1);
    Label2->setBounds(8, 8, 100, 16);
    Label2->setCaption("Inside the panel");
    CheckBox2 = make<ui::CheckBox>(this, "CheckBox2", Panel1);
    CheckBox2->setBounds(8, 40, 150, 17);
    CheckBox2->setCaption("Require Ctrl Key");
    CheckBox2->setHelpContext(7);

    Label1 = make<ui::Label>(this, "Label1");
    Label1->setBounds(140, 92, 200, 16);
    Label1->setCaption("Basestation &Address:");
    CheckBox1 = make<ui::CheckBox>(this, "CheckBox1");
    CheckBox1->setBounds(140, 112, 150, 17);
    CheckBox1->setCaption("Require Alt Key");
    RadioButton1 = make<ui::RadioButton>(this, "RadioButton1");
    RadioButton1->setBounds(140, 134, 113, 17);
    RadioButton1->setCaption("Default Sound");
    RadioButton2 = make<ui::RadioButton>(this, "RadioButton2");
    RadioButton2->setBounds(140, 156, 89, 17);
    RadioButton2->setCaption("Custom");

    OkBtn = make<ui::Button>(this, "OkBtn");
    OkBtn->setBounds(140, 200, 75, 25);
    OkBtn->setCaption("OK");
    OkBtn->setModalResult(ui::ModalResult::Ok);
    CancelBtn = make<ui::Button>(this, "CancelBtn");
    CancelBtn->setBounds(220, 200, 75, 25);
    CancelBtn->setCaption("Cancel");
    CancelBtn->setCancel(true);
    CancelBtn->setModalResult(ui::ModalResult::Cancel);
    FailBtn = make<ui::Button>(this, "FailBtn");
    FailBtn->setBounds(300, 200, 75, 25);
    FailBtn->setCaption("&Fail");

    OpenDialog1 = make<ui::OpenDialog>(this, "OpenDialog1");
    OpenDialog1->setDefaultExt("ini");
    OpenDialog1->setFilter("Ini Files|*.ini|All Files|*.*");
    OpenDialog1->setTitle("Open File");

    // Handlers, named after the event as the program's forms do.
    auto tagged = [this](const char* what) {
        return [this, what](ui::Persistent& sender) {
            Note(std::string(what) + " " +
                 std::to_string(static_cast<ui::Component&>(sender).tag()));
        };
    };
    Open1->OnClick = [this](ui::Persistent&) {
        Note(OpenDialog1->execute() ? "open " + OpenDialog1->fileName() : "open cancelled");
    };
    Exit1->OnClick = tagged("exit");
    RadioA1->OnClick = tagged("radio A");
    RadioB1->OnClick = [this](ui::Persistent&) {
        RadioB1->setChecked(true);
        Note("radio B");
    };
    Sounds1->OnClick = [this](ui::Persistent&) {
        Sounds1->setChecked(!Sounds1->checked());
        Note(Sounds1->checked() ? "sounds off" : "sounds on");
    };
    PopupMenu1->OnPopup = [this](ui::Persistent&) {
        Delete1->setEnabled(ListBox1->itemIndex() >= 0);
        MoveUp1->setEnabled(ListBox1->itemIndex() > 0);
        Note("popup");
    };
    Delete1->OnClick = [this](ui::Persistent&) { Note("delete"); };
    MoveUp1->OnClick = [this](ui::Persistent&) { Note("move up"); };
    TrackBar1->OnChange = [this](ui::Persistent&) {
        Note("bar " + std::to_string(TrackBar1->position()));
    };
    ListBox1->OnClick = [this](ui::Persistent&) {
        Note("select " + std::to_string(ListBox1->itemIndex()));
    };
    Edit1->OnChange = [this](ui::Persistent&) { Note("edit " + Edit1->text()); };
    KeyEdit->OnKeyDown = [this](ui::Persistent& sender, std::uint16_t& key, std::uint8_t) {
        if (key == ui::vk::Shift || key == ui::vk::Control || key == ui::vk::Menu) {
            key = 0;
            return;
        }
        if (static_cast<ui::Component&>(sender).tag() == 1) {
            KeyEdit->setText(std::to_string(key));
            key = 0;
        }
    };
    CheckBox1->OnClick = [this](ui::Persistent&) {
        Note(std::string("alt ") + (CheckBox1->checked() ? "on" : "off"));
    };
    RadioButton1->OnClick = [this](ui::Persistent&) { Note("default sound"); };
    RadioButton2->OnClick = [this](ui::Persistent&) { Note("custom sound"); };
    OkBtn->OnClick = [this](ui::Persistent&) { Note("ok"); };
    FailBtn->OnClick = [this](ui::Persistent&) {
        Note("fail");
        throw ui::Error("Unable to write to C:\\profile.ini");
    };
    setMessageHandler(0x401, [this](const ui::Message& m) {
        Note("message 0x401 " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
    });
    setMessageHandler(0x40E,
                      [this](const ui::Message& m) { Note("tray " + std::to_string(m.lParam)); });
    OnShow = [this](ui::Persistent&) { Note("show"); };
    finishCreation();
}

void TTestForm::addChannelItems(const std::vector<std::string>& names)
{
    int n = 0;
    for (const std::string& name : names) {
        ++n;
        auto* i = new ui::MenuItem(this);
        i->setCaption(std::to_string(n) + " - " + name);
        i->setTag(n);
        i->setRadioItem(true);
        i->setGroupIndex(1);
        i->OnClick = [this](ui::Persistent& sender) {
            auto& chosen = static_cast<ui::MenuItem&>(sender);
            chosen.setChecked(true);
            Note("channel " + std::to_string(chosen.tag()));
        };
        Channels1->add(i);
    }
}

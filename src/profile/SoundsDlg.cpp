#include "profile/SoundsDlg.h"

#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsPolyglotTranslator.h"
#include "platform/LocalPath.h"
#include "profile/DialogPaths.h"
#include "profile/ProfileData.h"
#include "ui/Application.h"

namespace profile {

namespace {

// The sound value of the built-in sound, as the profile stores it.
constexpr const char* kDefaultSound = "DEFAULT";

template <class T>
T* make(ui::Form* form, const char* name)
{
    T* component = new T(form);
    component->setName(name);
    if constexpr (std::is_base_of_v<ui::Control, T>) {
        component->setParent(form);
    }
    return component;
}

} // namespace

const ui::ClassInfo& TSoundsDlg::staticClassInfo()
{
    static const ui::ClassInfo info("TSoundsDlg", &ui::Form::staticClassInfo(), {});
    return info;
}

TSoundsDlg::TSoundsDlg(ui::Component* owner, i18n::TbsPolyglotManager* manager) : ui::Form(owner)
{
    setName("SoundsDlg");
    setCaption("Channel Sound");
    setBorderStyle(ui::FormBorderStyle::Dialog);
    setPosition(ui::FormPosition::Designed);
    setLeft(380);
    setTop(266);
    setClientWidth(265);
    setClientHeight(90);
    // The first control takes the focus when the dialog first shows; later showings keep
    // the focus where the user left it, unless that control cannot take it now.
    OnShow = [this](ui::Persistent&) {
        if (!activeControl() || !activeControl()->canFocus()) {
            selectNext(true);
        }
    };

    RadioButton1 = make<ui::RadioButton>(this, "RadioButton1");
    RadioButton1->setBounds(8, 8, 113, 17);
    RadioButton1->setCaption("Default Sound");
    RadioButton1->setTabOrder(0);
    RadioButton1->OnClick = [this](ui::Persistent& s) { RadioButton1Click(s); };

    RadioButton2 = make<ui::RadioButton>(this, "RadioButton2");
    RadioButton2->setBounds(8, 36, 89, 17);
    RadioButton2->setCaption("Custom");
    RadioButton2->setTabOrder(1);
    RadioButton2->OnClick = [this](ui::Persistent& s) { RadioButton2Click(s); };

    Edit1 = make<ui::Edit>(this, "Edit1");
    Edit1->setBounds(104, 36, 121, 21);
    Edit1->setTabOrder(2);

    BrowseBtn = make<ui::Button>(this, "BrowseBtn");
    BrowseBtn->setBounds(224, 36, 25, 21);
    BrowseBtn->setCaption("...");
    BrowseBtn->setTabOrder(3);
    BrowseBtn->OnClick = [this](ui::Persistent& s) { BrowseBtnClick(s); };

    // No label stands at the file field and its button: a screen reader hears these names.
    Edit1->accessible().setName([] { return i18n::LoadResourceString(i18n::msg::SAccSoundFile); });
    BrowseBtn->accessible().setName(
        [] { return i18n::LoadResourceString(i18n::msg::SAccBrowseSound); });

    // Neither button is the default or the cancel button: Enter presses the focused button
    // only, and Escape does nothing. The title bar's close button gives Cancel.
    OkBtn = make<ui::Button>(this, "OkBtn");
    OkBtn->setBounds(108, 64, 75, 25);
    OkBtn->setCaption("OK");
    OkBtn->setModalResult(ui::ModalResult::Ok);
    OkBtn->setTabOrder(4);

    CancelBtn = make<ui::Button>(this, "CancelBtn");
    CancelBtn->setBounds(188, 64, 75, 25);
    CancelBtn->setCaption("Cancel");
    CancelBtn->setModalResult(ui::ModalResult::Cancel);
    CancelBtn->setTabOrder(5);

    OpenDialog1 = make<ui::OpenDialog>(this, "OpenDialog1");
    OpenDialog1->setTitle("Select Custom Sound");
    OpenDialog1->setFilter("Wave Files|*.wav");
    OpenDialog1->setDefaultExt("wav");
    OpenDialog1->setOptions(ui::ofHideReadOnly | ui::ofPathMustExist | ui::ofFileMustExist |
                            ui::ofEnableSizing);

    bsPolyglotTranslator1 = make<i18n::TbsPolyglotTranslator>(this, "bsPolyglotTranslator1");
    bsPolyglotTranslator1->setManager(manager);

    finishCreation();
}

void TSoundsDlg::prime(const std::string& sound)
{
    if (isDefaultKeyword(sound)) {
        RadioButton1->setChecked(true);
        Edit1->setText(std::string());
        Edit1->setEnabled(false);
    } else {
        RadioButton2->setChecked(true);
        Edit1->setText(sound);
        Edit1->setEnabled(true);
    }
}

std::string TSoundsDlg::chosenSound() const
{
    return RadioButton1->checked() ? std::string(kDefaultSound) : Edit1->text();
}

void TSoundsDlg::RadioButton1Click(ui::Persistent&)
{
    Edit1->setEnabled(false);
}

void TSoundsDlg::RadioButton2Click(ui::Persistent&)
{
    Edit1->setEnabled(true);
}

void TSoundsDlg::BrowseBtnClick(ui::Persistent&)
{
    keepDialogOnThisComputer(*OpenDialog1, {});
    if (!OpenDialog1->execute())
        return;
    const std::string chosen = OpenDialog1->fileName();
    if (!platform::isLocalFilePath(chosen)) {
        // The program plays no sound from another computer (see PlaySoundFile): a file picked
        // there would never be heard. The user is told so, and the path stays as it was.
        if (ui::Application* app = ui::Application::current())
            app->messageBox(i18n::formatMessage(i18n::msg::SNetworkSound, {chosen}), app->title(),
                            ui::MessageIcon::Warning);
        return;
    }
    Edit1->setText(chosen);
}

} // namespace profile

#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes its name into a shared log when it is told it is loaded, when another component
// is removed, and when it is deleted.
class Recorder : public ui::Component {
public:
    Recorder(ui::Component* owner, std::string name, std::vector<std::string>& log)
        : ui::Component(owner), m_log(log)
    {
        setName(name);
    }
    ~Recorder() override { m_log.push_back("delete " + name()); }
    void loaded() override { m_log.push_back("loaded " + name()); }
    ui::Component* watched = nullptr;

protected:
    void notification(ui::Component& c, Operation op) override
    {
        if (op == Operation::Remove && &c == watched) {
            m_log.push_back(name() + " forgets " + c.name());
            watched = nullptr;
        }
        ui::Component::notification(c, op);
    }

private:
    std::vector<std::string>& m_log;
};

TEST(Component, OwnerDeletesItsComponentsLastMadeFirst)
{
    std::vector<std::string> log;
    {
        auto owner = ui::makeComponent<Recorder>(nullptr, "Owner", log);
        new Recorder(owner.get(), "A", log);
        auto* b = new Recorder(owner.get(), "B", log);
        new Recorder(b, "B1", log);
        new Recorder(owner.get(), "C", log);
        EXPECT_EQ(owner->componentCount(), 3);
        EXPECT_EQ(b->owner(), owner.get());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"delete Owner", "delete C", "delete B", "delete B1",
                                             "delete A"}));
}

TEST(Component, DeletingAComponentEarlyTakesItOutOfItsOwner)
{
    std::vector<std::string> log;
    auto owner = ui::makeComponent<Recorder>(nullptr, "Owner", log);
    auto* a = new Recorder(owner.get(), "A", log);
    new Recorder(owner.get(), "B", log);
    ui::destroy(a);
    ASSERT_EQ(owner->componentCount(), 1);
    EXPECT_EQ(owner->component(0)->name(), "B");
    EXPECT_EQ(owner->findComponent("a"), nullptr);
    EXPECT_THROW(owner->component(1), ui::ListIndexError);
}

TEST(Component, OwnedComponentsAreFoundByNameWithoutLetterCase)
{
    std::vector<std::string> log;
    auto form = ui::makeComponent<Recorder>(nullptr, "Form", log);
    auto* exit1 = new Recorder(form.get(), "Exit1", log);
    auto* unnamed = new ui::Component(form.get());
    struct Case {
        const char* name;
        ui::Component* expected;
    };
    const Case cases[] = {
        {"Exit1", exit1},  {"EXIT1", exit1}, {"exit1", exit1},
        {"Exit", nullptr}, {"", nullptr},    {"Form", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(form->findComponent(c.name), c.expected) << c.name;
    }
    EXPECT_EQ(unnamed->name(), "");
}

TEST(Component, NamesMustBeIdentifiersUniqueInTheirOwner)
{
    std::vector<std::string> log;
    auto form = ui::makeComponent<Recorder>(nullptr, "Form", log);
    new Recorder(form.get(), "Button1", log);
    struct Case {
        const char* name;
        bool accepted;
        const char* error;
    };
    const Case cases[] = {
        {"Button2", true, ""},
        {"_x9", true, ""},
        {"", true, ""},
        {"BUTTON1", false, "A component named BUTTON1 already exists"},
        {"9lives", false, "'9lives' is not a valid component name"},
        {"Exit 1", false, "'Exit 1' is not a valid component name"},
        {"Panel1.Label3", false, "'Panel1.Label3' is not a valid component name"},
    };
    for (const Case& c : cases) {
        ui::Component probe(form.get());
        probe.setName("Probe");
        if (c.accepted) {
            EXPECT_NO_THROW(probe.setName(c.name)) << c.name;
            EXPECT_EQ(probe.name(), c.name);
        } else {
            try {
                probe.setName(c.name);
                ADD_FAILURE() << c.name << " was accepted";
            } catch (const ui::Error& e) {
                EXPECT_STREQ(e.what(), c.error);
            }
            EXPECT_EQ(probe.name(), "Probe");
        }
    }
}

TEST(Component, SiblingsAndSubscribersHearThatAComponentGoes)
{
    std::vector<std::string> log;
    auto form = ui::makeComponent<Recorder>(nullptr, "Form", log);
    auto* list = new Recorder(form.get(), "List", log);
    auto* menu = new Recorder(form.get(), "Menu", log);
    list->watched = menu;

    auto other = ui::makeComponent<Recorder>(nullptr, "OtherForm", log);
    auto* translator = new Recorder(other.get(), "Translator", log);
    auto* manager = new Recorder(form.get(), "Manager", log);
    translator->watched = manager;
    translator->freeNotification(manager);

    ui::destroy(menu);
    EXPECT_EQ(list->watched, nullptr);
    ui::destroy(manager);
    EXPECT_EQ(translator->watched, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"List forgets Menu", "delete Menu",
                                             "Translator forgets Manager", "delete Manager"}));

    // A subscription ends when the subscriber goes first.
    auto* second = new Recorder(form.get(), "Second", log);
    auto* watcher = new Recorder(other.get(), "Watcher", log);
    watcher->freeNotification(second);
    ui::destroy(watcher);
    log.clear();
    ui::destroy(second); // must not reach the deleted watcher
    EXPECT_EQ(log, (std::vector<std::string>{"delete Second"}));
}

class LoggingForm : public ui::Form {
public:
    LoggingForm(ui::Component* owner, std::vector<std::string>& log) : ui::Form(owner), m_log(log)
    {
        new Recorder(this, "First", log);
        new Recorder(this, "Second", log);
        OnCreate = [this](ui::Persistent&) { m_log.push_back("create"); };
        OnDestroy = [this](ui::Persistent&) {
            // The whole form is still there when its destroy handler runs.
            m_log.push_back("destroy with " + std::to_string(componentCount()) + " components");
        };
        finishCreation();
    }

private:
    std::vector<std::string>& m_log;
};

TEST(Component, FormTellsItsComponentsTheyAreLoadedThenRaisesCreateAndDestroy)
{
    std::vector<std::string> log;
    {
        ui::Component app(nullptr);
        new LoggingForm(&app, log);
        EXPECT_EQ(log, (std::vector<std::string>{"loaded First", "loaded Second", "create"}));
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"destroy with 2 components", "delete Second",
                                             "delete First"}));
}

} // namespace

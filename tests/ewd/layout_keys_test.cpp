#include "ewd/ewd_test_display.h"
#include "ewd/layout_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The user's profile store, noting every key the display asks of the layout.
class KeyNotingStore final : public ProfileStore {
public:
    explicit KeyNotingStore(ProfileStore& inner)
        : m_inner(inner)
    {
    }

    std::set<std::string> layoutKeysRead;

    std::string read(std::string const& file, std::string_view section, std::string_view key, std::string_view defaultText,
        std::size_t bufferSize) override
    {
        if (section == "EICAS")
            layoutKeysRead.emplace(key);
        return m_inner.read(file, section, key, defaultText, bufferSize);
    }
    bool write(std::string const& file, std::string_view section, std::string_view key, std::string_view value) override
    {
        return m_inner.write(file, section, key, value);
    }

private:
    ProfileStore& m_inner;
};

// Every gauge in one form, showing its value, and every user message
// labelled: the readers then reach each key they ever read.
std::string everythingAs(std::string_view form)
{
    std::string text = "[EICAS]\nLine0=1-2-3-4\nRect0=1-2-3-4\n";
    for (std::string const& gauge : layoutGaugeNames())
        text += gauge + "DisplayType=" + std::string(form) + "\n" + gauge + "ValueDisplayed=YES\n";
    for (int m = 1; m <= 10; ++m)
        text += "UserMessage" + std::to_string(m) + "Label=M\n";
    return text;
}

}

TEST(LayoutKeys, TheTableHoldsExactlyTheKeysThePageReads)
{
    TestPlatform platform;
    KeyNotingStore store(platform.profiles);
    PlatformServices services { platform.window, platform.render, store, platform.ipc, platform.layouts, platform.services.userProfilePath };
    for (std::string_view form : { "QUADRANT", "BAR", "STACK" }) {
        platform.layouts.embed(everythingAs(form));
        TestEwdDisplay display(services, services.userProfilePath, "ExternalEWD");
        display.loadConfiguration("layout-keys-test-absent.bin");
    }

    for (std::string const& key : store.layoutKeysRead)
        EXPECT_NE(findLayoutKey(key), nullptr) << "the page reads " << key << ", which the table lacks";
    for (LayoutKey const& key : layoutKeys())
        EXPECT_EQ(store.layoutKeysRead.count(key.name), 1u) << "the table holds " << key.name << ", which the page never reads";
    EXPECT_NE(findLayoutKey("Line12"), nullptr);
    EXPECT_NE(findLayoutKey("rect3"), nullptr);
    EXPECT_EQ(findLayoutKey("Line"), nullptr);
    EXPECT_EQ(findLayoutKey("Line1x"), nullptr);
    EXPECT_EQ(findLayoutKey("n1tickinterval")->name, "N1TickInterval");
}

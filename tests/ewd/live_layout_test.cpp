#include "app/live_layout.h"
#include "config/layout_codec.h"
#include "ewd/ewd_test_display.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Keeps the folder and the callback so the test says when the folder changed.
class FakeFolderWatcher final : public FolderWatcher {
public:
    std::string folder;
    std::function<void()> onChange;
    int watches = 0;

    std::unique_ptr<FolderWatch> watchFolder(std::string const& watched, std::function<void()> callback) override
    {
        folder = watched;
        onChange = std::move(callback);
        ++watches;
        return std::make_unique<FolderWatch>();
    }
};

// A layout with one user message, "MARK", at (x, 300): where it is drawn
// tells which layout the page uses.
std::string markAt(int x)
{
    return "[EICAS]\nUserMessage3Label=MARK\nUserMessage3Position=" + std::to_string(x) + ",300\nUserMessage3Font=Arial\n";
}

std::string packed(std::string_view text)
{
    std::vector<std::uint8_t> const bytes = scrambleLayout(text).value();
    return std::string(bytes.begin(), bytes.end());
}

void writeFile(std::string const& path, std::string const& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class LiveLayoutTest : public EwdPageTest {
protected:
    void SetUp() override { std::filesystem::create_directory(editFolder); }

    // The page made with the chosen layout file, its window created, and the
    // file watched.
    void start()
    {
        display = std::make_unique<TestEwdDisplay>(platform.services, platform.services.userProfilePath, "ExternalEWD");
        display->useLayoutFile(layoutPath);
        ASSERT_TRUE(display->createWindow("E/WD", 0));
        live = std::make_unique<LiveLayout>(watcher, platform.window, *display);
    }

    // Saves, tells the watcher, draws a frame: the x of MARK, or -1.
    float saveAndDraw(std::string const& bytes)
    {
        writeFile(layoutPath, bytes);
        return changeAndDraw();
    }

    float changeAndDraw()
    {
        watcher.onChange();
        frame();
        DrawCommand const* mark = findText(u"MARK");
        return mark ? mark->origin.x : -1;
    }

    // The text drawn at the foot of the page, if any.
    std::u16string notice()
    {
        for (DrawCommand const& c : texts())
            if (c.origin.y > 990 && c.format.lineAlign == StringAlignment::Far)
                return c.text;
        return {};
    }

    std::string editFolder = platform.folder.file("edit");
    std::string layoutPath = editFolder + "/my_layout.ini";
    FakeFolderWatcher watcher;
    std::unique_ptr<LiveLayout> live;
};

}

TEST_F(LiveLayoutTest, FollowsSavesInPlaceAndByRenameAndKeepsTheLastGoodLayoutThroughBadOnes)
{
    writeFile(layoutPath, markAt(100));
    start();
    EXPECT_EQ(watcher.folder, editFolder);
    frame();
    ASSERT_NE(findText(u"MARK"), nullptr);
    EXPECT_EQ(findText(u"MARK")->origin.x, 100);

    // Written in place.
    EXPECT_EQ(saveAndDraw(markAt(200)), 200);
    int const redraws = platform.window.invalidations;
    EXPECT_GE(redraws, 1);

    // Written beside it and renamed over it, packed this time.
    writeFile(editFolder + "/my_layout.ini.new", packed(markAt(300)));
    std::filesystem::rename(editFolder + "/my_layout.ini.new", layoutPath);
    EXPECT_EQ(changeAndDraw(), 300);
    EXPECT_EQ(notice(), u"");

    // A change elsewhere in the folder reads nothing and redraws nothing.
    int const before = platform.window.invalidations;
    writeFile(editFolder + "/other.txt", "x");
    EXPECT_EQ(changeAndDraw(), 300);
    EXPECT_EQ(platform.window.invalidations, before);

    // A damaged packed save: the last layout stays and the foot says why.
    std::string damaged = packed(markAt(400));
    damaged.back() ^= 1;
    EXPECT_EQ(saveAndDraw(damaged), 300);
    EXPECT_EQ(display->layoutProblem(), "Layout my_layout.ini not read: Checksum Error; the last good layout stays.");
    EXPECT_EQ(notice(), u"Layout my_layout.ini not read: Checksum Error; the last good layout stays.");

    // Removed half-way through a save, then saved empty: still the last one.
    std::filesystem::remove(layoutPath);
    EXPECT_EQ(changeAndDraw(), 300);
    EXPECT_NE(display->layoutProblem().find("no such file"), std::string::npos);
    EXPECT_EQ(saveAndDraw(""), 300);
    EXPECT_NE(display->layoutProblem().find("the file is empty"), std::string::npos);
    EXPECT_EQ(saveAndDraw("just some text\n"), 300);
    EXPECT_NE(display->layoutProblem().find("no [EICAS] section"), std::string::npos);

    // The next good save clears the line.
    EXPECT_EQ(saveAndDraw(markAt(500)), 500);
    EXPECT_EQ(display->layoutProblem(), "");
    EXPECT_EQ(notice(), u"");
    EXPECT_TRUE(platform.window.messageBoxes.empty());
}

TEST_F(LiveLayoutTest, ANewPageSizeRescalesThePageLaysTheGaugesOutAgainAndTheSimulatorDataStays)
{
    // The N2 gauge's label point, where its pair of connector lines hangs,
    // is worked out only when the gauges are laid out.
    auto n2At = [](int left) {
        return "N2Box=" + std::to_string(left) + ",400," + std::to_string(left + 480) + ",460\nN2LabelOffset=240,30\n";
    };
    auto connectorsUnder = [&](float x) { return hasLine({ x - 30, 440 }, { x - 80, 460 }) && hasLine({ x + 30, 440 }, { x + 80, 460 }); };
    writeFile(layoutPath, markAt(100) + n2At(40));
    start();
    data().engineCount = 2;
    frame();
    ASSERT_TRUE(connectorsUnder(280));
    EXPECT_FLOAT_EQ(platform.render.recording().scaleX(), 800.0f / 1000);
    data().n1Percent[0] = 55;

    EXPECT_EQ(saveAndDraw(markAt(100) + n2At(140) + "SizeX=2000\n"), 100);
    EXPECT_EQ(display->pageWidthUnits(), 2000);
    EXPECT_FLOAT_EQ(platform.render.recording().scaleX(), 800.0f / 2000);
    EXPECT_TRUE(connectorsUnder(380));
    EXPECT_FALSE(connectorsUnder(280));
    EXPECT_EQ(data().n1Percent[0], 55);
}

TEST_F(LiveLayoutTest, TheNoticeFontIsHeldToThePageInForceWhenItIsDrawn)
{
    auto noticeSize = [&] {
        for (DrawCommand const& c : texts())
            if (c.text.starts_with(u"Layout my_layout.ini not read"))
                return c.fontSize;
        return 0.0f;
    };
    writeFile(layoutPath, markAt(100));
    start();
    EXPECT_EQ(saveAndDraw(""), 100);
    EXPECT_EQ(noticeSize(), 24);

    // A page 5 units high holds every font to 10 units, the notice's too.
    EXPECT_EQ(saveAndDraw(markAt(1) + "SizeX=5\nSizeY=5\n"), 1);
    EXPECT_EQ(saveAndDraw(""), 1);
    EXPECT_EQ(noticeSize(), 10);
}

TEST_F(LiveLayoutTest, AReloadShowsTheBytesReadToCompareNotTheFileReadAgain)
{
    writeFile(layoutPath, markAt(100));
    start();
    frame();
    display->reloadLayout(WholeFile { markAt(700), {}, RegularFileRead::Read });
    frame();
    ASSERT_NE(findText(u"MARK"), nullptr);
    EXPECT_EQ(findText(u"MARK")->origin.x, 700);

    display->reloadLayout(WholeFile { std::nullopt, "it is not a regular file", RegularFileRead::NotRegular });
    EXPECT_EQ(display->layoutProblem(), "Layout my_layout.ini not read: it is not a regular file; the last good layout stays.");
}

TEST_F(LiveLayoutTest, AFileThatCannotBeReadAtStartShowsTheReasonInsteadOfABox)
{
    start();
    frame();
    EXPECT_TRUE(platform.window.messageBoxes.empty());
    EXPECT_EQ(display->layoutProblem(), "Layout my_layout.ini not read: no such file.");
    EXPECT_FALSE(notice().empty());

    EXPECT_EQ(saveAndDraw(markAt(250)), 250);
    EXPECT_EQ(notice(), u"");
}

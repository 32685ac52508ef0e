// SPDX-License-Identifier: GPL-3.0-or-later
// Page 5 and saving driven as a user would: the save dialog answered, entries
// clicked, questions answered, files on disk checked.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTextEdit>
#include <sstream>

#include "../support/file_permissions.h"
#include "app/image_control.h"
#include "boards/project_file.h"
#include "main_window_fixture.h"
#include "pages/link_commands.h"

namespace fs = std::filesystem;
using dorvane::app::MainWindow;

namespace {

constexpr const char* kBullet = "\xE2\x80\xA2 ";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct SavedBoardsFixture : MainWindowFixture {
    fs::path goals() const { return dir / "MyGoals"; }
    dorvane::app::SavedBoardsPage& page() const { return *w->savedBoardsPage(); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < page().boardList()->count(); ++i)
            out.push_back(page().boardList()->item(i)->text().toStdString());
        return out;
    }
    void Select(const std::string& entry) {
        QListWidget& list = *page().boardList();
        const auto found = list.findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(found.first()).center());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !page().reading(); }, 10000));
        QCoreApplication::processEvents();  // the answer of the read
    }
    std::string Memo() const { return page().goalsMemo()->toPlainText().toStdString(); }
    // Saves through the page-4 link with the dialog answered by `path` (nothing: cancel).
    void Save(std::optional<std::string> path) {
        dialogs.files.push_back(std::move(path));
        w->runLink("saveProject");
    }
    void Board(const std::string& name, const std::string& goalLines) {
        std::ofstream(goals() / name, std::ios::binary) << "[Goal]\r\n" << goalLines;
    }
};

TEST(SavedBoards, AnEmptyFolderListsNothingAndLoadAndDeleteSayNothingIsSelected) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    f.Click("imgButton5");
    EXPECT_EQ(f.Shown(), w.savedBoardsPage());
    EXPECT_TRUE(f.Entries().empty());
    w.runLink("loadProject");
    w.runLink("DELETEPROJECT");
    EXPECT_EQ(f.dialogs.texts("inform"),
              (std::vector<std::string>{"No project is selected!", "No project is selected!"}));
    EXPECT_TRUE(f.dialogs.texts("ask").empty());
}

TEST(SavedBoards, SavesWithTheDialogAndListsWithoutRegardToCase) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    for (const char* name : {"plan.gls", "Alpha.GLS", "beta.gls"}) f.Board(name, "");
    f.Click("imgButton4");
    f.Save(std::nullopt);  // cancelled: nothing written, nothing said
    f.Save((f.goals() / "typed").string());
    f.Save((f.goals() / "notes.txt").string());
    ASSERT_EQ(f.dialogs.requests.size(), 3u);
    for (const auto& r : f.dialogs.requests) {
        EXPECT_EQ(r.title, "Save goals...");
        EXPECT_EQ(r.filterName + "|" + r.filterPattern, "Dorvane projects|*.gls");
        EXPECT_EQ(r.defaultSuffix, "gls");
        EXPECT_EQ(r.folder, w.goalsFolder().string());
        EXPECT_EQ(r.fileName,
                  (w.goalsFolder() / "2026-12-07-Goals").string());  // the same name every time
        EXPECT_TRUE(r.confirmOverwrite);
        EXPECT_FALSE(r.resizable);
    }
    EXPECT_EQ(f.dialogs.texts("inform"), std::vector<std::string>(2, "Goals successfully saved!"));
    EXPECT_TRUE(
        ReadAll(f.goals() / "typed.gls").starts_with("[Goal]\r\nVersion=0.1\r\nName=typed"));
    EXPECT_TRUE(fs::exists(f.goals() / "notes.txt"));
    f.Click("imgButton5");
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{"Alpha", "beta", "plan", "typed"}));
    EXPECT_TRUE(w.savedBoardsPage()->boardList()->selectedItems().isEmpty());
}

TEST(SavedBoards, SelectingShowsGoalsReadAnewEachTime) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    f.Board("a.gls", "Goal1=  Run a marathon  \r\nGoal2=\r\nGoal3=Learn Spanish\r\n");
    f.Board("b.gls", "Goal4=Other\r\n");
    f.Click("imgButton5");
    // The file is read on another thread; the caption says so meanwhile.
    QListWidget& list = *w.savedBoardsPage()->boardList();
    list.setCurrentItem(list.findItems("a", Qt::MatchExactly).first());
    EXPECT_EQ(w.savedBoardsPage()->previewLabel()->text(), "Loading...");
    EXPECT_TRUE(w.savedBoardsPage()->goalsMemo()->isHidden());
    f.Select("a");
    EXPECT_EQ(f.Memo(), std::string(kBullet) + "Run a marathon\n" + kBullet + "Learn Spanish");
    EXPECT_EQ(w.savedBoardsPage()->previewLabel()->text(), "Preview:");
    EXPECT_TRUE(w.savedBoardsPage()->goalsMemo()->isVisible());
    EXPECT_TRUE(w.savedBoardsPage()->boardPreview()->isHidden());  // no preview stored
    f.Select("b");
    f.Board("a.gls", "Goal1=Changed\r\n");
    f.Select("a");
    EXPECT_EQ(f.Memo(), std::string(kBullet) + "Changed");
}

TEST(SavedBoards, ASelectionLostWhileTheCaptionRepaintsDoesNothing) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    f.Board("a.gls", "Goal1=One\r\n");
    f.Click("imgButton5");
    QListWidget& list = *w.savedBoardsPage()->boardList();
    list.setCurrentItem(list.findItems("a", Qt::MatchExactly).first());
    w.savedBoardsPage()->listProjects();  // the list is refilled while the file is read
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.savedBoardsPage()->reading(); }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.savedBoardsPage()->previewLabel()->text(), "Preview:");
    EXPECT_TRUE(w.savedBoardsPage()->goalsMemo()->isVisible());
    EXPECT_EQ(f.Memo(), "");
}

TEST(SavedBoards, DeleteAsksRemovesAndLeavesNothingSelected) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    f.Board("a.gls", "Goal1=One\r\n");
    f.Board("b.gls", "Goal1=Two\r\n");
    f.Click("imgButton5");
    f.Select("a");
    w.savedBoardsPage()->deleteProject();  // answered No
    EXPECT_TRUE(fs::exists(f.goals() / "a.gls"));
    f.dialogs.answers = {true};
    w.savedBoardsPage()->deleteProject();
    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_EQ(f.dialogs.shown[1].title, "Delete goals");
    EXPECT_EQ(f.dialogs.shown[1].text, "Do you really want to delete the saved goals?");
    EXPECT_EQ(f.dialogs.lastIcon, dorvane::platform::BoxIcon::None);
    EXPECT_FALSE(fs::exists(f.goals() / "a.gls"));
    EXPECT_EQ(f.Entries(), std::vector<std::string>{"b"});
    EXPECT_TRUE(w.savedBoardsPage()->boardList()->selectedItems().isEmpty());
    EXPECT_EQ(f.Memo(), "");
    EXPECT_TRUE(w.savedBoardsPage()->boardPreview()->isHidden());
}

TEST(SavedBoards, LoadReplacesTheBoardShowsItsStyleAndOpensPageThree) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    f.Board("styled.gls",
            "PicName=grand canyon 1\r\nGoal2=Swim\r\nFontSize=16\r\nFontStyle=2\r\nFontAlign=1\r\n"
            "FontBullets=1\r\n");
    f.Board("gone.gls", "PicName=A picture since deleted\r\n");
    f.Click("imgButton4");
    QTest::keyClick(w.findChild<QComboBox*>("cbSize"), Qt::Key_End);  // 36: one step to undo
    f.Click("imgButton5");
    f.Select("styled");
    w.savedBoardsPage()->loadProject();  // answered No: nothing changes
    EXPECT_EQ(w.currentPage(), 5);
    f.dialogs.answers = {true};
    w.savedBoardsPage()->loadProject();
    EXPECT_EQ(f.dialogs.shown.back().title, "Load goals");
    EXPECT_EQ(f.dialogs.shown.back().text,
              "Do you really want to load previously saved goals?\r\rAll your work will be lost, "
              "if you haven't saved it beforehand.");
    EXPECT_EQ(w.currentPage(), 3);
    EXPECT_TRUE(w.model().board().FontBullets);
    EXPECT_EQ(w.model().board().PicName, "Grand Canyon 1");  // the catalogue's spelling
    EXPECT_EQ(w.model().gallery().SelectedPicture, 5);
    ASSERT_TRUE(f.WaitForPicture());
    EXPECT_EQ(w.model().gallery().LoadedPicture, 5);
    EXPECT_EQ(w.findChild<QComboBox*>("cbSize")->currentText(), "16");
    EXPECT_EQ(w.findChild<QComboBox*>("cbStyle")->currentText(), "italic");
    EXPECT_EQ(w.findChild<QComboBox*>("cbAlign")->currentText(), "center");
    EXPECT_EQ(f.GoalEdit(2)->text(), "Swim");
    f.Click("imgButton4");
    QTest::keyClick(w.previewPage()->canvas(), Qt::Key_Z,
                    Qt::ControlModifier);  // nothing left to undo
    EXPECT_EQ(w.model().board().FontSize, 16);
    EXPECT_EQ(w.findChild<QComboBox*>("cbSize")->currentText(), "16");
    f.Click("imgButton5");
    f.Select("gone");
    f.dialogs.answers = {true};
    w.savedBoardsPage()->loadProject();
    EXPECT_EQ(w.model().board().PicName, "Bryce Canyon");
    EXPECT_EQ(w.model().gallery().SelectedPicture, 1);
}

TEST(SavedBoards, ABoardStyledOnABiggerScreenLoadsAsItLooksOnThisOne) {
    SavedBoardsFixture f;  // a 1024 x 768 screen
    auto& w = f.Start();
    f.Board("big.gls",
            "Goal1=Run\r\nFontSize=24\r\nTextPosX=1024\r\nTextPosY=400\r\nTextWidth=800\r\n"
            "ScreenWidth=2048\r\nScreenHeight=1536\r\n");
    f.Click("imgButton5");
    f.Select("big");
    f.dialogs.answers = {true};
    w.savedBoardsPage()->loadProject();
    EXPECT_EQ(w.model().board().FontSize, 12);
    EXPECT_EQ(w.model().board().TextWidth, 400);
    EXPECT_NEAR(w.model().board().TextPosX, 512, 1);
    EXPECT_EQ(w.model().board().ScreenWidth, 1024);
    // Saved again, it is styled on this screen.
    f.Click("imgButton5");
    f.Save((f.goals() / "again.gls").string());
    const std::string again = ReadAll(f.goals() / "again.gls");
    EXPECT_NE(again.find("TextWidth=400\r\nScreenWidth=1024\r\nScreenHeight=768\r\n"),
              std::string::npos);
}

TEST(SavedBoards, GoalsInFiveScriptsSurviveSaveAndLoad) {
    SavedBoardsFixture f;
    auto& w = f.Start();
    const std::vector<std::string> goals = {
        "Nauczy\xC4\x87 si\xC4\x99 \xC5\x82owi\xC4\x87 ryby",  // Polish
        "\xCE\x9C\xCE\xB1\xCE\xB8\xCE\xB1\xCE\xAF\xCE\xBD\xCF\x89 \xCE\xB5\xCE\xBB\xCE\xBB\xCE\xB7"
        "\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC",                  // Greek
        "\xE5\xAD\xA6\xE4\xB9\xA0\xE4\xB8\xAD\xE6\x96\x87",  // Chinese
        "\xD8\xAA\xD8\xB9\xD9\x84\xD9\x85 \xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A\xD8\xA9",
        "Run \xF0\x9F\x8F\x83 every day \xF0\x9F\x8C\x85"};  // Arabic, emoji
    f.Click("imgButton3");
    for (int i = 0; i < 5; ++i) f.GoalEdit(i + 1)->setText(QString::fromStdString(goals[i]));
    f.Click("imgButton4");
    f.Save((f.goals() / "scripts.gls").string());
    EXPECT_TRUE(ReadAll(f.goals() / "scripts.gls").starts_with("\xEF\xBB\xBF[Goal]\r\n"));
    f.Click("imgButton3");
    for (int i = 1; i <= 7; ++i) f.GoalEdit(i)->clear();
    f.Click("imgButton5");
    f.Select("scripts");
    std::string memo;
    for (const std::string& g : goals) memo += (memo.empty() ? "" : "\n") + (kBullet + g);
    EXPECT_EQ(f.Memo(), memo);
    f.dialogs.answers = {true};
    w.savedBoardsPage()->loadProject();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w.model().board().Goal[i + 1], goals[i]);
        EXPECT_EQ(f.GoalEdit(i + 1)->text().toStdString(), goals[i]);
    }
}

TEST(SavedBoards, StoredPreviewAtItsOwnSizeOnA1280By1024Screen) {
    SavedBoardsFixture f;
    f.screen.set({1280, 1024, 96});
    auto& w = f.Start();
    f.Click("imgButton4");
    f.Save((f.goals() / "wide.gls").string());
    f.Board("broken.gls", "[Preview]\r\nData1=/9j/notajpeg\r\nDataNum=1\r\n");
    f.Click("imgButton5");
    f.Select("wide");
    const auto& image = *w.savedBoardsPage()->boardPreview();
    EXPECT_TRUE(image.isVisible());
    EXPECT_EQ(image.image().size(), QSize(182, 146));  // 23 pixels of the 169 stay free below
    EXPECT_EQ(image.size(), QSize(182, 169));
    f.Select("broken");
    EXPECT_TRUE(image.isHidden());
    EXPECT_TRUE(w.savedBoardsPage()->goalsMemo()->isVisible());
}

// A failed save says so, naming the file, and leaves the earlier file as it was.
TEST(SavedBoards, AFailedSaveReportsItAndKeepsTheEarlierFile) {
    SavedBoardsFixture f;
    f.Start();
    f.Click("imgButton4");
    const fs::path plan = f.goals() / "plan.gls";
    struct Row {
        const char* what;
        fs::perms folder;
        fs::perms file;
        std::string why;
    };
    const Row rows[] = {
        {"read-only folder", fs::perms::owner_read | fs::perms::owner_exec, fs::perms::owner_all,
         "Permission denied"},
        {"read-only file", fs::perms::owner_all, fs::perms::owner_read, "the file is read-only"},
    };
    for (const Row& r : rows) {
        f.Board("plan.gls", "Goal1=earlier\r\n");
        const std::string earlier = ReadAll(plan);
        f.dialogs.shown.clear();
        fs::permissions(plan, r.file);
        fs::permissions(f.goals(), r.folder);
        {
            const dorvane::test::FilePermissionsApply permissions;
            f.Save((f.goals() / "Plan.gls").string());
        }
        fs::permissions(f.goals(), fs::perms::owner_all);
        fs::permissions(plan, fs::perms::owner_all);
        ASSERT_EQ(f.dialogs.shown.size(), 1u) << r.what;
        EXPECT_EQ(f.dialogs.shown[0].kind, "error") << r.what;
        EXPECT_EQ(f.dialogs.shown[0].text,
                  "Your goals could not be saved to " + plan.string() + ".\r\r" + r.why);
        EXPECT_EQ(ReadAll(plan), earlier) << r.what;
        EXPECT_EQ(std::distance(fs::directory_iterator(f.goals()), {}), 1) << r.what;
    }
    fs::remove_all(f.goals());  // the folder gone
    f.dialogs.shown.clear();
    f.Save(plan.string());
    EXPECT_EQ(f.dialogs.texts("error").size(), 1u);
    EXPECT_TRUE(f.dialogs.texts("inform").empty());
}

TEST(SavedBoards, ANameDifferingOnlyInCaseReplacesTheFileKeepingItsSpelling) {
    SavedBoardsFixture f;
    f.Start();
    f.Board("plan.gls", "Goal1=earlier\r\n");
    f.Click("imgButton3");
    f.GoalEdit(1)->setText("later");
    f.Click("imgButton4");
    f.Save((f.goals() / "Plan.gls").string());
    EXPECT_EQ(f.dialogs.texts("inform"), std::vector<std::string>{"Goals successfully saved!"});
    EXPECT_EQ(std::distance(fs::directory_iterator(f.goals()), {}), 1);
    const std::string bytes = ReadAll(f.goals() / "plan.gls");
    EXPECT_NE(bytes.find("Name=plan\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Goal1=later\r\n"), std::string::npos);
}

// A file that is no board, or is gone by the time it is loaded, is reported by
// name and leaves the current board as it was.
TEST(SavedBoards, ADamagedOrVanishedBoardIsReportedAndChangesNothing) {
    const struct {
        const char* what;
        std::string bytes;  // empty: the file goes before the load
    } rows[] = {{"random bytes", std::string("\x89\x01zz\xff\x00q", 7)}, {"gone", ""}};
    for (const auto& r : rows) {
        SavedBoardsFixture f;
        auto& w = f.Start();
        f.Board("bad.gls", "Goal1=Was here\r\n");
        f.SetGoal(1, "Mine");
        f.Click("imgButton5");
        f.Select("bad");
        if (r.bytes.empty()) {
            fs::remove(w.goalsFolder() / "bad.gls");
        } else {
            std::ofstream(w.goalsFolder() / "bad.gls", std::ios::binary) << r.bytes;
        }
        const auto before = w.model().board();
        f.dialogs.answers = {true};
        w.runLink("loadProject");
        ASSERT_EQ(f.dialogs.texts("error").size(), 1u) << r.what;
        EXPECT_NE(f.dialogs.texts("error")[0].find("bad.gls"), std::string::npos) << r.what;
        EXPECT_EQ(w.model().board(), before) << r.what;
        EXPECT_EQ(w.currentPage(), 5) << r.what;
    }
}

}  // namespace

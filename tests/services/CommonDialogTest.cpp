// The common dialogs driven as a person drives them: a timer acts on the dialog while its
// modal loop waits, with clicks and keys on the headless host, and the test reads the
// properties once the Show... call returns. Files come from a small tree in the
// temporary folder.

#include "services/CommonDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/TextBox.h"
#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"
#include "platform/text/Utf8.h"
#include "services/ColorDialog.h"
#include "services/FileDialog.h"
#include "services/FontDialog.h"
#include "tests/support/FormFixture.h"
#include "tests/support/Raised.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace tabula::test {
namespace {

using Texts = std::vector<std::string>;

// --- Filters and names, without a dialog ---------------------------------------------------------

TEST(CommonDialogText, FiltersBecomeNullSeparatedAndTextsEndAtTheFirstNull) {
    using namespace std::string_literals;
    const struct {
        std::string filter, expected;
    } filters[] = {
        {"A|*.a", "A\0*.a\0"s},
        {"", "\0"s},
        {"Icons (*.ico;*.cur)|*.ico;*.cur|All Files (*.*)|*.*",
         "Icons (*.ico;*.cur)\0*.ico;*.cur\0All Files (*.*)\0*.*\0"s},
        {"||", "\0\0\0"s},
    };
    for (const auto& c : filters)
        EXPECT_EQ(NullSeparatedFilter(c.filter), c.expected) << c.filter;
    // With the terminator every string has, the list ends in two NULs.
    EXPECT_EQ(std::string(NullSeparatedFilter("A|*.a").c_str(), 7), "A\0*.a\0\0"s);

    const struct {
        std::string text, expected;
    } trims[] = {
        {"name.txt\0   \0junk"s, "name.txt"},
        {"no null", "no null"},
        {"\0after"s, ""},
        {"", ""},
        {"d\xC3\xA9j\xC3\xA0\0x"s, "d\xC3\xA9j\xC3\xA0"},
    };
    for (const auto& c : trims)
        EXPECT_EQ(TrimAtNull(c.text), c.expected);
}

TEST(CommonDialogText, AFilterIsReadAsPairsOfDescriptionAndGlobs) {
    using Filters = std::vector<FileFilter>;
    const struct {
        std::string text;
        Filters expected;
    } cases[] = {
        {"Icons (*.ico;*.cur)|*.ico;*.cur|All Files (*.*)|*.*",
         {{"Icons (*.ico;*.cur)", {"*.ico", "*.cur"}}, {"All Files (*.*)", {"*.*"}}}},
        {"A|*.a", {{"A", {"*.a"}}}},
        {"", {}},
        {"Lonely description", {}},
        {"A|*.a|B", {{"A", {"*.a"}}}},  // a description without its pattern is dropped
        {"Spaced| *.a ; ;*.b |", {{"Spaced", {"*.a", "*.b"}}}},
        {"Nothing|", {{"Nothing", {}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFilter(c.text), c.expected) << c.text;
}

TEST(CommonDialogText, GlobsMatchCharactersIgnoringCase) {
    const struct {
        std::string name;
        Texts globs;
        bool matches;
    } cases[] = {
        {"alpha.txt", {"*.txt"}, true},
        {"BETA.TXT", {"*.txt"}, true},
        {"alpha.txt", {"*.ico", "*.cur"}, false},
        {"delta.cur", {"*.ico", "*.cur"}, true},
        {"notes", {"*.*"}, true},  // every name, dotted or not
        {"notes", {"*.txt"}, false},
        {"notes", {}, true},
        {"a.tar.gz", {"*.gz"}, true},
        {"ab.c", {"?b.c"}, true},
        {"abb.c", {"?b.c"}, false},
        {"\xC3\xA9.txt", {"?.txt"}, true},  // '?' is one character, not one byte
        {"\xC3\x89T\xC3\x89.txt", {"\xC3\xA9t\xC3\xA9*"}, true},
        {"abcabd", {"*abd"}, true},  // the star gives back what it took too early
        {"abcab", {"*abd"}, false},
        {"report.txt.bak", {"*.txt"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPatterns(c.name, c.globs), c.matches) << c.name;
}

TEST(CommonDialogText, TypedNamesResolveInTheFolderAndTakeTheDefaultExtensionWhenTheyHaveNone) {
    const fs::path folder = "/data/work";
    const struct {
        std::string typed, expected;
    } names[] = {
        {"report", "/data/work/report"},
        {"sub/report.txt", "/data/work/sub/report.txt"},
        {"../up.txt", "/data/up.txt"},
        {"./here.txt", "/data/work/here.txt"},
        {"/etc/hosts", "/etc/hosts"},
        {"sub/", "/data/work/sub"},
        {"..", "/data"},
    };
    for (const auto& c : names)
        EXPECT_EQ(ResolveTypedName(folder, c.typed), fs::path(c.expected)) << c.typed;

    const struct {
        std::string path, extension, expected;
    } extensions[] = {
        {"/d/report", "txt", "/d/report.txt"},
        {"/d/report", ".txt", "/d/report.txt"},
        {"/d/report.doc", "txt", "/d/report.doc"},
        {"/d/report", "", "/d/report"},
        {"/d/.profile", "txt", "/d/.profile.txt"},
        {"/d/r\xC3\xA9sum\xC3\xA9", "txt", "/d/r\xC3\xA9sum\xC3\xA9.txt"},
    };
    for (const auto& c : extensions)
        EXPECT_EQ(WithDefaultExtension(c.path, c.extension), fs::path(c.expected)) << c.path;
}

// --- The dialogs on a desktop
// ----------------------------------------------------------------------

class CommonDialogTest : public FormFixture {
protected:
    CommonDialogTest() : FormFixture(Rect{100, 100, 500, 400}) {}

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("tabula-test-dialog-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(root_);
        for (const char* folder : {"Sub", "zeta", ".git"})
            fs::create_directories(root_ / folder);
        for (const char* file : {"alpha.txt", "beta.TXT", "gamma.ico", "delta.cur", "notes",
                                 ".hidden.txt", "Sub/inner.txt", ".git/config"})
            std::ofstream(root_ / file) << "x";
        form_.Show();
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(root_, error);
    }

    std::string Root() const { return root_.string(); }
    std::string In(const std::string& name) const { return (root_ / name).string(); }

    static Texts Items(const ListBox& list) {
        Texts items;
        for (int32_t i = 0; i < list.ListCount(); ++i)
            items.push_back(list.List(i));
        return items;
    }
    static Texts Files(Form& dialog) { return Items(Get<ListBox>(dialog, "lstFiles")); }
    static Texts Folders(Form& dialog) { return Items(Get<ListBox>(dialog, "lstFolders")); }
    static std::string Status(Form& dialog) { return Get<Label>(dialog, "lblStatus").Caption(); }

    // Replaces the name box's text as a person does: a click in it, Ctrl+A, Delete, typing.
    void TypeName(Form& dialog, const std::string& text) {
        const TextBox& box = Get<TextBox>(dialog, "txtFileName");
        host_.Click(box.hWnd(), 5, 5);
        Keys("<C-A><Del>" + text);
    }
    void Press(Form& dialog, const std::string& button) {
        host_.Click(Get<CommandButton>(dialog, button).hWnd(), 5, 5);
    }
    // Clicks (or double-clicks) the row of a list that shows `item`, scrolled into view
    // first as a person would.
    void ClickItem(Form& dialog, const std::string& list, const std::string& item,
                   bool twice = false) {
        ListBox& box = Get<ListBox>(dialog, list);
        const Texts items = Items(box);
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(found, items.end()) << item;
        const auto index = static_cast<int32_t>(found - items.begin());
        box.SetTopIndex(index);
        const Rect r = box.ItemRect(index);
        const Point at{r.left + 10, (r.top + r.bottom) / 2};
        twice ? host_.DoubleClick(box.hWnd(), at.x, at.y) : host_.Click(box.hWnd(), at.x, at.y);
    }
    void DoubleClickItem(Form& dialog, const std::string& list, const std::string& item) {
        ClickItem(dialog, list, item, true);
    }

    // A dialog whose person types `name` and clicks OK.
    void Choose(const std::string& name) {
        WhileShown([this, name](Form& dialog) {
            TypeName(dialog, name);
            Press(dialog, "cmdOK");
        });
    }

    fs::path root_;
    clsCommonDialog dlg_;
};

// --- Open and save
// --------------------------------------------------------------------------------

TEST_F(CommonDialogTest, OpenShowsTheInitialFolderAndNameAndATypedNameGivesTheFullPath) {
    dlg_.InitDir = Root();
    dlg_.FileName = "/elsewhere/beta.TXT";
    WhileShown([this](Form& dialog) {
        EXPECT_EQ(dialog.Caption(), "Open");
        EXPECT_EQ(Get<Label>(dialog, "lblFolder").Caption(), Root());
        // Sorted ignoring case, dot files and their folders left out.
        EXPECT_EQ(Folders(dialog), (Texts{"..", "Sub", "zeta"}));
        EXPECT_EQ(Files(dialog),
                  (Texts{"alpha.txt", "beta.TXT", "delta.cur", "gamma.ico", "notes"}));
        const TextBox& name = Get<TextBox>(dialog, "txtFileName");
        EXPECT_EQ(name.Text(), "beta.TXT");
        EXPECT_TRUE(name.HasFocus());
        // The name is selected: typing replaces it.
        Keys("alpha.txt");
        Press(dialog, "cmdOK");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.Action(), cdlActionOpen);
    EXPECT_EQ(dlg_.APIReturn(), 1);
    EXPECT_EQ(dlg_.ExtendedError(), 0);
    EXPECT_FALSE(dlg_.Cancelled);
    EXPECT_EQ(dlg_.FileName, In("alpha.txt"));
    EXPECT_EQ(dlg_.FileTitle, "alpha.txt");
    // The keyboard goes back to the form that had it.
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
}

TEST_F(CommonDialogTest, TheFolderShownFirstIsInitDirElseFileNamesFolderElseTheWorkingFolder) {
    const fs::path working = fs::current_path();
    fs::current_path(root_ / "zeta");
    const struct {
        std::string initDir, fileName, fileTitle, folder, name;
    } cases[] = {
        {Root(), In("Sub/inner.txt"), "", Root(), "inner.txt"},
        {Root() + "/Sub/", "", "", In("Sub"), ""},
        {"../Sub", "", "", In("Sub"), ""},  // relative to the working folder
        {"", In("Sub/inner.txt"), "", In("Sub"), "inner.txt"},
        {"", In("Sub/inner.txt"), "title.txt", In("Sub"), "title.txt"},
        {"", "/no/such/folder/x.txt", "", In("zeta"), "x.txt"},
        {"", "", "", In("zeta"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initDir + " | " + c.fileName);
        dlg_.InitDir = c.initDir;
        dlg_.FileName = c.fileName;
        dlg_.FileTitle = c.fileTitle;
        std::string folder, name;
        WhileShown([&](Form& dialog) {
            folder = Get<Label>(dialog, "lblFolder").Caption();
            name = Get<TextBox>(dialog, "txtFileName").Text();
            Press(dialog, "cmdCancel");
        });
        dlg_.ShowOpen();
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
        EXPECT_TRUE(dlg_.Cancelled);
    }
    fs::current_path(working);
}

TEST_F(CommonDialogTest, EveryWayOfCancellingLeavesTheNamesAndSetsCancelled) {
    const struct {
        const char* way;
        std::function<void(Form&)> cancel;
    } ways[] = {
        {"Cancel", [this](Form& d) { Press(d, "cmdCancel"); }},
        {"Esc in the name box", [this](Form&) { Keys("<Esc>"); }},
        {"Esc in the file list",
         [this](Form& d) {
             ClickItem(d, "lstFiles", "alpha.txt");
             Keys("<Esc>");
         }},
        {"Enter on Cancel",
         [this](Form& d) {
             Get<CommandButton>(d, "cmdCancel").SetFocus();
             Keys("<Enter>");
         }},
        {"the form closed", [](Form& d) { d.Unload(); }},
        {"nothing done", [](Form&) {}},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        for (const bool save : {false, true}) {
            dlg_.InitDir = Root();
            dlg_.FileName = "old.name";  // 8 characters, as they were
            dlg_.FileTitle = "old";
            dlg_.CancelError = true;  // the file dialogs never raise
            WhileShown([&](Form& dialog) {
                TypeName(dialog, "alpha.txt");
                w.cancel(dialog);
            });
            save ? dlg_.ShowSave() : dlg_.ShowOpen();
            EXPECT_EQ(dlg_.Action(), save ? cdlActionSave : cdlActionOpen);
            EXPECT_TRUE(dlg_.Cancelled);
            EXPECT_EQ(dlg_.APIReturn(), 0);
            EXPECT_EQ(dlg_.ExtendedError(), 0);
            EXPECT_EQ(dlg_.FileName, "old.name");
            EXPECT_EQ(dlg_.FileTitle, "old");
        }
    }
    // A dialog chosen after a cancel clears Cancelled.
    Choose("alpha.txt");
    dlg_.ShowOpen();
    EXPECT_FALSE(dlg_.Cancelled);
    EXPECT_EQ(dlg_.FileName, In("alpha.txt"));
}

TEST_F(CommonDialogTest, SaveAddsTheDefaultExtensionToANameWithoutOne) {
    const struct {
        std::string typed, defaultExt, title;
    } cases[] = {
        {"report", "txt", "report.txt"},
        {"report", ".txt", "report.txt"},
        {"report.doc", "txt", "report.doc"},
        {"report", "", "report"},
        {"Sub/report", "csv", "report.csv"},
        {"alpha.txt", "ico", "alpha.txt"},  // an existing file may be saved over
        {"  spaced.txt  ", "", "spaced.txt"},
        {"r\xC3\xA9sum\xC3\xA9", "txt", "r\xC3\xA9sum\xC3\xA9.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dlg_.InitDir = Root();
        dlg_.DefaultExt = c.defaultExt;
        Choose(c.typed);
        dlg_.ShowSave();
        EXPECT_EQ(dlg_.APIReturn(), 1);
        EXPECT_EQ(dlg_.FileTitle, c.title);
        const std::string folder = c.typed.starts_with("Sub/") ? In("Sub") : Root();
        EXPECT_EQ(dlg_.FileName, folder + "/" + c.title);
    }
}

TEST_F(CommonDialogTest, APathLongerThanMaxFileSizeAllowsFailsWithoutCuttingOrCancelling) {
    // "alpha.txt" in the tree, and a name whose characters take two bytes each.
    std::ofstream(root_ / "\xC3\xA9\xC3\xA9\xC3\xA9.txt") << "x";
    const auto chars = [](const std::string& path) { return int32_t(Utf8Length(path)); };
    const std::string alpha = In("alpha.txt"), accented = In("\xC3\xA9\xC3\xA9\xC3\xA9.txt");
    const struct {
        std::string typed, path;
        int32_t maxFileSize;
        bool fits;
    } cases[] = {
        {"alpha.txt", alpha, chars(alpha) + 1, true},
        {"alpha.txt", alpha, chars(alpha), false},
        {"alpha.txt", alpha, 10, false},
        {"\xC3\xA9\xC3\xA9\xC3\xA9.txt", accented, chars(accented) + 1, true},  // characters count
        {"\xC3\xA9\xC3\xA9\xC3\xA9.txt", accented, chars(accented), false},
        {"alpha.txt", alpha, 0, true},  // 0 means 255
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxFileSize);
        dlg_.InitDir = Root();
        dlg_.FileName = "before.txt";
        dlg_.FileTitle = "before";
        dlg_.MaxFileSize = c.maxFileSize;
        Choose(c.typed);
        dlg_.ShowOpen();
        EXPECT_FALSE(dlg_.Cancelled);
        if (c.fits) {
            EXPECT_EQ(dlg_.APIReturn(), 1);
            EXPECT_EQ(dlg_.FileName, c.path);
        } else {
            EXPECT_EQ(dlg_.APIReturn(), kDialogFailed);
            EXPECT_EQ(dlg_.ExtendedError(), cdeBufferTooSmall);
            EXPECT_EQ(dlg_.FileName, "before.txt");
            EXPECT_EQ(dlg_.FileTitle, "before");
        }
    }
    // The default takes 254 characters: a longer path to save fails.
    dlg_.MaxFileSize = 0;
    Choose(std::string(300, 'n'));
    dlg_.ShowSave();
    EXPECT_EQ(dlg_.ExtendedError(), cdeBufferTooSmall);
    EXPECT_EQ(dlg_.FileName, alpha);
    // The next dialog starts clean.
    Choose("alpha.txt");
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.ExtendedError(), 0);
    EXPECT_EQ(dlg_.APIReturn(), 1);
}

TEST_F(CommonDialogTest, AnInitDirThatIsNoFolderFailsBeforeAnyDialogShows) {
    for (const std::string& initDir : {In("missing"), In("alpha.txt"), In("zeta/deeper")}) {
        SCOPED_TRACE(initDir);
        dlg_.InitDir = initDir;
        dlg_.FileName = "kept.txt";
        for (const bool save : {false, true}) {
            save ? dlg_.ShowSave() : dlg_.ShowOpen();
            EXPECT_EQ(dlg_.APIReturn(), kDialogFailed);
            EXPECT_EQ(dlg_.ExtendedError(), cdeInvalidFileName);
            EXPECT_FALSE(dlg_.Cancelled);  // a failure is no cancel
            EXPECT_EQ(dlg_.FileName, "kept.txt");
        }
    }
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
}

TEST_F(CommonDialogTest, FilterIndexPicksTheFilesListedFirstAndTheChosenFilterComesBack) {
    const std::string filter = "Icons (*.ico;*.cur)|*.ico;*.cur|Text|*.TXT|All Files (*.*)|*.*";
    const Texts icons{"delta.cur", "gamma.ico"}, texts{"alpha.txt", "beta.TXT"},
        all{"alpha.txt", "beta.TXT", "delta.cur", "gamma.ico", "notes"};
    const struct {
        int16_t filterIndex;
        std::string shown;
        Texts files;
    } cases[] = {
        {1, "Icons (*.ico;*.cur)", icons},
        {2, "Text", texts},
        {3, "All Files (*.*)", all},
        {0, "Icons (*.ico;*.cur)", icons},  // out of range: the first
        {9, "Icons (*.ico;*.cur)", icons},
        {-4, "Icons (*.ico;*.cur)", icons},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filterIndex);
        dlg_.InitDir = Root();
        dlg_.Filter = filter;
        dlg_.FilterIndex = c.filterIndex;
        WhileShown([&](Form& dialog) {
            EXPECT_EQ(Get<ComboBox>(dialog, "cboFilter").Text(), c.shown);
            EXPECT_EQ(Files(dialog), c.files);
            dialog.Unload();
        });
        dlg_.ShowOpen();
        EXPECT_EQ(dlg_.FilterIndex, c.filterIndex);  // a cancel gives nothing back
    }
    // No filter lists every file.
    dlg_.Filter = "";
    dlg_.FilterIndex = 1;
    WhileShown([&](Form& dialog) {
        EXPECT_EQ(Files(dialog), all);
        EXPECT_FALSE(Get<ComboBox>(dialog, "cboFilter").Enabled());
        dialog.Unload();
    });
    dlg_.ShowOpen();
    // Another filter picked from the list changes the files and comes back in FilterIndex.
    dlg_.Filter = filter;
    WhileShown([&](Form& dialog) {
        ComboBox& types = Get<ComboBox>(dialog, "cboFilter");
        host_.Click(types.hWnd(), 10, types.Height() / 2);
        ASSERT_TRUE(types.DroppedDown());
        Keys("<Esc>");  // closes the list, not the dialog
        ASSERT_TRUE(dialog.Loaded());
        host_.Click(types.hWnd(), 10, types.Height() / 2);
        Keys("<Down><Enter>");
        EXPECT_EQ(types.Text(), "Text");
        EXPECT_EQ(Files(dialog), texts);
        DoubleClickItem(dialog, "lstFiles", "beta.TXT");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.FileName, In("beta.TXT"));
    EXPECT_EQ(dlg_.FilterIndex, 2);
}

TEST_F(CommonDialogTest, OpenOfAMissingFileSaysSoAndStaysUntilAFileThatExistsIsChosen) {
    dlg_.InitDir = Root();
    dlg_.FileName = "start.txt";
    dlg_.DefaultExt = "txt";
    const struct {
        std::string typed, status;
    } misses[] = {
        {"missing.txt", "File not found: missing.txt"},
        {"missing", "File not found: missing.txt"},  // after the default extension
        {"nowhere/alpha.txt", "Folder not found: " + In("nowhere")},
        {"alpha.txt/x", "Folder not found: " + In("alpha.txt")},
    };
    WhileShown([&](Form& dialog) {
        for (const auto& m : misses) {
            TypeName(dialog, m.typed);
            Press(dialog, "cmdOK");
            EXPECT_TRUE(dialog.Loaded()) << m.typed;
            EXPECT_EQ(Status(dialog), m.status);
            // The name stays, selected, so the next name replaces it.
            const TextBox& name = Get<TextBox>(dialog, "txtFileName");
            EXPECT_TRUE(name.HasFocus());
            EXPECT_EQ(name.SelLength(), name.TextLength());
        }
        Keys("alpha<Enter>");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.APIReturn(), 1);
    EXPECT_EQ(dlg_.FileName, In("alpha.txt"));
    // Save takes a file that does not exist yet, in a folder that does.
    WhileShown([&](Form& dialog) {
        TypeName(dialog, "nowhere/new.txt");
        Press(dialog, "cmdOK");
        EXPECT_TRUE(dialog.Loaded());
        TypeName(dialog, "Sub/new");
        Press(dialog, "cmdOK");
    });
    dlg_.ShowSave();
    EXPECT_EQ(dlg_.FileName, In("Sub/new.txt"));
    EXPECT_FALSE(fs::exists(In("Sub/new.txt")));  // the dialog only names it
}

TEST_F(CommonDialogTest, FoldersAreEnteredByDoubleClickEnterOrTheirNameAndLeftByTwoDots) {
    dlg_.InitDir = Root();
    dlg_.Filter = "Text|*.txt";
    WhileShown([&](Form& dialog) {
        const Label& folder = Get<Label>(dialog, "lblFolder");
        DoubleClickItem(dialog, "lstFolders", "Sub");
        EXPECT_EQ(folder.Caption(), In("Sub"));
        EXPECT_EQ(Folders(dialog), Texts{".."});
        EXPECT_EQ(Files(dialog), Texts{"inner.txt"});
        DoubleClickItem(dialog, "lstFolders", "..");
        EXPECT_EQ(folder.Caption(), Root());
        // Enter on the selected folder.
        ClickItem(dialog, "lstFolders", "zeta");
        Keys("<Enter>");
        EXPECT_EQ(folder.Caption(), In("zeta"));
        EXPECT_EQ(Files(dialog), Texts{});
        // OK with an empty name enters the selected folder.
        ClickItem(dialog, "lstFolders", "..");
        TypeName(dialog, "");
        Press(dialog, "cmdOK");
        EXPECT_EQ(folder.Caption(), Root());
        // A folder's name typed enters it and empties the name box.
        TypeName(dialog, "Sub/");
        Keys("<Enter>");
        EXPECT_EQ(folder.Caption(), In("Sub"));
        EXPECT_EQ(Get<TextBox>(dialog, "txtFileName").Text(), "");
        // A click on a file names it; OK takes it from this folder.
        ClickItem(dialog, "lstFiles", "inner.txt");
        EXPECT_EQ(Get<TextBox>(dialog, "txtFileName").Text(), "inner.txt");
        Press(dialog, "cmdOK");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.FileName, In("Sub/inner.txt"));
    EXPECT_EQ(dlg_.FileTitle, "inner.txt");
}

TEST_F(CommonDialogTest, TypedWildcardsListTheFilesTheyMatch) {
    dlg_.InitDir = Root();
    dlg_.Filter = "Text|*.txt";
    WhileShown([&](Form& dialog) {
        TypeName(dialog, "*.ico; *.CUR");
        Press(dialog, "cmdOK");
        EXPECT_TRUE(dialog.Loaded());
        EXPECT_EQ(Files(dialog), (Texts{"delta.cur", "gamma.ico"}));
        TypeName(dialog, "?otes");
        Keys("<Enter>");
        EXPECT_EQ(Files(dialog), Texts{"notes"});
        dialog.Unload();
    });
    dlg_.ShowOpen();
    EXPECT_TRUE(dlg_.Cancelled);
}

TEST_F(CommonDialogTest, AFolderThatCannotBeReadListsNothingAndANameThatIsNoUtf8IsNotListed) {
    std::ofstream(root_ / "bad\xFFname.txt") << "x";
    const fs::path locked = root_ / "locked";
    fs::create_directory(locked);
    std::ofstream(locked / "secret.txt") << "x";
    fs::permissions(locked, fs::perms::none);
    std::error_code error;
    const bool readable = fs::directory_iterator(locked, error) != fs::directory_iterator();
    dlg_.InitDir = Root();
    WhileShown([&](Form& dialog) {
        EXPECT_EQ(Files(dialog),
                  (Texts{"alpha.txt", "beta.TXT", "delta.cur", "gamma.ico", "notes"}));
        DoubleClickItem(dialog, "lstFolders", "locked");
        EXPECT_EQ(Get<Label>(dialog, "lblFolder").Caption(), In("locked"));
        // Someone who may read every folder still sees it.
        EXPECT_EQ(Files(dialog), readable ? Texts{"secret.txt"} : Texts{});
        EXPECT_EQ(Folders(dialog), Texts{".."});
        dialog.Unload();
    });
    dlg_.ShowOpen();
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(ListFolder(root_ / "no such folder", {}).files, Texts{});
    EXPECT_EQ(ListFolder(root_ / "alpha.txt", {}).folders, Texts{});
}

TEST_F(CommonDialogTest, TheCaptionIsDialogTitleAndTheDialogIsCentredOnItsOwner) {
    const struct {
        std::string title;
        bool save;
        int32_t owner;
        std::string caption;
    } cases[] = {
        {"", false, 0, "Open"},
        {"", true, 0, "Save As"},
        {"Pick an icon", false, 1, "Pick an icon"},
        {"Export", true, 1, "Export"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        dlg_.InitDir = Root();
        dlg_.DialogTitle = c.title;
        dlg_.hdc = c.owner ? static_cast<int32_t>(form_.hWnd()) : 0;
        Rect placed;
        std::string caption;
        WhileShown([&](Form& dialog) {
            caption = dialog.Caption();
            GetWindowRect(dialog.hWnd(), &placed);
            dialog.Unload();
        });
        c.save ? dlg_.ShowSave() : dlg_.ShowOpen();
        EXPECT_EQ(caption, c.caption);
        // The owner spans 100..500 x 100..400, the screen 1024 x 768.
        const Point centre{(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
        const Point expected = c.owner ? Point{300, 250} : Point{512, 384};
        EXPECT_LE(std::abs(centre.x - expected.x), 1);
        EXPECT_LE(std::abs(centre.y - expected.y), 1);
    }
}

// --- Colour
// ----------------------------------------------------------------------------------------

class ColorDialogTest : public CommonDialogTest {
protected:
    // The swatch drawn with the selection's ring, as a person sees the grid; -1 for none.
    int32_t RingedSwatch(Form& dialog, const std::string& grid, int32_t count) {
        const PixelImage image = host_.Screenshot(Get<PictureBox>(dialog, grid).hWnd());
        int32_t ringed = -1;
        for (int32_t i = 0; i < count; ++i) {
            const Rect r = ColorSwatchRect(i);
            if (image.Pixel(r.left - 2, r.top - 2) != RGB(0, 0, 0)) continue;
            EXPECT_EQ(ringed, -1) << "two swatches ringed";
            ringed = i;
        }
        return ringed;
    }
    // The colour in the middle of a swatch, or of the current colour's box.
    COLORREF SwatchColor(Form& dialog, const std::string& grid, int32_t index) {
        const PixelImage image = host_.Screenshot(Get<PictureBox>(dialog, grid).hWnd());
        const Rect r = index < 0 ? image.Bounds() : ColorSwatchRect(index);
        return image.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    Texts Values(Form& dialog) {
        return {Get<TextBox>(dialog, "txtRed").Text(), Get<TextBox>(dialog, "txtGreen").Text(),
                Get<TextBox>(dialog, "txtBlue").Text()};
    }
    void ClickSwatch(Form& dialog, const std::string& grid, int32_t index) {
        const Rect r = ColorSwatchRect(index);
        host_.Click(Get<PictureBox>(dialog, grid).hWnd(), r.left + 3, r.top + 3);
    }
    void TypeValue(Form& dialog, const std::string& box, const std::string& text) {
        host_.Click(Get<TextBox>(dialog, box).hWnd(), 5, 5);
        Keys("<C-A><Del>" + text);
    }
};

TEST_F(ColorDialogTest, TheInitialColourIsPreselectedAndOkWithoutAChangeGivesItBack) {
    const COLORREF blue = RGB(0, 0, 255);
    const struct {
        int32_t color;
        int32_t ringed;
        COLORREF shown;
        Texts values;
    } cases[] = {
        {int32_t(blue), 13, blue, {"0", "0", "255"}},
        {int32_t(RGB(1, 2, 3)), -1, RGB(1, 2, 3), {"1", "2", "3"}},
        {int32_t(RGB(255, 255, 255)), 47, RGB(255, 255, 255), {"255", "255", "255"}},
        // A system colour as it resolves: button face.
        {int32_t(0x8000000F), 45, RGB(192, 192, 192), {"192", "192", "192"}},
        // A colour that does not resolve (a palette index) starts black.
        {int32_t(0x01FF0000), 40, RGB(0, 0, 0), {"0", "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.color);
        dlg_.Color = c.color;
        WhileShown([&](Form& dialog) {
            EXPECT_EQ(dialog.Caption(), "Color");
            EXPECT_EQ(RingedSwatch(dialog, "picBasic", kBasicColorCount), c.ringed);
            EXPECT_EQ(RingedSwatch(dialog, "picCustom", kCustomColorCount), -1);
            EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), c.shown);
            EXPECT_EQ(Values(dialog), c.values);
            Press(dialog, "cmdOK");
        });
        dlg_.ShowColor();
        EXPECT_EQ(dlg_.Action(), cdlActionColor);
        EXPECT_EQ(dlg_.APIReturn(), 1);
        EXPECT_FALSE(dlg_.Cancelled);
        EXPECT_EQ(dlg_.Color, int32_t(c.shown));
    }
}

TEST_F(ColorDialogTest, ASwatchIsPickedByClickAndOkDoubleClickOrTheArrowsAndEnter) {
    const auto& basic = BasicColors();
    const struct {
        const char* how;
        int32_t initial;  // a basic swatch selected at the start, -1 for none
        std::function<void(Form&)> pick;
        int32_t chosen;
    } cases[] = {
        {"click and OK", -1,
         [this](Form& d) {
             ClickSwatch(d, "picBasic", 20);
             EXPECT_EQ(RingedSwatch(d, "picBasic", kBasicColorCount), 20);
             Press(d, "cmdOK");
         },
         20},
        {"double click", 3,
         [this](Form& d) {
             const Rect r = ColorSwatchRect(47);
             host_.DoubleClick(Get<PictureBox>(d, "picBasic").hWnd(), r.left + 3, r.top + 3);
         },
         47},
        {"click and Enter", -1,
         [this](Form& d) {
             ClickSwatch(d, "picBasic", 0);
             Keys("<Enter>");
         },
         0},
        {"arrows", 0, [this](Form&) { Keys("<Right><Right><Down><Enter>"); }, 10},
        {"arrows stop at the edge", 0, [this](Form&) { Keys("<Left><Up><Enter>"); }, 0},
        {"End", 5, [this](Form&) { Keys("<End><Enter>"); }, 47},
        {"Up from the bottom row", 47, [this](Form&) { Keys("<Up><Home><Down><Enter>"); }, 8},
        {"arrows with nothing selected", -1, [this](Form&) { Keys("<Down><Enter>"); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        dlg_.Color = c.initial >= 0 ? int32_t(basic[c.initial]) : int32_t(RGB(1, 2, 3));
        WhileShown([&](Form& dialog) {
            ASSERT_TRUE(Get<PictureBox>(dialog, "picBasic").HasFocus());
            c.pick(dialog);
        });
        dlg_.ShowColor();
        EXPECT_EQ(dlg_.APIReturn(), 1);
        EXPECT_EQ(dlg_.Color, int32_t(basic[c.chosen]));
    }
}

TEST_F(ColorDialogTest, TypedValuesMakeTheColourAndAddToCustomColorsKeepsItForThisDialog) {
    dlg_.Color = int32_t(BasicColors()[8]);
    WhileShown([&](Form& dialog) {
        TypeValue(dialog, "txtRed", "12");
        TypeValue(dialog, "txtGreen", "300");  // more than 255 counts as 255
        TypeValue(dialog, "txtBlue", "a7b");   // only digits go in
        EXPECT_EQ(Values(dialog), (Texts{"12", "300", "7"}));
        const COLORREF typed = RGB(12, 255, 7);
        EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), typed);
        EXPECT_EQ(RingedSwatch(dialog, "picBasic", kBasicColorCount), -1);
        // Custom colours start white and fill from the first.
        for (int32_t i = 0; i < kCustomColorCount; ++i)
            EXPECT_EQ(SwatchColor(dialog, "picCustom", i), RGB(255, 255, 255));
        Press(dialog, "cmdAddCustom");
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 0), typed);
        EXPECT_EQ(RingedSwatch(dialog, "picCustom", kCustomColorCount), 0);
        ClickSwatch(dialog, "picBasic", 13);
        EXPECT_EQ(RingedSwatch(dialog, "picCustom", kCustomColorCount), -1);
        Press(dialog, "cmdAddCustom");
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 1), RGB(0, 0, 255));
        // Back to the first custom colour, and the value boxes follow.
        ClickSwatch(dialog, "picCustom", 0);
        EXPECT_EQ(Values(dialog), (Texts{"12", "255", "7"}));
        EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), typed);
        TypeValue(dialog, "txtBlue", "8");
        Keys("<Enter>");
    });
    dlg_.ShowColor();
    EXPECT_EQ(dlg_.Color, int32_t(RGB(12, 255, 8)));
    // The next dialog starts with white custom colours again.
    WhileShown([&](Form& dialog) {
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 0), RGB(255, 255, 255));
        dialog.Unload();
    });
    dlg_.ShowColor();
}

TEST_F(ColorDialogTest, ACancelAlwaysSetsCancelledAndRaisesOnlyWithCancelError) {
    const struct {
        const char* way;
        std::function<void(Form&)> cancel;
    } ways[] = {
        {"Cancel", [this](Form& d) { Press(d, "cmdCancel"); }},
        {"Esc", [this](Form&) { Keys("<Esc>"); }},
        {"the form closed", [](Form& d) { d.Unload(); }},
    };
    for (const auto& w : ways) {
        for (const bool cancelError : {false, true}) {
            SCOPED_TRACE(std::string(w.way) + (cancelError ? " raising" : ""));
            dlg_.Color = int32_t(RGB(9, 9, 9));
            dlg_.CancelError = cancelError;
            WhileShown([&](Form& dialog) {
                ClickSwatch(dialog, "picBasic", 4);
                w.cancel(dialog);
            });
            EXPECT_EQ(RaisedDescription([&] { dlg_.ShowColor(); }),
                      cancelError ? "Cancel was selected." : "(nothing raised)");
            EXPECT_TRUE(dlg_.Cancelled);
            EXPECT_EQ(dlg_.APIReturn(), 0);
            EXPECT_EQ(dlg_.ExtendedError(), 0);
            EXPECT_EQ(dlg_.Color, int32_t(RGB(9, 9, 9)));
        }
    }
    dlg_.CancelError = true;
    WhileShown([&](Form& dialog) { dialog.Unload(); });
    EXPECT_EQ(RaisedError([&] { dlg_.ShowColor(); }), kErrCancelSelected);
}

// --- Font ----------------------------------------------------------------------------------------

class FontDialogTest : public CommonDialogTest {
protected:
    struct Shown {
        std::string face, listedFace, size, listedSize;
        Texts checked;
        friend bool operator==(const Shown&, const Shown&) = default;
        friend std::ostream& operator<<(std::ostream& out, const Shown& s) {
            out << s.face << "|" << s.listedFace << "|" << s.size << "|" << s.listedSize << "|";
            for (const std::string& c : s.checked)
                out << c << " ";
            return out;
        }
    };
    static Shown Read(Form& dialog) {
        Shown shown{Get<TextBox>(dialog, "txtFace").Text(),
                    Get<ListBox>(dialog, "lstFace").Text(),
                    Get<TextBox>(dialog, "txtSize").Text(),
                    Get<ListBox>(dialog, "lstSize").Text(),
                    {}};
        for (const char* box : {"chkBold", "chkItalic", "chkUnderline", "chkStrikethru"}) {
            if (Get<CheckBox>(dialog, box).Value() == vbChecked) shown.checked.push_back(box);
        }
        return shown;
    }
    void TypeInto(Form& dialog, const std::string& box, const std::string& text) {
        host_.Click(Get<TextBox>(dialog, box).hWnd(), 5, 5);
        Keys("<C-A><Del>" + text);
    }
    void Toggle(Form& dialog, const std::string& box) {
        host_.Click(Get<CheckBox>(dialog, box).hWnd(), 5, 5);
    }
    PixelImage Sample(Form& dialog) {
        return host_.Screenshot(Get<PictureBox>(dialog, "picSample").hWnd());
    }
    static int Ink(const PixelImage& sample) {
        return sample.Width() * sample.Height() -
               CountPixels(sample, sample.Bounds(), RGB(255, 255, 255));
    }
    void SetFont(const std::string& name, int32_t size, bool bold = false, bool italic = false,
                 bool underline = false, bool strikethru = false) {
        dlg_.FontName = name;
        dlg_.FontSize = size;
        dlg_.FontBold = bold;
        dlg_.FontItalic = italic;
        dlg_.FontUnderline = underline;
        dlg_.FontStrikethru = strikethru;
    }
};

TEST_F(FontDialogTest, TheFacesAreTheInstalledOnesAndTheFontPropertiesArePreselected) {
    const struct {
        std::string name;
        int32_t size;
        bool bold, italic, underline, strikethru;
        Shown shown;
    } cases[] = {
        {"Liberation Serif",
         12,
         true,
         false,
         false,
         false,
         {"Liberation Serif", "Liberation Serif", "12", "12", {"chkBold"}}},
        {"liberation mono",
         13,
         false,
         true,
         true,
         false,
         {"Liberation Mono", "Liberation Mono", "13", "", {"chkItalic", "chkUnderline"}}},
        // A classic name shows the face that stands in for it.
        {"Arial",
         0,
         false,
         false,
         false,
         true,
         {"Liberation Sans", "Liberation Sans", "8", "8", {"chkStrikethru"}}},
        {"", -3, false, false, false, false, {"Liberation Sans", "Liberation Sans", "8", "8", {}}},
        {"No Such Font",
         72,
         true,
         true,
         true,
         true,
         {"No Such Font",
          "",
          "72",
          "72",
          {"chkBold", "chkItalic", "chkUnderline", "chkStrikethru"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetFont(c.name, c.size, c.bold, c.italic, c.underline, c.strikethru);
        WhileShown([&](Form& dialog) {
            EXPECT_EQ(dialog.Caption(), "Font");
            EXPECT_EQ(Items(Get<ListBox>(dialog, "lstFace")),
                      host_.GetDesktop().Fonts().Families());
            EXPECT_EQ(Read(dialog), c.shown);
            EXPECT_TRUE(Get<TextBox>(dialog, "txtFace").HasFocus());
            Press(dialog, "cmdCancel");
        });
        dlg_.ShowFont();
        EXPECT_EQ(dlg_.Action(), cdlActionFont);
        EXPECT_EQ(dlg_.FontName, c.name);  // a cancel changes nothing
        EXPECT_EQ(dlg_.FontSize, c.size);
    }
}

TEST_F(FontDialogTest, AFontChosenFromTheListsTheBoxesAndTheStylesIsWrittenBack) {
    const struct {
        const char* how;
        std::function<void(Form&)> choose;
        std::string name;
        int32_t size;
        bool bold, italic, underline, strikethru;
    } cases[] = {
        {"the lists and a click on Bold",
         [this](Form& d) {
             ClickItem(d, "lstFace", "DejaVu Serif");
             ClickItem(d, "lstSize", "14");
             Toggle(d, "chkBold");
             EXPECT_EQ(
                 Read(d),
                 (Shown{"DejaVu Serif", "DejaVu Serif", "14", "14", {"chkBold", "chkItalic"}}));
             Press(d, "cmdOK");
         },
         "DejaVu Serif", 14, true, true, false, false},
        {"typed names in any case, Enter",
         [this](Form& d) {
             TypeInto(d, "txtFace", "liberation mono");
             EXPECT_EQ(Get<ListBox>(d, "lstFace").Text(), "Liberation Mono");
             TypeInto(d, "txtSize", "10.5");
             Keys("<Enter>");
         },
         "Liberation Mono", 11, false, true, false, false},
        {"a double click on a face",
         [this](Form& d) { DoubleClickItem(d, "lstFace", "Liberation Serif"); }, "Liberation Serif",
         9, false, true, false, false},
        {"styles by Space, Enter on a size",
         [this](Form& d) {
             Get<CheckBox>(d, "chkItalic").SetFocus();
             Keys(" ");
             Get<CheckBox>(d, "chkUnderline").SetFocus();
             Keys(" ");
             Toggle(d, "chkStrikethru");
             ClickItem(d, "lstSize", "72");
             Keys("<Enter>");
         },
         "Liberation Sans", 72, false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        SetFont("Arial", 9, false, true);
        WhileShown(c.choose);
        dlg_.ShowFont();
        EXPECT_EQ(dlg_.APIReturn(), 1);
        EXPECT_FALSE(dlg_.Cancelled);
        EXPECT_EQ(dlg_.FontName, c.name);
        EXPECT_EQ(dlg_.FontSize, c.size);
        EXPECT_EQ(dlg_.FontBold, c.bold);
        EXPECT_EQ(dlg_.FontItalic, c.italic);
        EXPECT_EQ(dlg_.FontUnderline, c.underline);
        EXPECT_EQ(dlg_.FontStrikethru, c.strikethru);
    }
}

TEST_F(FontDialogTest, TypedSizesAreRoundedToWholePoints) {
    const struct {
        std::string typed;
        int32_t size;
    } cases[] = {
        {"10.4", 10}, {"10.5", 11}, {"1", 1}, {"500", 500}, {" 7.49 ", 7}, {"72", 72},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetFont("Liberation Sans", 8);
        WhileShown([&](Form& dialog) {
            TypeInto(dialog, "txtSize", c.typed);
            Press(dialog, "cmdOK");
        });
        dlg_.ShowFont();
        EXPECT_EQ(dlg_.FontSize, c.size);
    }
}

TEST_F(FontDialogTest, AFaceNotInstalledOrASizeOutOfRangeIsRefusedAndTheDialogStays) {
    const struct {
        std::string box, typed, status;
    } refusals[] = {
        {"txtFace", "Nonexistent", "No font is named Nonexistent."},
        {"txtFace", "liberation m", "No font is named liberation m."},  // a start is no name
        {"txtFace", "", "Choose a font."},
        {"txtSize", "abc", "Size must be a number from 1 to 500."},
        {"txtSize", "0", "Size must be a number from 1 to 500."},
        {"txtSize", "501", "Size must be a number from 1 to 500."},
        {"txtSize", "", "Size must be a number from 1 to 500."},
        {"txtSize", "12pt", "Size must be a number from 1 to 500."},
        {"txtSize", "nan", "Size must be a number from 1 to 500."},
    };
    SetFont("Liberation Sans", 10);
    WhileShown([&](Form& dialog) {
        for (const auto& r : refusals) {
            SCOPED_TRACE(r.typed);
            TypeInto(dialog, r.box, r.typed);
            Press(dialog, "cmdOK");
            ASSERT_TRUE(dialog.Loaded());
            EXPECT_EQ(Get<Label>(dialog, "lblStatus").Caption(), r.status);
            // The box at fault has the focus, its text selected.
            const TextBox& box = Get<TextBox>(dialog, r.box);
            EXPECT_TRUE(box.HasFocus());
            EXPECT_EQ(box.SelLength(), box.TextLength());
            Keys(r.box == "txtFace" ? "Liberation Serif" : "16");
        }
        // Enter in the size box: another press on OK now would be a double click.
        Keys("<Enter>");
    });
    dlg_.ShowFont();
    EXPECT_EQ(dlg_.FontName, "Liberation Serif");
    EXPECT_EQ(dlg_.FontSize, 16);
}

TEST_F(FontDialogTest, TheSampleIsDrawnInTheFontAsItStands) {
    SetFont("Liberation Sans", 8);
    WhileShown([&](Form& dialog) {
        const PixelImage small = Sample(dialog);
        const Rect smallInk = Bounds(
            small, [&](int32_t x, int32_t y) { return small.Pixel(x, y) != RGB(255, 255, 255); });
        ASSERT_FALSE(smallInk.left == smallInk.right);
        TypeInto(dialog, "txtSize", "20");
        const PixelImage large = Sample(dialog);
        const Rect largeInk = Bounds(
            large, [&](int32_t x, int32_t y) { return large.Pixel(x, y) != RGB(255, 255, 255); });
        EXPECT_GT(largeInk.right - largeInk.left, smallInk.right - smallInk.left);
        EXPECT_GT(largeInk.bottom - largeInk.top, smallInk.bottom - smallInk.top);
        // A size box holding no size leaves the sample as it was.
        TypeInto(dialog, "txtSize", "x");
        EXPECT_EQ(Sample(dialog), large);
        TypeInto(dialog, "txtSize", "20");
        // Each style adds ink; another face draws other shapes.
        int ink = Ink(large);
        for (const char* style : {"chkBold", "chkUnderline", "chkStrikethru"}) {
            Toggle(dialog, style);
            EXPECT_GT(Ink(Sample(dialog)), ink) << style;
            ink = Ink(Sample(dialog));
        }
        const PixelImage before = Sample(dialog);
        TypeInto(dialog, "txtFace", "Liberation Mono");
        EXPECT_NE(Sample(dialog), before);
        dialog.Unload();
    });
    dlg_.ShowFont();
}

TEST_F(FontDialogTest, ACancelLeavesTheFontSetsCancelledAndRaisesOnlyWithCancelError) {
    const struct {
        const char* way;
        std::function<void(Form&)> cancel;
    } ways[] = {
        {"Cancel", [this](Form& d) { Press(d, "cmdCancel"); }},
        {"Esc", [this](Form&) { Keys("<Esc>"); }},
        {"the form closed", [](Form& d) { d.Unload(); }},
    };
    for (const auto& w : ways) {
        for (const bool cancelError : {false, true}) {
            SCOPED_TRACE(std::string(w.way) + (cancelError ? " raising" : ""));
            SetFont("Liberation Serif", 12, true);
            dlg_.CancelError = cancelError;
            WhileShown([&](Form& dialog) {
                ClickItem(dialog, "lstFace", "Liberation Mono");
                Toggle(dialog, "chkItalic");
                w.cancel(dialog);
            });
            EXPECT_EQ(RaisedError([&] { dlg_.ShowFont(); }), cancelError ? kErrCancelSelected : 0);
            EXPECT_TRUE(dlg_.Cancelled);
            EXPECT_EQ(dlg_.APIReturn(), 0);
            EXPECT_EQ(dlg_.FontName, "Liberation Serif");
            EXPECT_EQ(dlg_.FontSize, 12);
            EXPECT_TRUE(dlg_.FontBold);
            EXPECT_FALSE(dlg_.FontItalic);
        }
    }
}

TEST_F(CommonDialogTest, PrinterFailsForWantOfAPrinterAndHelpDoesNothing) {
    dlg_.Copies = 3;
    dlg_.FromPage = 2;
    dlg_.CancelError = true;
    const struct {
        std::function<void(clsCommonDialog&)> show;
        int16_t action;
        int32_t apiReturn, extendedError;
    } cases[] = {
        {[](clsCommonDialog& d) { d.ShowPrinter(); }, cdlActionPrinter, kDialogFailed,
         cdeNoDefaultPrinter},
        {[](clsCommonDialog& d) { d.ShowHelp(); }, cdlActionHelp, 0, 0},
    };
    for (const auto& c : cases) {
        dlg_.Cancelled = true;  // reset by every Show...
        EXPECT_EQ(RaisedError([&] { c.show(dlg_); }), 0);
        EXPECT_EQ(dlg_.Action(), c.action);
        EXPECT_EQ(dlg_.APIReturn(), c.apiReturn);
        EXPECT_EQ(dlg_.ExtendedError(), c.extendedError);
        EXPECT_FALSE(dlg_.Cancelled);
    }
    EXPECT_EQ(dlg_.Copies, 3);
    EXPECT_EQ(dlg_.FromPage, 2);
}

TEST(CommonDialogMembers, ScriptsReachThePropertiesByNameAndTheirOwnFields) {
    clsCommonDialog d;
    const DispatchTable& members = d.Members();
    const struct {
        const char* name;
        Variant value;
        std::function<Variant()> field;
    } properties[] = {
        {"FileName", Variant("f"), [&] { return Variant(d.FileName); }},
        {"FilterIndex", Variant(int16_t(2)), [&] { return Variant(d.FilterIndex); }},
        {"flags", Variant(int32_t(4)), [&] { return Variant(d.flags); }},
        {"FontBold", Variant(true), [&] { return Variant(d.FontBold); }},
        {"HelpKey", Variant("key"), [&] { return Variant(d.HelpKey); }},
    };
    for (const auto& p : properties) {
        SCOPED_TRACE(p.name);
        const std::string before = p.field().ToText();
        std::vector<Variant> args{p.value};
        Invoke(members, p.name, kInvokeLet, args);
        EXPECT_EQ(p.field().ToText(), p.value.ToText());
        EXPECT_NE(p.field().ToText(), before);
        args.clear();
        EXPECT_EQ(Invoke(members, p.name, kInvokeGet, args).ToText(), p.value.ToText());
    }
    // Conversions and read-only members raise; Show... runs by name.
    const struct {
        const char* name;
        InvokeKind kind;
        Variant value;
        int32_t error;
    } refusals[] = {
        {"FilterIndex", kInvokeLet, Variant(int32_t(40000)), kErrOverflow},
        {"Color", kInvokeLet, Variant("blue"), kErrTypeMismatch},
        {"Action", kInvokeLet, Variant(int16_t(1)), kErrNotSupported},
        {"APIReturn", kInvokeLet, Variant(int32_t(1)), kErrNotSupported},
        {"ExtendedError", kInvokeLet, Variant(int32_t(1)), kErrNotSupported},
        {"ShowAbout", kInvokeMethod, {}, kErrNotSupported},
    };
    for (const auto& r : refusals) {
        std::vector<Variant> args;
        if (!r.value.IsEmpty()) args.push_back(r.value);
        EXPECT_EQ(RaisedError([&] { Invoke(members, r.name, r.kind, args); }), r.error) << r.name;
    }
    std::vector<Variant> none;
    Invoke(members, "showprinter", kInvokeMethod, none);
    EXPECT_EQ(Invoke(members, "Action", kInvokeGet, none).ToLong(), cdlActionPrinter);
    EXPECT_EQ(Invoke(members, "APIReturn", kInvokeGet, none).ToLong(), kDialogFailed);
    EXPECT_EQ(Invoke(members, "ExtendedError", kInvokeGet, none).ToLong(), cdeNoDefaultPrinter);
    // Object keeps what it is set to.
    const auto object = std::make_shared<clsCommonDialog>();
    std::vector<Variant> args{Variant(std::shared_ptr<AutomationObject>(object))};
    Invoke(members, "Object", kInvokeSet, args);
    args.clear();
    EXPECT_EQ(Invoke(members, "Object", kInvokeGet, args).ToObject(), object);
}

TEST(CommonDialogNoDesktop, ADialogWithNoDesktopToShowOnFailsAndChangesNothing) {
    const std::function<void(clsCommonDialog&)> shows[] = {
        [](clsCommonDialog& d) { d.ShowOpen(); },
        [](clsCommonDialog& d) { d.ShowSave(); },
        [](clsCommonDialog& d) { d.ShowColor(); },
        [](clsCommonDialog& d) { d.ShowFont(); },
    };
    // A thread of its own has no desktop.
    std::thread([&] {
        for (const auto& show : shows) {
            clsCommonDialog dlg;
            dlg.FileName = "kept";
            dlg.Color = 5;
            dlg.CancelError = true;
            EXPECT_EQ(RaisedError([&] { show(dlg); }), 0);
            EXPECT_EQ(dlg.APIReturn(), kDialogFailed);
            EXPECT_EQ(dlg.ExtendedError(), cdeInitialization);
            EXPECT_FALSE(dlg.Cancelled);
            EXPECT_EQ(dlg.FileName, "kept");
            EXPECT_EQ(dlg.Color, 5);
        }
    }).join();
}

}  // namespace
}  // namespace tabula::test

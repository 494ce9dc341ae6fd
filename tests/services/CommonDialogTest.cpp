// The common dialogs driven as a person drives them: a timer acts on the dialog while its
// modal loop waits, with clicks and keys on the headless host, and the test reads the
// properties once the Show... call returns. Files come from a small tree in the
// temporary folder.

#include "services/CommonDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
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

// The files of the test tree's top folder, as a listing without a filter shows them.
const Texts kAllFiles{"alpha.txt", "beta.TXT", "delta.cur", "gamma.ico", "notes"};
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Runs the dialog whose Action is `action` (open, save, colour or font).
void Show(clsCommonDialog& dlg, int16_t action) {
    switch (action) {
        case cdlActionOpen:
            return dlg.ShowOpen();
        case cdlActionSave:
            return dlg.ShowSave();
        case cdlActionColor:
            return dlg.ShowColor();
        case cdlActionFont:
            return dlg.ShowFont();
        default:
            FAIL() << "no dialog for action " << action;
    }
}

// --- Filters and names, without a dialog ---------------------------------------------------------

// Cases the dialogs below already pin (filters of several globs, no filter, "*.*", a
// typed name and the default extension added) are left to them.
TEST(CommonDialogText, FiltersAreReadAsDescriptionsAndGlobsThatMatchCharactersIgnoringCase) {
    using namespace std::string_literals;
    EXPECT_EQ(NullSeparatedFilter("A|*.a"), "A\0*.a\0"s);
    EXPECT_EQ(NullSeparatedFilter(""), "\0"s);
    EXPECT_EQ(NullSeparatedFilter("||"), "\0\0\0"s);
    // With the terminator every string has, the list ends in two NULs.
    EXPECT_EQ(std::string(NullSeparatedFilter("A|*.a").c_str(), 7), "A\0*.a\0\0"s);
    EXPECT_EQ(TrimAtNull("name.txt\0   \0junk"s), "name.txt");
    EXPECT_EQ(TrimAtNull("no null"), "no null");
    EXPECT_EQ(TrimAtNull("\0after"s), "");
    EXPECT_EQ(TrimAtNull(""), "");
    EXPECT_EQ(TrimAtNull("d\xC3\xA9j\xC3\xA0\0x"s), "d\xC3\xA9j\xC3\xA0");

    const struct {
        std::string text;
        std::vector<FileFilter> expected;
    } filters[] = {
        {"Lonely description", {}},
        {"A|*.a|B", {{"A", {"*.a"}}}},  // a description without its pattern is dropped
        {"Spaced| *.a ; ;*.b |", {{"Spaced", {"*.a", "*.b"}}}},
        {"Nothing|", {{"Nothing", {}}}},
    };
    for (const auto& c : filters)
        EXPECT_EQ(ParseFilter(c.text), c.expected) << c.text;

    const struct {
        Texts globs, matching, other;
    } globs[] = {
        {{"*.txt"}, {"BETA.TXT"}, {"notes", "report.txt.bak"}},
        {{"?b.c"}, {"ab.c"}, {"abb.c"}},
        {{"?.txt"}, {"\xC3\xA9.txt"}, {}},  // '?' is one character, not one byte
        {{"\xC3\xA9t\xC3\xA9*"}, {"\xC3\x89T\xC3\x89.txt"}, {}},
        {{"*abd"}, {"abcabd"}, {"abcab"}},  // the star gives back what it took too early
    };
    for (const auto& c : globs) {
        for (const std::string& name : c.matching)
            EXPECT_TRUE(MatchesPatterns(name, c.globs)) << name;
        for (const std::string& name : c.other)
            EXPECT_FALSE(MatchesPatterns(name, c.globs)) << name;
    }
}

TEST(CommonDialogText, TypedNamesResolveInTheFolderAndTakeTheDefaultExtensionWhenTheyHaveNone) {
    const struct {
        std::string typed, expected;
    } names[] = {{"sub/report.txt", "/data/work/sub/report.txt"},
                 {"../up.txt", "/data/up.txt"},
                 {"./here.txt", "/data/work/here.txt"},
                 {"/etc/hosts", "/etc/hosts"},
                 {"..", "/data"}};
    for (const auto& c : names)
        EXPECT_EQ(ResolveTypedName("/data/work", c.typed), fs::path(c.expected)) << c.typed;

    const struct {
        std::string path, extension, expected;
    } extensions[] = {{"/d/report", ".txt", "/d/report.txt"},
                      {"/d/report.doc", "txt", "/d/report.doc"},
                      {"/d/report", "", "/d/report"},
                      {"/d/.profile", "txt", "/d/.profile.txt"},
                      {"/d/r\xC3\xA9sum\xC3\xA9", "txt", "/d/r\xC3\xA9sum\xC3\xA9.txt"}};
    for (const auto& c : extensions)
        EXPECT_EQ(WithDefaultExtension(c.path, c.extension), fs::path(c.expected)) << c.path;
}

// --- The dialogs on a desktop --------------------------------------------------------------------

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
        dlg_.InitDir = Root();
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
    static std::string Text(Form& dialog, const std::string& box) {
        return Get<TextBox>(dialog, box).Text();
    }

    // Replaces a box's text as a person does: a click in it, Ctrl+A, Delete, typing.
    void TypeInto(Form& dialog, const std::string& box, const std::string& text) {
        host_.Click(Get<TextBox>(dialog, box).hWnd(), 5, 5);
        Keys("<C-A><Del>" + text);
    }
    void TypeName(Form& dialog, const std::string& text) { TypeInto(dialog, "txtFileName", text); }
    // Clicks a button or a check box.
    void Click(Form& dialog, const std::string& control) {
        host_.Click(Get<Control>(dialog, control).hWnd(), 5, 5);
    }
    // A refused entry leaves its box focused and its text selected, so typing replaces it.
    static void ExpectRefused(Form& dialog, const std::string& box) {
        ASSERT_TRUE(dialog.Loaded());
        const TextBox& refused = Get<TextBox>(dialog, box);
        EXPECT_TRUE(refused.HasFocus());
        EXPECT_EQ(refused.SelLength(), refused.TextLength());
    }
    // Clicks (or double-clicks) a list's row showing `item`, scrolled into view first.
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
    // A dialog whose person types `name` and clicks OK.
    void Choose(const std::string& name) {
        WhileShown([this, name](Form& dialog) {
            TypeName(dialog, name);
            Click(dialog, "cmdOK");
        });
    }

    // --- The colour dialog's grids, as a person sees them ---
    // The swatch drawn with the selection's ring; -1 for none.
    int32_t RingedSwatch(Form& dialog, const std::string& grid) {
        const PixelImage image = host_.Screenshot(Get<PictureBox>(dialog, grid).hWnd());
        const int32_t count = grid == "picBasic" ? kBasicColorCount : kCustomColorCount;
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
    static Texts Values(Form& dialog) {
        return {Text(dialog, "txtRed"), Text(dialog, "txtGreen"), Text(dialog, "txtBlue")};
    }
    void ClickSwatch(Form& dialog, const std::string& grid, int32_t index, bool twice = false) {
        const Rect r = ColorSwatchRect(index);
        const HWND hwnd = Get<PictureBox>(dialog, grid).hWnd();
        twice ? host_.DoubleClick(hwnd, r.left + 3, r.top + 3)
              : host_.Click(hwnd, r.left + 3, r.top + 3);
    }

    // --- The font dialog; styles are written by their first letters ---
    static constexpr const char* kStyles[] = {"Bold", "Italic", "Underline", "Strikethru"};
    static constexpr bool clsCommonDialog::*kStyleFields[] = {
        &clsCommonDialog::FontBold, &clsCommonDialog::FontItalic, &clsCommonDialog::FontUnderline,
        &clsCommonDialog::FontStrikethru};
    // The face and size boxes, the face and size lists' selections, the styles checked.
    static Texts Read(Form& dialog) {
        std::string styles;
        for (const char* style : kStyles)
            if (Get<CheckBox>(dialog, std::string("chk") + style).Value() == vbChecked)
                styles += style[0];
        return {Text(dialog, "txtFace"), Get<ListBox>(dialog, "lstFace").Text(),
                Text(dialog, "txtSize"), Get<ListBox>(dialog, "lstSize").Text(), styles};
    }
    PixelImage Sample(Form& dialog) {
        return host_.Screenshot(Get<PictureBox>(dialog, "picSample").hWnd());
    }
    void SetFont(const std::string& name, int32_t size, std::string_view styles = "") {
        dlg_.FontName = name;
        dlg_.FontSize = size;
        for (int i = 0; i < 4; ++i)
            dlg_.*kStyleFields[i] = styles.find(kStyles[i][0]) != styles.npos;
    }
    std::tuple<std::string, int32_t, std::string> Font() const {
        std::string styles;
        for (int i = 0; i < 4; ++i)
            if (dlg_.*kStyleFields[i]) styles += kStyles[i][0];
        return {dlg_.FontName, dlg_.FontSize, styles};
    }

    // Action, Cancelled, APIReturn and ExtendedError.
    std::tuple<int16_t, bool, int32_t, int32_t> Outcome() const {
        return {dlg_.Action(), dlg_.Cancelled, dlg_.APIReturn(), dlg_.ExtendedError()};
    }

    fs::path root_;
    clsCommonDialog dlg_;
};

using ColorDialogTest = CommonDialogTest;
using FontDialogTest = CommonDialogTest;

// --- Every dialog --------------------------------------------------------------------------------

TEST_F(CommonDialogTest, TheCaptionIsDialogTitleAndTheDialogIsCentredOnItsOwner) {
    const struct {
        std::string title;
        int16_t action;
        bool owned;
        std::string caption;
    } cases[] = {
        {"", cdlActionOpen, false, "Open"},
        {"", cdlActionSave, false, "Save As"},
        {"Pick an icon", cdlActionOpen, true, "Pick an icon"},
        {"Export", cdlActionSave, true, "Export"},
        {"", cdlActionColor, true, "Color"},
        {"", cdlActionFont, false, "Font"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        dlg_.DialogTitle = c.title;
        dlg_.hdc = c.owned ? static_cast<int32_t>(form_.hWnd()) : 0;
        Rect placed;
        std::string caption;
        WhileShown([&](Form& dialog) {
            caption = dialog.Caption();
            GetWindowRect(dialog.hWnd(), &placed);
            dialog.Unload();
        });
        Show(dlg_, c.action);
        EXPECT_EQ(caption, c.caption);
        // The owner spans 100..500 x 100..400, the screen 1024 x 768.
        const Point centre{(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
        const Point expected = c.owned ? Point{300, 250} : Point{512, 384};
        EXPECT_LE(std::abs(centre.x - expected.x), 1);
        EXPECT_LE(std::abs(centre.y - expected.y), 1);
    }
}

TEST_F(CommonDialogTest, EveryWayOfCancellingSetsCancelledAndChangesNothingElse) {
    // Each dialog with a change made in it first: the Open one leaves the keyboard in the
    // file list, the Save one in the name box.
    const struct {
        int16_t action;
        std::function<void(Form&)> change;
    } dialogs[] = {
        {cdlActionOpen, [this](Form& d) { ClickItem(d, "lstFiles", "alpha.txt"); }},
        {cdlActionSave, [this](Form& d) { TypeName(d, "alpha.txt"); }},
        {cdlActionColor, [this](Form& d) { ClickSwatch(d, "picBasic", 4); }},
        {cdlActionFont,
         [this](Form& d) {
             ClickItem(d, "lstFace", "Liberation Mono");
             Click(d, "chkItalic");
         }},
    };
    const struct {
        const char* way;
        std::function<void(Form&)> cancel;
    } ways[] = {
        {"Cancel", [this](Form& d) { Click(d, "cmdCancel"); }},
        {"Esc", [this](Form&) { Keys("<Esc>"); }},
        {"Enter on Cancel",
         [this](Form& d) {
             Get<CommandButton>(d, "cmdCancel").SetFocus();
             Keys("<Enter>");
         }},
        {"the form closed", [](Form& d) { d.Unload(); }},
        {"nothing done", [](Form&) {}},
    };
    const auto properties = [this] {
        return std::tuple(dlg_.FileName, dlg_.FileTitle, dlg_.Color, Font());
    };
    for (const auto& d : dialogs) {
        for (const auto& w : ways) {
            for (const bool cancelError : {false, true}) {
                SCOPED_TRACE(testing::Message() << d.action << " " << w.way << " " << cancelError);
                dlg_.FileName = "old.name";  // 8 characters, as they were
                dlg_.FileTitle = "old";
                dlg_.Color = int32_t(RGB(9, 9, 9));
                SetFont("Liberation Serif", 12, "B");
                dlg_.CancelError = cancelError;
                const auto before = properties();
                WhileShown([&](Form& dialog) {
                    d.change(dialog);
                    w.cancel(dialog);
                });
                // Only the colour and font dialogs raise.
                const bool raises = cancelError && d.action >= cdlActionColor;
                EXPECT_EQ(RaisedError([&] { Show(dlg_, d.action); }),
                          raises ? kErrCancelSelected : 0);
                EXPECT_EQ(Outcome(), std::tuple(d.action, true, 0, 0));
                EXPECT_EQ(properties(), before);
            }
        }
    }
    WhileShown([](Form& dialog) { dialog.Unload(); });
    EXPECT_EQ(RaisedDescription([&] { dlg_.ShowColor(); }), "Cancel was selected.");
}

// --- Open and save -------------------------------------------------------------------------------

TEST_F(CommonDialogTest, OpenListsTheFolderAsItCanAndATypedNameGivesTheFullPath) {
    // A file whose name is no UTF-8, and a folder that cannot be read.
    std::ofstream(root_ / "bad\xFFname.txt") << "x";
    const fs::path locked = root_ / "locked";
    fs::create_directory(locked);
    std::ofstream(locked / "secret.txt") << "x";
    fs::permissions(locked, fs::perms::none);
    std::error_code error;
    const bool readable = fs::directory_iterator(locked, error) != fs::directory_iterator();
    dlg_.FileName = "/elsewhere/beta.TXT";
    WhileShown([&](Form& dialog) {
        // Sorted ignoring case; dot files, their folders and the name not in UTF-8 left out.
        EXPECT_EQ(Folders(dialog), (Texts{"..", "locked", "Sub", "zeta"}));
        EXPECT_EQ(Files(dialog), kAllFiles);
        const TextBox& name = Get<TextBox>(dialog, "txtFileName");
        EXPECT_EQ(name.Text(), "beta.TXT");
        EXPECT_TRUE(name.HasFocus());
        // The name is selected: typing replaces it.
        Keys("alpha.txt");
        ClickItem(dialog, "lstFolders", "locked", true);
        EXPECT_EQ(Get<Label>(dialog, "lblFolder").Caption(), In("locked"));
        // Someone who may read every folder still sees it.
        EXPECT_EQ(Files(dialog), readable ? Texts{"secret.txt"} : Texts{});
        EXPECT_EQ(Folders(dialog), Texts{".."});
        ClickItem(dialog, "lstFolders", "..", true);
        Click(dialog, "cmdOK");
    });
    dlg_.ShowOpen();
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(dlg_.FileName, In("alpha.txt"));
    // The keyboard goes back to the form that had it.
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
    EXPECT_EQ(ListFolder(root_ / "no such folder", {}).files, Texts{});
    EXPECT_EQ(ListFolder(root_ / "alpha.txt", {}).folders, Texts{});
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
            name = Text(dialog, "txtFileName");
            Click(dialog, "cmdCancel");
        });
        dlg_.ShowOpen();
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
    }
    fs::current_path(working);
}

TEST_F(CommonDialogTest, ATypedNameGivesItsPathWithTheDefaultExtensionIfMaxFileSizeTakesIt) {
    const std::string accented = "\xC3\xA9\xC3\xA9\xC3\xA9.txt";  // two bytes a character
    std::ofstream(root_ / accented) << "x";
    // The size that just takes the file's full path and its terminator.
    const auto fit = [this](const std::string& name) { return int32_t(Utf8Length(In(name))) + 1; };
    // The path chosen in the test tree; none for a path too long, which fails the dialog
    // without cutting the path or cancelling.
    const struct {
        int16_t action;
        std::string typed, defaultExt;
        int32_t maxFileSize;
        std::string chosen;
    } cases[] = {
        {cdlActionSave, "report", "txt", 0, "report.txt"},
        {cdlActionSave, "Sub/report", "csv", 0, "Sub/report.csv"},  // a file still to be made
        {cdlActionSave, "alpha.txt", "ico", 0, "alpha.txt"},  // an existing file may be saved over
        {cdlActionSave, "  spaced.txt  ", "", 0, "spaced.txt"},
        {cdlActionOpen, "alpha.txt", "", fit("alpha.txt") - 1, ""},
        {cdlActionOpen, "alpha.txt", "", fit("alpha.txt"), "alpha.txt"},  // the failure is not kept
        {cdlActionOpen, accented, "", fit(accented), accented},  // characters count, not bytes
        {cdlActionOpen, accented, "", fit(accented) - 1, ""},
        {cdlActionSave, std::string(300, 'n'), "", 0, ""},  // 0 means 255: 254 characters at most
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dlg_.FileName = "before.txt";
        dlg_.FileTitle = "before";
        dlg_.Cancelled = true;  // as a cancelled dialog left it
        dlg_.DefaultExt = c.defaultExt;
        dlg_.MaxFileSize = c.maxFileSize;
        Choose(c.typed);
        Show(dlg_, c.action);
        const bool fits = !c.chosen.empty();
        EXPECT_EQ(Outcome(), std::tuple(c.action, false, fits ? 1 : kDialogFailed,
                                        fits ? 0 : cdeBufferTooSmall));
        EXPECT_EQ(dlg_.FileName, fits ? In(c.chosen) : "before.txt");
        EXPECT_EQ(dlg_.FileTitle, fits ? fs::path(c.chosen).filename().string() : "before");
    }
    EXPECT_FALSE(fs::exists(In("Sub/report.csv")));  // the dialog only names it
}

TEST_F(CommonDialogTest, AnInitDirThatIsNoFolderFailsBeforeAnyDialogShows) {
    for (const std::string& initDir : {In("missing"), In("alpha.txt"), In("zeta/deeper")}) {
        for (const int16_t action : {cdlActionOpen, cdlActionSave}) {
            SCOPED_TRACE(initDir);
            dlg_.InitDir = initDir;
            dlg_.FileName = "kept.txt";
            Show(dlg_, action);
            // A failure is no cancel.
            EXPECT_EQ(Outcome(), std::tuple(action, false, kDialogFailed, cdeInvalidFileName));
            EXPECT_EQ(dlg_.FileName, "kept.txt");
        }
    }
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
}

TEST_F(CommonDialogTest, FilterIndexPicksTheFilesListedFirstAndTheChosenFilterComesBack) {
    const std::string filter = "Icons (*.ico;*.cur)|*.ico;*.cur|Text|*.TXT|All Files (*.*)|*.*";
    const Texts icons{"delta.cur", "gamma.ico"}, texts{"alpha.txt", "beta.TXT"};
    const struct {
        std::string filter;
        int16_t filterIndex;
        std::string shown;
        Texts files;
    } cases[] = {
        {filter, 1, "Icons (*.ico;*.cur)", icons},
        {filter, 2, "Text", texts},
        {filter, 3, "All Files (*.*)", kAllFiles},
        {filter, 0, "Icons (*.ico;*.cur)", icons},  // out of range: the first
        {filter, 9, "Icons (*.ico;*.cur)", icons},
        {"", 1, "", kAllFiles},  // no filter: every file, and no list to pick from
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filterIndex);
        dlg_.Filter = c.filter;
        dlg_.FilterIndex = c.filterIndex;
        WhileShown([&](Form& dialog) {
            EXPECT_EQ(Get<ComboBox>(dialog, "cboFilter").Text(), c.shown);
            EXPECT_EQ(Get<ComboBox>(dialog, "cboFilter").Enabled(), !c.filter.empty());
            EXPECT_EQ(Files(dialog), c.files);
            dialog.Unload();
        });
        dlg_.ShowOpen();
        EXPECT_EQ(dlg_.FilterIndex, c.filterIndex);  // a cancel gives nothing back
    }
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
        ClickItem(dialog, "lstFiles", "beta.TXT", true);
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.FileName, In("beta.TXT"));
    EXPECT_EQ(dlg_.FilterIndex, 2);
}

TEST_F(CommonDialogTest, AMissingFileIsRefusedByOpenAndTypedWildcardsListTheFilesTheyMatch) {
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
        TypeName(dialog, "*.ico; *.CUR");
        Click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.Loaded());
        EXPECT_EQ(Files(dialog), (Texts{"delta.cur", "gamma.ico"}));
        TypeName(dialog, "?otes");
        Keys("<Enter>");
        EXPECT_EQ(Files(dialog), Texts{"notes"});
        for (const auto& m : misses) {
            SCOPED_TRACE(m.typed);
            TypeName(dialog, m.typed);
            Click(dialog, "cmdOK");
            EXPECT_EQ(Status(dialog), m.status);
            ExpectRefused(dialog, "txtFileName");
        }
        Keys("alpha<Enter>");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.APIReturn(), 1);
    EXPECT_EQ(dlg_.FileName, In("alpha.txt"));
    // Save refuses a missing folder too (a missing file it takes, below).
    WhileShown([&](Form& dialog) {
        TypeName(dialog, "nowhere/new.txt");
        Click(dialog, "cmdOK");
        EXPECT_EQ(Status(dialog), "Folder not found: " + In("nowhere"));
        dialog.Unload();
    });
    dlg_.ShowSave();
}

TEST_F(CommonDialogTest, FoldersAreEnteredByDoubleClickEnterOrTheirNameAndLeftByTwoDots) {
    dlg_.Filter = "Text|*.txt";
    WhileShown([&](Form& dialog) {
        const Label& folder = Get<Label>(dialog, "lblFolder");
        ClickItem(dialog, "lstFolders", "Sub", true);
        EXPECT_EQ(folder.Caption(), In("Sub"));
        EXPECT_EQ(Folders(dialog), Texts{".."});
        EXPECT_EQ(Files(dialog), Texts{"inner.txt"});
        ClickItem(dialog, "lstFolders", "..", true);
        EXPECT_EQ(folder.Caption(), Root());
        // Enter on the selected folder.
        ClickItem(dialog, "lstFolders", "zeta");
        Keys("<Enter>");
        EXPECT_EQ(folder.Caption(), In("zeta"));
        EXPECT_EQ(Files(dialog), Texts{});
        // OK with an empty name enters the selected folder.
        ClickItem(dialog, "lstFolders", "..");
        TypeName(dialog, "");
        Click(dialog, "cmdOK");
        EXPECT_EQ(folder.Caption(), Root());
        // A folder's name typed enters it and empties the name box.
        TypeName(dialog, "Sub/");
        Keys("<Enter>");
        EXPECT_EQ(folder.Caption(), In("Sub"));
        EXPECT_EQ(Text(dialog, "txtFileName"), "");
        // A click on a file names it; OK takes it from this folder.
        ClickItem(dialog, "lstFiles", "inner.txt");
        EXPECT_EQ(Text(dialog, "txtFileName"), "inner.txt");
        Click(dialog, "cmdOK");
    });
    dlg_.ShowOpen();
    EXPECT_EQ(dlg_.FileName, In("Sub/inner.txt"));
    EXPECT_EQ(dlg_.FileTitle, "inner.txt");
}

// --- Colour --------------------------------------------------------------------------------------

TEST_F(ColorDialogTest, TheColourIsPreselectedAndASwatchIsPickedByClickDoubleClickOrTheArrows) {
    const auto& basic = BasicColors();
    const int32_t other = int32_t(RGB(1, 2, 3));  // no basic colour
    // Color, the basic swatch ringed for it (-1: none) and the colour shown; a swatch then
    // clicked (-1: none) and keys typed, none meaning a press on OK; the colour chosen.
    const struct {
        int32_t color, ringed;
        COLORREF shown;
        int32_t clicked;
        bool twice;
        std::string keys;
        COLORREF chosen;
    } cases[] = {
        {other, -1, RGB(1, 2, 3), -1, false, "", RGB(1, 2, 3)},
        {int32_t(kWhite), 47, kWhite, -1, false, "", kWhite},
        // A system colour as it resolves: button face.
        {int32_t(0x8000000F), 45, RGB(192, 192, 192), -1, false, "", RGB(192, 192, 192)},
        // A colour that does not resolve (a palette index) starts black.
        {int32_t(0x01FF0000), 40, RGB(0, 0, 0), -1, false, "", RGB(0, 0, 0)},
        {other, -1, RGB(1, 2, 3), 20, false, "", basic[20]},
        {int32_t(basic[3]), 3, basic[3], 47, true, "", basic[47]},
        {other, -1, RGB(1, 2, 3), 0, false, "<Enter>", basic[0]},
        {int32_t(basic[0]), 0, basic[0], -1, false, "<Right><Right><Down><Enter>", basic[10]},
        {int32_t(basic[0]), 0, basic[0], -1, false, "<Left><Up><Enter>", basic[0]},  // the edge
        {int32_t(basic[5]), 5, basic[5], -1, false, "<End><Enter>", basic[47]},
        {int32_t(basic[47]), 47, basic[47], -1, false, "<Up><Home><Down><Enter>", basic[8]},
        {other, -1, RGB(1, 2, 3), -1, false, "<Down><Enter>", basic[0]},  // from the first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.color << " " << c.clicked << " " << c.keys);
        dlg_.Color = c.color;
        WhileShown([&](Form& dialog) {
            ASSERT_TRUE(Get<PictureBox>(dialog, "picBasic").HasFocus());
            EXPECT_EQ(RingedSwatch(dialog, "picBasic"), c.ringed);
            EXPECT_EQ(RingedSwatch(dialog, "picCustom"), -1);
            EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), c.shown);
            EXPECT_EQ(Values(dialog),
                      (Texts{std::to_string(GetRValue(c.shown)), std::to_string(GetGValue(c.shown)),
                             std::to_string(GetBValue(c.shown))}));
            if (c.clicked >= 0) ClickSwatch(dialog, "picBasic", c.clicked, c.twice);
            if (c.twice) return;
            EXPECT_EQ(RingedSwatch(dialog, "picBasic"), c.clicked >= 0 ? c.clicked : c.ringed);
            c.keys.empty() ? Click(dialog, "cmdOK") : Keys(c.keys);
        });
        dlg_.ShowColor();
        EXPECT_EQ(Outcome(), std::tuple(cdlActionColor, false, 1, 0));
        EXPECT_EQ(dlg_.Color, int32_t(c.chosen));
    }
}

TEST_F(ColorDialogTest, TypedValuesMakeTheColourAndAddToCustomColorsKeepsItForThisDialog) {
    dlg_.Color = int32_t(BasicColors()[8]);
    WhileShown([&](Form& dialog) {
        TypeInto(dialog, "txtRed", "12");
        TypeInto(dialog, "txtGreen", "300");  // more than 255 counts as 255
        TypeInto(dialog, "txtBlue", "a7b");   // only digits go in
        EXPECT_EQ(Values(dialog), (Texts{"12", "300", "7"}));
        const COLORREF typed = RGB(12, 255, 7);
        EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), typed);
        EXPECT_EQ(RingedSwatch(dialog, "picBasic"), -1);
        // Custom colours start white and fill from the first.
        for (int32_t i = 0; i < kCustomColorCount; ++i)
            EXPECT_EQ(SwatchColor(dialog, "picCustom", i), kWhite);
        Click(dialog, "cmdAddCustom");
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 0), typed);
        EXPECT_EQ(RingedSwatch(dialog, "picCustom"), 0);
        ClickSwatch(dialog, "picBasic", 13);
        EXPECT_EQ(RingedSwatch(dialog, "picCustom"), -1);
        Click(dialog, "cmdAddCustom");
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 1), RGB(0, 0, 255));
        // Back to the first custom colour, and the value boxes follow.
        ClickSwatch(dialog, "picCustom", 0);
        EXPECT_EQ(Values(dialog), (Texts{"12", "255", "7"}));
        EXPECT_EQ(SwatchColor(dialog, "picCurrent", -1), typed);
        TypeInto(dialog, "txtBlue", "8");
        Keys("<Enter>");
    });
    dlg_.ShowColor();
    EXPECT_EQ(dlg_.Color, int32_t(RGB(12, 255, 8)));
    // The next dialog starts with white custom colours again.
    WhileShown([&](Form& dialog) {
        EXPECT_EQ(SwatchColor(dialog, "picCustom", 0), kWhite);
        dialog.Unload();
    });
    dlg_.ShowColor();
}

// --- Font ----------------------------------------------------------------------------------------

TEST_F(FontDialogTest, TheFacesAreTheInstalledOnesAndTheFontPropertiesArePreselected) {
    const struct {
        std::string name;
        int32_t size;
        std::string styles, face, listedFace, shownSize, listedSize;
    } cases[] = {
        {"Liberation Serif", 12, "B", "Liberation Serif", "Liberation Serif", "12", "12"},
        {"liberation mono", 13, "IU", "Liberation Mono", "Liberation Mono", "13", ""},
        // A classic name shows the face that stands in for it.
        {"Arial", 0, "S", "Liberation Sans", "Liberation Sans", "8", "8"},
        {"", -3, "", "Liberation Sans", "Liberation Sans", "8", "8"},
        {"No Such Font", 72, "BIUS", "No Such Font", "", "72", "72"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetFont(c.name, c.size, c.styles);
        WhileShown([&](Form& dialog) {
            EXPECT_EQ(Items(Get<ListBox>(dialog, "lstFace")),
                      host_.GetDesktop().Fonts().Families());
            EXPECT_EQ(Read(dialog),
                      (Texts{c.face, c.listedFace, c.shownSize, c.listedSize, c.styles}));
            EXPECT_TRUE(Get<TextBox>(dialog, "txtFace").HasFocus());
            Click(dialog, "cmdCancel");
        });
        dlg_.ShowFont();
        EXPECT_EQ(Font(), std::tuple(c.name, c.size, c.styles));  // a cancel changes nothing
    }
}

TEST_F(FontDialogTest, AFontChosenFromTheListsTheBoxesAndTheStylesIsWrittenBack) {
    // A size typed and OK pressed: sizes are rounded to whole points.
    const auto typeSize = [this](std::string size) {
        return [this, size](Form& d) {
            TypeInto(d, "txtSize", size);
            Click(d, "cmdOK");
        };
    };
    const struct {
        const char* how;
        std::function<void(Form&)> choose;
        std::tuple<std::string, int32_t, std::string> font;
    } cases[] = {
        {"the lists and a click on Bold",
         [this](Form& d) {
             ClickItem(d, "lstFace", "DejaVu Serif");
             ClickItem(d, "lstSize", "14");
             Click(d, "chkBold");
             EXPECT_EQ(Read(d), (Texts{"DejaVu Serif", "DejaVu Serif", "14", "14", "BI"}));
             Click(d, "cmdOK");
         },
         {"DejaVu Serif", 14, "BI"}},
        {"typed names in any case, Enter",
         [this](Form& d) {
             TypeInto(d, "txtFace", "liberation mono");
             EXPECT_EQ(Get<ListBox>(d, "lstFace").Text(), "Liberation Mono");
             TypeInto(d, "txtSize", "10.5");
             Keys("<Enter>");
         },
         {"Liberation Mono", 11, "I"}},
        {"a double click on a face",
         [this](Form& d) { ClickItem(d, "lstFace", "Liberation Serif", true); },
         {"Liberation Serif", 9, "I"}},
        {"styles by Space, Enter on a size",
         [this](Form& d) {
             Get<CheckBox>(d, "chkItalic").SetFocus();
             Keys(" ");
             Get<CheckBox>(d, "chkUnderline").SetFocus();
             Keys(" ");
             Click(d, "chkStrikethru");
             ClickItem(d, "lstSize", "72");
             Keys("<Enter>");
         },
         {"Liberation Sans", 72, "US"}},
        {"10.4 typed", typeSize("10.4"), {"Liberation Sans", 10, "I"}},
        {" 7.49 typed", typeSize(" 7.49 "), {"Liberation Sans", 7, "I"}},
        {"1 typed", typeSize("1"), {"Liberation Sans", 1, "I"}},
        {"500 typed", typeSize("500"), {"Liberation Sans", 500, "I"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        SetFont("Arial", 9, "I");
        WhileShown(c.choose);
        dlg_.ShowFont();
        EXPECT_EQ(Outcome(), std::tuple(cdlActionFont, false, 1, 0));
        EXPECT_EQ(Font(), c.font);
    }
}

TEST_F(FontDialogTest, TheSampleShowsTheFontAsItStandsAndWhatCannotBeChosenIsRefused) {
    const auto paper = [](const PixelImage& sample) {
        return CountPixels(sample, sample.Bounds(), kWhite);
    };
    const auto inked = [](const PixelImage& sample) {
        return Bounds(sample, [&](int32_t x, int32_t y) { return sample.Pixel(x, y) != kWhite; });
    };
    const std::string badSize = "Size must be a number from 1 to 500.";
    const struct {
        std::string box, typed, status;
    } refusals[] = {
        {"txtFace", "Nonexistent", "No font is named Nonexistent."},
        {"txtFace", "liberation m", "No font is named liberation m."},  // a start is no name
        {"txtFace", "", "Choose a font."},
        {"txtSize", "abc", badSize},
        {"txtSize", "0", badSize},
        {"txtSize", "501", badSize},
        {"txtSize", "", badSize},
        {"txtSize", "12pt", badSize},
        {"txtSize", "nan", badSize},
    };
    SetFont("Liberation Sans", 8);
    WhileShown([&](Form& dialog) {
        const Rect small = inked(Sample(dialog));
        ASSERT_FALSE(small.left == small.right);
        TypeInto(dialog, "txtSize", "20");
        const PixelImage large = Sample(dialog);
        EXPECT_GT(inked(large).Width(), small.Width());
        EXPECT_GT(inked(large).Height(), small.Height());
        // A size box holding no size leaves the sample as it was.
        TypeInto(dialog, "txtSize", "x");
        EXPECT_EQ(Sample(dialog), large);
        TypeInto(dialog, "txtSize", "20");
        // Each style adds ink; another face draws other shapes.
        for (const char* style : {"chkBold", "chkUnderline", "chkStrikethru"}) {
            const int before = paper(Sample(dialog));
            Click(dialog, style);
            EXPECT_LT(paper(Sample(dialog)), before) << style;
        }
        const PixelImage before = Sample(dialog);
        TypeInto(dialog, "txtFace", "Liberation Mono");
        EXPECT_NE(Sample(dialog), before);
        // A face not installed or a size out of range is refused and the dialog stays.
        for (const auto& r : refusals) {
            SCOPED_TRACE(r.typed);
            TypeInto(dialog, r.box, r.typed);
            Click(dialog, "cmdOK");
            EXPECT_EQ(Status(dialog), r.status);
            ExpectRefused(dialog, r.box);
            Keys(r.box == "txtFace" ? "Liberation Serif" : "16");
        }
        // Enter in the size box: another press on OK now would be a double click.
        Keys("<Enter>");
    });
    dlg_.ShowFont();
    EXPECT_EQ(Font(), std::tuple("Liberation Serif", 16, "BUS"));
}

// --- Scripts, and no desktop ---------------------------------------------------------------------

TEST(CommonDialogMembers, ScriptsReachThePropertiesAndTheShowMethodsByName) {
    // A thread of its own has no desktop to show a dialog on.
    std::thread([] {
        clsCommonDialog d;
        const auto call = [&](const char* name, InvokeKind kind, std::vector<Variant> args = {}) {
            return Invoke(d.Members(), name, kind, args);
        };
        const std::pair<const char*, Variant> properties[] = {{"FileName", Variant("f")},
                                                              {"FilterIndex", Variant(int16_t(2))},
                                                              {"flags", Variant(int32_t(4))},
                                                              {"FontBold", Variant(true)},
                                                              {"HelpKey", Variant("key")}};
        for (const auto& [name, value] : properties) {
            call(name, kInvokeLet, {value});
            EXPECT_EQ(call(name, kInvokeGet).ToText(), value.ToText()) << name;
        }
        // The lets reached the fields, none of which held these values before.
        EXPECT_EQ(std::tuple(d.FileName, d.FilterIndex, d.flags, d.FontBold, d.HelpKey),
                  std::tuple(std::string("f"), int16_t(2), 4, true, std::string("key")));
        // Conversions and read-only members raise.
        const struct {
            const char* name;
            InvokeKind kind;
            std::vector<Variant> args;
            int32_t error;
        } refusals[] = {
            {"FilterIndex", kInvokeLet, {Variant(int32_t(40000))}, kErrOverflow},
            {"Color", kInvokeLet, {Variant("blue")}, kErrTypeMismatch},
            {"Action", kInvokeLet, {Variant(int16_t(1))}, kErrNotSupported},
            {"APIReturn", kInvokeLet, {Variant(int32_t(1))}, kErrNotSupported},
            {"ExtendedError", kInvokeLet, {Variant(int32_t(1))}, kErrNotSupported},
            {"ShowAbout", kInvokeMethod, {}, kErrNotSupported},
        };
        for (const auto& r : refusals)
            EXPECT_EQ(RaisedError([&] { call(r.name, r.kind, r.args); }), r.error) << r.name;
        // With no desktop the four dialogs fail; the printer dialog fails for want of a
        // printer and help does nothing. None raises or changes a property, and each
        // resets Cancelled.
        const struct {
            const char* show;
            int16_t action;
            int32_t apiReturn, extendedError;
        } shows[] = {{"ShowOpen", cdlActionOpen, kDialogFailed, cdeInitialization},
                     {"ShowSave", cdlActionSave, kDialogFailed, cdeInitialization},
                     {"ShowColor", cdlActionColor, kDialogFailed, cdeInitialization},
                     {"ShowFont", cdlActionFont, kDialogFailed, cdeInitialization},
                     {"showprinter", cdlActionPrinter, kDialogFailed, cdeNoDefaultPrinter},
                     {"ShowHelp", cdlActionHelp, 0, 0}};
        d.Color = 5;
        d.Copies = 3;
        d.FromPage = 2;
        d.CancelError = true;
        for (const auto& s : shows) {
            d.Cancelled = true;
            EXPECT_EQ(RaisedError([&] { call(s.show, kInvokeMethod); }), 0) << s.show;
            EXPECT_EQ((std::array{call("Action", kInvokeGet).ToLong(),
                                  call("APIReturn", kInvokeGet).ToLong(),
                                  call("ExtendedError", kInvokeGet).ToLong()}),
                      (std::array{int32_t(s.action), s.apiReturn, s.extendedError}))
                << s.show;
            EXPECT_FALSE(d.Cancelled) << s.show;
            EXPECT_EQ(std::tuple(d.FileName, d.Color, d.Copies, d.FromPage),
                      std::tuple(std::string("f"), 5, 3, 2));
        }
        // Object keeps what it is set to.
        const auto object = std::make_shared<clsCommonDialog>();
        call("Object", kInvokeSet, {Variant(std::shared_ptr<AutomationObject>(object))});
        EXPECT_EQ(call("Object", kInvokeGet).ToObject(), object);
    }).join();
}

}  // namespace
}  // namespace tabula::test

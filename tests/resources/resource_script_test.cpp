// Reads the compiled resource script (a .res file made by windres from
// app/resources/tenvo.rc) and checks every resource the program loads: the
// names it loads them by, the menu's texts and command ids, the accelerator,
// and each dialog's style, font, caption and controls.
//
// The compiler stores texts as UTF-16; the program reads them through the
// ANSI functions in code page 932. So each text is checked twice: as UTF-16
// against the expected text, and converted to code page 932 against the
// expected Shift-JIS bytes. A look-alike character (a full-width katakana
// for a half-width one, a tab for spaces) fails either check.
//
// Usage: resource_script_tests <tenvo.res> [gtest options]

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/resources/resource.h"

namespace {

std::string gResPath;

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------
// Text conversion with iconv.

std::optional<std::string> iconvAll(const std::string& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string src = in;
    std::string out(in.size() * 4 + 16, '\0');
    char* inPtr = src.data();
    std::size_t inLeft = src.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::u16string utf16(const std::string& utf8) {
    const auto le = iconvAll(utf8, "UTF-16LE", "UTF-8");
    EXPECT_TRUE(le.has_value()) << "cannot convert to UTF-16: " << utf8;
    std::u16string out;
    if (!le) return out;
    for (std::size_t i = 0; i + 1 < le->size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>((*le)[i]) |
                                            (static_cast<unsigned char>((*le)[i + 1]) << 8)));
    }
    return out;
}

// The bytes a Windows ANSI function in code page 932 would see.
std::optional<std::string> cp932(const std::u16string& text) {
    std::string le;
    for (char16_t c : text) {
        le.push_back(static_cast<char>(c & 0xFF));
        le.push_back(static_cast<char>(c >> 8));
    }
    return iconvAll(le, "CP932", "UTF-16LE");
}

std::string readable(const std::u16string& text) {
    std::string le;
    for (char16_t c : text) {
        le.push_back(static_cast<char>(c & 0xFF));
        le.push_back(static_cast<char>(c >> 8));
    }
    return iconvAll(le, "UTF-8", "UTF-16LE").value_or("<not convertible>");
}

// Checks a stored text against the expected UTF-8 text, as UTF-16 and as the
// code page 932 bytes.
void expectText(const std::u16string& stored, const std::string& expectedUtf8,
                const std::string& where) {
    EXPECT_EQ(stored, utf16(expectedUtf8))
        << where << ": stored \"" << readable(stored) << "\", expected \"" << expectedUtf8 << "\"";
    const auto bytes = cp932(stored);
    ASSERT_TRUE(bytes.has_value()) << where << ": not representable in code page 932";
    EXPECT_EQ(*bytes, iconvAll(expectedUtf8, "CP932", "UTF-8").value_or("<expected not CP932>"))
        << where;
}

// ---------------------------------------------------------------------------
// The .res file: a sequence of resources, each a header (data size, header
// size, type, name, version fields) and its data, both padded to 4 bytes.
// A type or name is either 0xFFFF and a 16-bit ordinal, or a UTF-16 string.

struct NameOrId {
    bool isId = false;
    std::uint16_t id = 0;
    std::u16string name;
};

struct Reader {
    const Bytes& b;
    std::size_t pos = 0;
    bool ok = true;

    std::uint16_t u16() {
        if (pos + 2 > b.size()) {
            ok = false;
            pos = b.size();
            return 0;
        }
        const auto v = static_cast<std::uint16_t>(b[pos] | (b[pos + 1] << 8));
        pos += 2;
        return v;
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (std::uint32_t{u16()} << 16);
    }
    std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
    std::uint8_t u8() {
        if (pos >= b.size()) {
            ok = false;
            return 0;
        }
        return b[pos++];
    }
    std::u16string sz() {
        std::u16string s;
        for (char16_t c = static_cast<char16_t>(u16()); ok && c != 0;
             c = static_cast<char16_t>(u16())) {
            s.push_back(c);
        }
        return s;
    }
    // A name or ordinal as in resource headers and dialog templates (0 alone
    // is an empty string there: "no menu", "default class").
    NameOrId nameOrId() {
        NameOrId r;
        if (pos + 2 <= b.size() && b[pos] == 0xFF && b[pos + 1] == 0xFF) {
            pos += 2;
            r.isId = true;
            r.id = u16();
        } else {
            r.name = sz();
        }
        return r;
    }
    void align4() { pos = (pos + 3) / 4 * 4; }
};

struct Resource {
    NameOrId type;
    NameOrId name;
    Bytes data;
};

constexpr std::uint16_t kRtBitmap = 2;
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtMenu = 4;
constexpr std::uint16_t kRtDialog = 5;
constexpr std::uint16_t kRtAccelerator = 9;
constexpr std::uint16_t kRtGroupIcon = 14;

std::vector<Resource> readRes(const Bytes& file, bool& ok) {
    std::vector<Resource> out;
    Reader r{file};
    while (r.ok && r.pos + 8 <= file.size()) {
        const std::size_t start = r.pos;
        const std::uint32_t dataSize = r.u32();
        const std::uint32_t headerSize = r.u32();
        Resource res;
        res.type = r.nameOrId();
        res.name = r.nameOrId();
        if (headerSize < 8 || start + headerSize + dataSize > file.size()) {
            ok = false;
            return out;
        }
        const std::size_t dataAt = start + headerSize;
        res.data.assign(file.begin() + static_cast<std::ptrdiff_t>(dataAt),
                        file.begin() + static_cast<std::ptrdiff_t>(dataAt + dataSize));
        r.pos = dataAt + dataSize;
        r.align4();
        // The file starts with an empty resource of type 0 that only marks
        // the format.
        if (!(res.type.isId && res.type.id == 0)) out.push_back(res);
    }
    ok = r.ok;
    return out;
}

const Resource* find(const std::vector<Resource>& all, std::uint16_t type,
                     const std::u16string& name) {
    for (const Resource& r : all) {
        if (r.type.isId && r.type.id == type && !r.name.isId && r.name.name == name) return &r;
    }
    return nullptr;
}

const Resource* findById(const std::vector<Resource>& all, std::uint16_t type, std::uint16_t id) {
    for (const Resource& r : all) {
        if (r.type.isId && r.type.id == type && r.name.isId && r.name.id == id) return &r;
    }
    return nullptr;
}

class CompiledResources : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::ifstream in(gResPath, std::ios::binary);
        file = Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        parsedOk = true;
        all = readRes(file, parsedOk);
    }
    void SetUp() override {
        ASSERT_FALSE(file.empty()) << "cannot read " << gResPath;
        ASSERT_TRUE(parsedOk) << gResPath << " is not a well-formed .res file";
    }
    static Bytes file;
    static bool parsedOk;
    static std::vector<Resource> all;
};

Bytes CompiledResources::file;
bool CompiledResources::parsedOk = false;
std::vector<Resource> CompiledResources::all;

// ---------------------------------------------------------------------------
// Names and ids.

// The program and this test agree on the command ids of the description.
static_assert(IDM_EXIT == 2);
static_assert(IDM_DATE == 40001 && IDM_FONT == 40002 && IDM_HELP_TOPICS == 40003);
static_assert(IDM_ABOUT == 40004);
static_assert(IDM_MODE_SIXDAY == 40005 && IDM_MODE_NINESTAR == 40006);
static_assert(IDM_MODE_MANSION27 == 40007 && IDM_MODE_MANSION28 == 40008);
static_assert(IDM_MODE_STEMBRANCH == 40009 && IDM_MODE_SOLARTERM == 40010);
static_assert(IDM_MODE_ALMANAC == 40022 && IDM_MODE_CHOKU == 40023 && IDM_MODE_KYUREKI == 40024);
static_assert(IDM_COPY_ACCEL == 40020 && IDM_COPY == 40021);
static_assert(IDM_RULE_SOLSTICE == 40030);
static_assert(IDM_HOLIDAYS_BY_LAW == 40040);
static_assert(IDC_YEAR_EDIT == 1000 && IDC_MONTH_EDIT == 1001);
static_assert(IDC_YEAR_LABEL == 2000 && IDC_YEAR_UNIT_LABEL == 2001);
static_assert(IDC_MONTH_UNIT_LABEL == 2002);
static_assert(IDC_YEAR_SPIN == 3000 && IDC_MONTH_SPIN == 3001);
static_assert(IDC_LIB_VERSION_LABEL == 50003 && IDC_LIB_VERSION == 50004);
static_assert(IDC_APP_VERSION == 50005 && IDC_APP_VERSION_LABEL == 50006);

TEST_F(CompiledResources, EveryResourceIsStoredUnderTheNameTheProgramLoads) {
    // Names are matched exactly: the loader upper-cases the name it is asked
    // for, so a resource stored under a lower-case or numbered name is lost.
    EXPECT_NE(find(all, kRtMenu, u"" TENVO_RES_MENU), nullptr);
    EXPECT_NE(find(all, kRtAccelerator, u"" TENVO_RES_ACCELERATORS), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"" TENVO_RES_DATE_DIALOG), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"" TENVO_RES_ABOUT_DIALOG), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"" TENVO_RES_SPLASH_DIALOG), nullptr);
    EXPECT_NE(find(all, kRtBitmap, u"" TENVO_RES_BITMAP), nullptr);
    EXPECT_NE(find(all, kRtGroupIcon, u"" TENVO_RES_ICON), nullptr);
    // And the names the header gives the program are the ones described.
    EXPECT_NE(find(all, kRtMenu, u"TMENU"), nullptr);
    EXPECT_NE(find(all, kRtAccelerator, u"TENVO_ACCELERATOR1"), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"IDD_DIALOG1"), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"ABOUT"), nullptr);
    EXPECT_NE(find(all, kRtDialog, u"IDD_DIALOG2"), nullptr);
    EXPECT_NE(find(all, kRtBitmap, u"BITMAP_1"), nullptr);
    EXPECT_NE(find(all, kRtGroupIcon, u"IDI_ICON1"), nullptr);
}

// ---------------------------------------------------------------------------
// Menu.

struct MenuItem {
    std::uint16_t flags = 0;
    std::uint16_t id = 0;
    std::u16string text;
    std::vector<MenuItem> items;
};

constexpr std::uint16_t kMfGrayed = 0x01;
constexpr std::uint16_t kMfDisabled = 0x02;
constexpr std::uint16_t kMfChecked = 0x08;
constexpr std::uint16_t kMfPopup = 0x10;
constexpr std::uint16_t kMfEnd = 0x80;

std::vector<MenuItem> readMenuItems(Reader& r) {
    std::vector<MenuItem> items;
    while (r.ok) {
        MenuItem item;
        item.flags = r.u16();
        if ((item.flags & kMfPopup) == 0) item.id = r.u16();
        item.text = r.sz();
        if ((item.flags & kMfPopup) != 0) item.items = readMenuItems(r);
        items.push_back(item);
        if ((item.flags & kMfEnd) != 0) break;
    }
    return items;
}

// The expected menu: a pop-up has id -1 and children; a separator has empty
// text and id 0.
struct Expected {
    const char* text;
    int id;
    std::vector<Expected> items;
};

void expectMenu(const std::vector<MenuItem>& got, const std::vector<Expected>& want,
                const std::string& where) {
    ASSERT_EQ(got.size(), want.size()) << where << ": number of items";
    for (std::size_t i = 0; i < want.size(); ++i) {
        const std::string at = where + " / " + (want[i].text[0] ? want[i].text : "separator");
        expectText(got[i].text, want[i].text, at);
        const bool popup = want[i].id < 0;
        EXPECT_EQ((got[i].flags & kMfPopup) != 0, popup) << at;
        if (!popup) {
            EXPECT_EQ(got[i].id, want[i].id) << at;
        }
        EXPECT_EQ(got[i].flags & (kMfGrayed | kMfDisabled | kMfChecked), 0) << at;
        if (popup) {
            expectMenu(got[i].items, want[i].items, at);
        }
    }
}

TEST_F(CompiledResources, MenuHasEveryItemTextAndCommand) {
    const Resource* menu = find(all, kRtMenu, u"TMENU");
    ASSERT_NE(menu, nullptr);
    Reader r{menu->data};
    EXPECT_EQ(r.u16(), 0) << "menu template version (a plain, not extended, menu)";
    EXPECT_EQ(r.u16(), 0) << "header size";
    const std::vector<MenuItem> top = readMenuItems(r);
    ASSERT_TRUE(r.ok) << "menu template runs past its data";
    EXPECT_EQ(r.pos, menu->data.size()) << "bytes after the last menu item";

    const std::vector<Expected> want = {
        {"&C状態切替",
         -1,
         {{"&C暦情報",
           -1,
           {{"&R六曜", 40005, {}},
            {"&E干支", 40009, {}},
            {"&N二十七宿", 40007, {}},
            {"&H二十八宿", 40008, {}},
            {"&Q九星", 40006, {}},
            {"&S二十四節気", 40010, {}},
            {"&K暦注", 40022, {}},
            {"&J十二直", 40023, {}},
            {"&Y旧暦", 40024, {}}}},
          {"&O暦の設定",
           -1,
           {{"&W冬至の月を十一月に", 40030, {}}, {"&L祝日法による祝日", 40040, {}}}},
          {"&D日付", 40001, {}},
          {"&Fﾌｫﾝﾄ", 40002, {}},
          {"&E終了", 2, {}}}},
        {"&E編集", -1, {{"&Cｺﾋﾟｰ     Ctrl+C", 40021, {}}}},
        {"&Hﾍﾙﾌﾟ", -1, {{"&Hﾄﾋﾟｯｸの検索", 40003, {}}, {"", 0, {}}, {"&Aﾊﾞｰｼﾞｮﾝ情報", 40004, {}}}},
    };
    expectMenu(top, want, "TMENU");
}

TEST_F(CompiledResources, HalfWidthKatakanaReachTheProgramAsSingleBytes) {
    // The exact Shift-JIS bytes of the two items most easily mistyped: the
    // half-width katakana are one byte each, and five spaces (not a tab)
    // stand before the key name.
    const Resource* menu = find(all, kRtMenu, u"TMENU");
    ASSERT_NE(menu, nullptr);
    Reader r{menu->data};
    r.pos = 4;
    const std::vector<MenuItem> top = readMenuItems(r);
    ASSERT_EQ(top.size(), 3u);
    ASSERT_EQ(top[1].items.size(), 1u);
    EXPECT_EQ(cp932(top[1].items[0].text).value_or(""),
              "&C\xba\xcb\xdf\xb0     Ctrl+C" /* &Cｺﾋﾟｰ     Ctrl+C */);
    ASSERT_EQ(top[0].items.size(), 5u);
    EXPECT_EQ(cp932(top[0].items[3].text).value_or(""), "&F\xcc\xab\xdd\xc4" /* &Fﾌｫﾝﾄ */);
}

// ---------------------------------------------------------------------------
// Accelerator.

TEST_F(CompiledResources, CtrlCIsOneAsciiAcceleratorWithoutMenuHighlight) {
    const Resource* acc = find(all, kRtAccelerator, u"TENVO_ACCELERATOR1");
    ASSERT_NE(acc, nullptr);
    ASSERT_EQ(acc->data.size(), 8u) << "exactly one 8-byte entry";
    Reader r{acc->data};
    const std::uint16_t flags = r.u16();
    const std::uint16_t key = r.u16();
    const std::uint16_t cmd = r.u16();
    constexpr std::uint16_t kVirtKey = 0x01;
    constexpr std::uint16_t kNoInvert = 0x02;
    constexpr std::uint16_t kShiftCtrlAlt = 0x04 | 0x08 | 0x10;
    constexpr std::uint16_t kLast = 0x80;
    EXPECT_EQ(flags & kVirtKey, 0) << "a character code, not a virtual key";
    EXPECT_NE(flags & kNoInvert, 0) << "must not highlight the menu";
    EXPECT_EQ(flags & kShiftCtrlAlt, 0) << "character 3 already is Ctrl+C";
    EXPECT_NE(flags & kLast, 0) << "the table's only entry ends it";
    EXPECT_EQ(key, 3);
    EXPECT_EQ(cmd, 40020);
}

// ---------------------------------------------------------------------------
// Dialogs (extended templates).

constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsThickFrame = 0x00040000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
constexpr std::uint32_t kDsModalFrame = 0x80;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kDsCenter = 0x800;
constexpr std::uint32_t kWsExTransparent = 0x20;
constexpr std::uint32_t kWsExToolWindow = 0x80;
constexpr std::uint32_t kEsAutoHScroll = 0x80;
constexpr std::uint32_t kSsTypeMask = 0x1F;
constexpr std::uint32_t kSsLeft = 0;
constexpr std::uint32_t kSsCenter = 1;
constexpr std::uint32_t kBsTypeMask = 0x0F;
constexpr std::uint32_t kBsPushButton = 0;
constexpr std::uint32_t kBsDefPushButton = 1;
constexpr std::uint32_t kUdsWrap = 0x01;
constexpr std::uint32_t kUdsSetBuddyInt = 0x02;
constexpr std::uint32_t kUdsAlignRight = 0x04;
constexpr std::uint32_t kUdsAlignLeft = 0x08;
constexpr std::uint32_t kUdsAutoBuddy = 0x10;
constexpr std::uint32_t kUdsArrowKeys = 0x20;
constexpr std::uint32_t kUdsNoThousands = 0x80;

constexpr std::uint16_t kClassButton = 0x80;
constexpr std::uint16_t kClassEdit = 0x81;
constexpr std::uint16_t kClassStatic = 0x82;

struct Control {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    NameOrId cls;
    NameOrId text;
};

struct Dialog {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    NameOrId menu;
    NameOrId cls;
    std::u16string caption;
    int pointSize = 0;
    int weight = 0;
    int italic = 0;
    int charset = 0;
    std::u16string face;
    std::vector<Control> controls;
};

std::optional<Dialog> readDialog(const Bytes& data) {
    Reader r{data};
    Dialog d;
    if (r.u16() != 1 || r.u16() != 0xFFFF) return std::nullopt;  // DLGTEMPLATEEX
    r.u32();                                                     // help id
    d.exStyle = r.u32();
    d.style = r.u32();
    const std::uint16_t count = r.u16();
    d.x = r.s16();
    d.y = r.s16();
    d.cx = r.s16();
    d.cy = r.s16();
    d.menu = r.nameOrId();
    d.cls = r.nameOrId();
    d.caption = r.sz();
    if ((d.style & kDsSetFont) != 0) {
        d.pointSize = r.u16();
        d.weight = r.u16();
        d.italic = r.u8();
        d.charset = r.u8();
        d.face = r.sz();
    }
    for (std::uint16_t i = 0; i < count && r.ok; ++i) {
        r.align4();
        Control c;
        r.u32();  // help id
        c.exStyle = r.u32();
        c.style = r.u32();
        c.x = r.s16();
        c.y = r.s16();
        c.cx = r.s16();
        c.cy = r.s16();
        c.id = r.u32();
        c.cls = r.nameOrId();
        c.text = r.nameOrId();
        const std::uint16_t extra = r.u16();
        r.pos += extra;
        d.controls.push_back(c);
    }
    if (!r.ok || r.pos > data.size()) return std::nullopt;
    return d;
}

std::optional<Dialog> dialogNamed(const std::vector<Resource>& all, const std::u16string& name) {
    const Resource* res = find(all, kRtDialog, name);
    if (res == nullptr) return std::nullopt;
    return readDialog(res->data);
}

bool hasAll(std::uint32_t style, std::uint32_t bits) { return (style & bits) == bits; }

std::u16string lower(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}

// One expected control: kind is the predefined class ordinal, or 0 for the
// up-down class; text nullptr for an edit (no text).
struct ExpectedControl {
    std::uint32_t id;
    std::uint16_t kind;
    const char* text;
    int x, y, cx, cy;
};

void expectControls(const Dialog& d, const std::vector<ExpectedControl>& want,
                    const std::string& where) {
    ASSERT_EQ(d.controls.size(), want.size()) << where;
    for (std::size_t i = 0; i < want.size(); ++i) {
        const Control& c = d.controls[i];
        const ExpectedControl& w = want[i];
        const std::string at = where + " control " + std::to_string(w.id);
        EXPECT_EQ(c.id, w.id) << where << " control #" << i;
        if (w.kind != 0) {
            EXPECT_TRUE(c.cls.isId && c.cls.id == w.kind) << at << ": class";
        } else {
            EXPECT_FALSE(c.cls.isId) << at;
            EXPECT_EQ(lower(c.cls.name), u"msctls_updown32") << at << ": class";
        }
        if (w.text != nullptr) {
            EXPECT_FALSE(c.text.isId) << at;
            expectText(c.text.name, w.text, at);
        } else {
            EXPECT_TRUE(!c.text.isId && c.text.name.empty()) << at << ": edit starts empty";
        }
        EXPECT_EQ(c.x, w.x) << at;
        EXPECT_EQ(c.y, w.y) << at;
        EXPECT_EQ(c.cx, w.cx) << at;
        EXPECT_EQ(c.cy, w.cy) << at;
        EXPECT_TRUE(hasAll(c.style, kWsChild | kWsVisible)) << at;
    }
}

TEST_F(CompiledResources, DateDialogFrameCaptionAndFont) {
    const auto d = dialogNamed(all, u"IDD_DIALOG1");
    ASSERT_TRUE(d.has_value()) << "missing or malformed";
    EXPECT_TRUE(hasAll(d->style, kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu));
    EXPECT_EQ(d->style & (kWsThickFrame | kWsMaximizeBox | kWsChild), 0u) << "fixed-size pop-up";
    EXPECT_EQ(d->cx, 138);
    EXPECT_EQ(d->cy, 55);
    expectText(d->caption, "年月ﾃﾞｰﾀ入力", "IDD_DIALOG1 caption");
    EXPECT_TRUE(hasAll(d->style, kDsSetFont));
    EXPECT_EQ(d->pointSize, 10);
    expectText(d->face, "ＭＳ 明朝", "IDD_DIALOG1 font");
    EXPECT_TRUE(d->menu.isId ? d->menu.id == 0 : d->menu.name.empty()) << "no menu";
}

TEST_F(CompiledResources, DateDialogControls) {
    const auto d = dialogNamed(all, u"IDD_DIALOG1");
    ASSERT_TRUE(d.has_value());
    expectControls(*d,
                   {
                       {2000, kClassStatic, "西暦", 4, 9, 18, 8},
                       {1000, kClassEdit, nullptr, 29, 7, 23, 12},
                       {3000, 0, "Spin1", 53, 8, 6, 11},
                       {2001, kClassStatic, "年", 67, 9, 8, 8},
                       {1001, kClassEdit, nullptr, 85, 6, 21, 12},
                       {3001, 0, "Spin2", 107, 8, 9, 10},
                       {2002, kClassStatic, "月", 120, 8, 8, 8},
                       {1, kClassButton, "OK", 21, 31, 40, 14},
                       {2, kClassButton, "CANCEL", 76, 31, 39, 14},
                   },
                   "IDD_DIALOG1");
    ASSERT_EQ(d->controls.size(), 9u);
    for (std::size_t i : {0u, 3u, 6u}) {
        EXPECT_EQ(d->controls[i].style & kSsTypeMask, kSsCenter) << "label " << d->controls[i].id;
    }
    for (std::size_t i : {1u, 4u}) {
        EXPECT_TRUE(hasAll(d->controls[i].style, kEsAutoHScroll | kWsBorder | kWsTabStop))
            << "edit " << d->controls[i].id;
    }
    // Each up-down comes right after the edit it attaches to (auto buddy
    // takes the previous control in the tab order).
    for (std::size_t i : {2u, 5u}) {
        const std::uint32_t s = d->controls[i].style;
        EXPECT_TRUE(
            hasAll(s, kUdsAutoBuddy | kUdsSetBuddyInt | kUdsArrowKeys | kUdsWrap | kUdsNoThousands))
            << "up-down " << d->controls[i].id;
        EXPECT_EQ(s & (kUdsAlignRight | kUdsAlignLeft), 0u)
            << "up-down " << d->controls[i].id << " keeps its place beside the edit";
        EXPECT_EQ(d->controls[i - 1].id, d->controls[i].id == 3000 ? 1000u : 1001u);
    }
    EXPECT_EQ(d->controls[7].style & kBsTypeMask, kBsDefPushButton) << "OK is the default";
    EXPECT_EQ(d->controls[8].style & kBsTypeMask, kBsPushButton);
    EXPECT_TRUE(hasAll(d->controls[7].style, kWsTabStop));
    EXPECT_TRUE(hasAll(d->controls[8].style, kWsTabStop));
}

TEST_F(CompiledResources, AboutBoxFrameFontAndControls) {
    const auto d = dialogNamed(all, u"ABOUT");
    ASSERT_TRUE(d.has_value()) << "missing or malformed";
    EXPECT_TRUE(hasAll(d->style, kDsModalFrame | kWsPopup));
    EXPECT_NE(d->style & kWsCaption, kWsCaption) << "no caption";
    EXPECT_TRUE(d->caption.empty());
    EXPECT_EQ(d->x, 41);
    EXPECT_EQ(d->y, 19);
    EXPECT_EQ(d->cx, 183);
    EXPECT_EQ(d->cy, 194);
    EXPECT_EQ(d->pointSize, 10);
    expectText(d->face, "ＭＳ 明朝", "ABOUT font");
    expectControls(*d,
                   {
                       {1, kClassButton, "了解", 142, 165, 32, 14},
                       {50006, kClassStatic, "Mivaro      Ver.", 3, 158, 92, 8},
                       {50005, kClassStatic, "0.90", 107, 158, 17, 8},
                       {50003, kClassStatic, "使用中のVORANE2  Ver.", 2, 175, 92, 8},
                       {50004, kClassStatic, "0.00", 107, 174, 25, 8},
                   },
                   "ABOUT");
    ASSERT_EQ(d->controls.size(), 5u);
    EXPECT_EQ(d->controls[0].style & kBsTypeMask, kBsPushButton);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(d->controls[i].style & kSsTypeMask, kSsLeft) << d->controls[i].id;
        EXPECT_TRUE(hasAll(d->controls[i].exStyle, kWsExTransparent)) << d->controls[i].id;
    }
}

TEST_F(CompiledResources, OpeningPictureIsACentredCaptionlessToolWindow) {
    const auto d = dialogNamed(all, u"IDD_DIALOG2");
    ASSERT_TRUE(d.has_value()) << "missing or malformed";
    EXPECT_TRUE(hasAll(d->style, kDsModalFrame | kWsPopup | kDsCenter));
    EXPECT_NE(d->style & kWsCaption, kWsCaption) << "no caption";
    EXPECT_TRUE(hasAll(d->exStyle, kWsExToolWindow));
    EXPECT_EQ(d->cx, 183);
    EXPECT_EQ(d->cy, 161);
    EXPECT_EQ(d->pointSize, 9);
    expectText(d->face, "ＭＳ Ｐゴシック", "IDD_DIALOG2 font");
    EXPECT_TRUE(d->controls.empty());
}

TEST_F(CompiledResources, DialogFontsAskForTheShiftJisCharacterSet) {
    for (const char16_t* name : {u"IDD_DIALOG1", u"ABOUT", u"IDD_DIALOG2"}) {
        const auto d = dialogNamed(all, name);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->charset, 128) << readable(name);
        EXPECT_EQ(d->italic, 0) << readable(name);
    }
}

// ---------------------------------------------------------------------------
// Pictures: the compiled bitmap and icons are the committed files.

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(CompiledResources, BitmapIsTheCommittedPictureWithoutItsFileHeader) {
    const Resource* bmp = find(all, kRtBitmap, u"BITMAP_1");
    ASSERT_NE(bmp, nullptr);
    const Bytes committed = readFile(std::string(PICTURES_DIR) + "/bitmap_1.bmp");
    ASSERT_GT(committed.size(), 14u);
    EXPECT_TRUE(bmp->data == Bytes(committed.begin() + 14, committed.end()));
}

TEST_F(CompiledResources, IconGroupListsBothImagesAndEachIsStored) {
    const Resource* group = find(all, kRtGroupIcon, u"IDI_ICON1");
    ASSERT_NE(group, nullptr);
    Reader r{group->data};
    EXPECT_EQ(r.u16(), 0);
    EXPECT_EQ(r.u16(), 1) << "icon group";
    const std::uint16_t count = r.u16();
    ASSERT_EQ(count, 2);
    const Bytes ico = readFile(std::string(PICTURES_DIR) + "/tenvo.ico");
    ASSERT_GE(ico.size(), 6u + 16u * 2u);
    const unsigned sizes[] = {32, 16};
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t width = r.u8();
        const std::uint8_t height = r.u8();
        const std::uint8_t colours = r.u8();
        r.u8();
        r.u16();  // planes
        const std::uint16_t bits = r.u16();
        const std::uint32_t bytes = r.u32();
        const std::uint16_t id = r.u16();
        EXPECT_EQ(width, sizes[i]);
        EXPECT_EQ(height, sizes[i]);
        EXPECT_EQ(colours, 16);
        EXPECT_EQ(bits, 4);
        const Resource* image = findById(all, kRtIcon, id);
        ASSERT_NE(image, nullptr) << "icon image " << id;
        EXPECT_EQ(image->data.size(), bytes);
        // The image is the file's image i, byte for byte.
        Reader dir{ico};
        dir.pos = 6 + 16 * i + 8;
        const std::uint32_t size = dir.u32();
        const std::uint32_t offset = dir.u32();
        ASSERT_LE(std::size_t{offset} + size, ico.size());
        EXPECT_TRUE(image->data == Bytes(ico.begin() + offset, ico.begin() + offset + size));
    }
    ASSERT_TRUE(r.ok);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <tenvo.res> [gtest options]\n", argv[0]);
        return 2;
    }
    gResPath = argv[1];
    return RUN_ALL_TESTS();
}

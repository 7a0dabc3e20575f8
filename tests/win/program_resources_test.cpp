// The program file's resources, read back by explicit language: every text, the prompt's dialog
// template field by field, the icons and the launch sound.
#include "child_process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The resource types by number: the ANSI build's RT_ names are narrow.
const wchar_t* const StringType = MAKEINTRESOURCEW(6);
const wchar_t* const DialogType = MAKEINTRESOURCEW(5);
const wchar_t* const IconGroupType = MAKEINTRESOURCEW(14);
const wchar_t* const VersionType = MAKEINTRESOURCEW(16);
const wchar_t* const ManifestType = MAKEINTRESOURCEW(24);

const WORD English = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

class ProgramFile : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hModule = ::LoadLibraryExA(ProgramBeside("LumoraReady.exe").c_str(), NULL,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() { ::FreeLibrary(s_hModule); }

    // The bytes of one resource in one language; empty when there is none.
    static std::vector<BYTE> Resource(const wchar_t* type, const wchar_t* name, WORD language)
    {
        HRSRC hInfo = ::FindResourceExW(s_hModule, type, name, language);
        if (hInfo == NULL)
            return {};
        const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(s_hModule, hInfo)));
        return std::vector<BYTE>(data, data + ::SizeofResource(s_hModule, hInfo));
    }

    static std::wstring String(UINT id, WORD language)
    {
        const std::vector<BYTE> block = Resource(StringType, MAKEINTRESOURCEW(id / 16 + 1), language);
        size_t offset = 0;
        for (UINT index = 0; offset + 2 <= block.size(); ++index) {
            WORD length;
            std::memcpy(&length, &block[offset], 2);
            offset += 2;
            if (index == id % 16)
                return std::wstring(reinterpret_cast<const wchar_t*>(&block[offset]), length);
            offset += 2 * length;
        }
        return L"(missing)";
    }

    static std::vector<WORD> Languages(const wchar_t* type, const wchar_t* name)
    {
        std::vector<WORD> languages;
        ::EnumResourceLanguagesW(s_hModule, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }

    static HMODULE s_hModule;
};

HMODULE ProgramFile::s_hModule = NULL;

// Reads a dialog template in order, as the dialog manager does.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    template <class T>
    T Take()
    {
        T value = T();
        if (m_offset + sizeof(T) <= m_bytes.size())
            std::memcpy(&value, &m_bytes[m_offset], sizeof(T));
        m_offset += sizeof(T);
        return value;
    }
    // A name or an ordinal: an ordinal reads as "#<number>".
    std::wstring NameOrOrdinal()
    {
        const WORD first = Take<WORD>();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Take<WORD>());
        std::wstring text;
        for (WORD c = first; c != 0; c = Take<WORD>())
            text += static_cast<wchar_t>(c);
        return text;
    }
    void AlignToDword() { m_offset = (m_offset + 3) & ~size_t(3); }
    bool AtEnd() const { return m_offset >= m_bytes.size(); }

private:
    const std::vector<BYTE>& m_bytes;
    size_t m_offset = 0;
};

struct PromptTemplate {
    WORD dlgVer, signature;
    DWORD helpId, exStyle, style;
    WORD items;
    short x, y, cx, cy;
    std::wstring menu, windowClass, title;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::wstring typeface;
    DWORD itemHelpId, itemExStyle, itemStyle;
    short itemX, itemY, itemCx, itemCy;
    DWORD itemId;
    std::wstring itemClass, itemTitle;
    WORD extraCount;
    bool endsThere;
};

PromptTemplate ReadPromptTemplate(const std::vector<BYTE>& bytes)
{
    TemplateReader in(bytes);
    PromptTemplate t;
    t.dlgVer = in.Take<WORD>();
    t.signature = in.Take<WORD>();
    t.helpId = in.Take<DWORD>();
    t.exStyle = in.Take<DWORD>();
    t.style = in.Take<DWORD>();
    t.items = in.Take<WORD>();
    t.x = in.Take<short>();
    t.y = in.Take<short>();
    t.cx = in.Take<short>();
    t.cy = in.Take<short>();
    t.menu = in.NameOrOrdinal();
    t.windowClass = in.NameOrOrdinal();
    t.title = in.NameOrOrdinal();
    t.pointSize = in.Take<WORD>();
    t.weight = in.Take<WORD>();
    t.italic = in.Take<BYTE>();
    t.charset = in.Take<BYTE>();
    t.typeface = in.NameOrOrdinal();
    in.AlignToDword();
    t.itemHelpId = in.Take<DWORD>();
    t.itemExStyle = in.Take<DWORD>();
    t.itemStyle = in.Take<DWORD>();
    t.itemX = in.Take<short>();
    t.itemY = in.Take<short>();
    t.itemCx = in.Take<short>();
    t.itemCy = in.Take<short>();
    t.itemId = in.Take<DWORD>();
    t.itemClass = in.NameOrOrdinal();
    t.itemTitle = in.NameOrOrdinal();
    t.extraCount = in.Take<WORD>();
    in.AlignToDword();
    t.endsThere = in.AtEnd();
    return t;
}

}  // namespace

TEST_F(ProgramFile, EveryTextInEnglishAndJapanese)
{
    ASSERT_NE(s_hModule, (HMODULE)NULL);
    const std::wstring about = L"Lumora Ready - 3.0.00\nCopyright (C) 2026 Vexa Corporation. All rights reserved.";
    const struct {
        UINT id;
        const wchar_t* english;
        const wchar_t* japanese;
    } strings[] = {
        { 102, L"Press down to start %s!!", L"さらにボタンを押すと\n%s を起動します" },
        { 103, L"%s is starting...", L"%s の起動中です\nしばらくお待ちください" },
        { 104, about.c_str(), about.c_str() },
        { 105, L"Some required components may be busy or missing.", L"必要な DLL が見つかりません。" },
        { 106, L"Lumora", L"Lumora" },
        { 107, L"Failed to launch %s.", L"%s の起動に\n失敗しました" },
        { 108, L"Failed to initialize OLE. Check that the version of the OLE library is correct.",
          L"OLE の初期化に失敗しました。OLE ﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。 " },
    };
    for (const auto& s : strings) {
        EXPECT_EQ(String(s.id, English), s.english) << "string " << s.id << " in English";
        EXPECT_EQ(String(s.id, Japanese), s.japanese) << "string " << s.id << " in Japanese";
    }
}

TEST_F(ProgramFile, PromptTemplateFieldByFieldInBothLanguages)
{
    for (WORD language : { English, Japanese }) {
        SCOPED_TRACE(language == English ? "English" : "Japanese");
        const std::vector<BYTE> bytes = Resource(DialogType, MAKEINTRESOURCEW(129), language);
        ASSERT_FALSE(bytes.empty());
        const PromptTemplate t = ReadPromptTemplate(bytes);
        EXPECT_EQ(t.dlgVer, 1);
        EXPECT_EQ(t.signature, 0xFFFF);
        EXPECT_EQ(t.helpId, 0u);
        EXPECT_EQ(t.exStyle, 0x80u);
        EXPECT_EQ(t.style, 0x80C000C0u) << "WS_POPUP, WS_CAPTION, DS_MODALFRAME, DS_SETFONT and nothing else";
        EXPECT_EQ(t.items, 1);
        EXPECT_EQ(t.x, 0);
        EXPECT_EQ(t.y, 0);
        EXPECT_EQ(t.cx, 156);
        EXPECT_EQ(t.cy, 42);
        EXPECT_EQ(t.menu, L"");
        EXPECT_EQ(t.windowClass, L"");
        EXPECT_EQ(t.title, L"Lumora Ready");
        EXPECT_EQ(t.pointSize, language == English ? 8 : 9);
        EXPECT_EQ(t.weight, 0);
        EXPECT_EQ(t.italic, 0);
        EXPECT_EQ(t.charset, 1);
        EXPECT_EQ(t.typeface, language == English ? L"MS Sans Serif" : L"ＭＳ Ｐゴシック");
        EXPECT_EQ(t.itemHelpId, 0u);
        EXPECT_EQ(t.itemExStyle, 0u);
        EXPECT_EQ(t.itemStyle, 0x50000000u) << "WS_CHILD, WS_VISIBLE, SS_LEFT and nothing else";
        EXPECT_EQ(t.itemX, 36);
        EXPECT_EQ(t.itemY, 7);
        EXPECT_EQ(t.itemCx, 113);
        EXPECT_EQ(t.itemCy, 26);
        EXPECT_EQ(t.itemId, 1000u);
        EXPECT_EQ(t.itemClass, L"#130") << "the static class by its ordinal 0x0082";
        EXPECT_EQ(t.itemTitle, L"");
        EXPECT_EQ(t.extraCount, 0);
        EXPECT_TRUE(t.endsThere);
    }
}

TEST_F(ProgramFile, LaunchSoundIsAMonoEightBitPcmWaveOf1839SamplesStoredOnceInJapanese)
{
    EXPECT_EQ(Languages(L"WAVE", L"LAUNCHWAVE"), std::vector<WORD>{ Japanese });
    const std::vector<BYTE> wave = Resource(L"WAVE", L"LAUNCHWAVE", Japanese);
    ASSERT_GE(wave.size(), 44u);
    auto dword = [&](size_t at) { DWORD v; std::memcpy(&v, &wave[at], 4); return v; };
    auto word = [&](size_t at) { WORD v; std::memcpy(&v, &wave[at], 2); return v; };
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(dword(4), wave.size() - 8);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(dword(16), 16u);
    EXPECT_EQ(word(20), 1) << "PCM";
    EXPECT_EQ(word(22), 1) << "one channel";
    EXPECT_EQ(dword(24), 11025u) << "samples a second";
    EXPECT_EQ(dword(28), 11025u) << "bytes a second";
    EXPECT_EQ(word(32), 1) << "block align";
    EXPECT_EQ(word(34), 8) << "bits a sample";
    EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
    EXPECT_EQ(dword(40), 1839u);
    EXPECT_GE(wave.size(), 44u + 1839u);
}

TEST_F(ProgramFile, PromptIconsAreOne32By32SixteenColourImageEachStoredOnceInJapanese)
{
    for (WORD group : { 130, 131, 132 }) {
        SCOPED_TRACE("icon group " + std::to_string(group));
        EXPECT_EQ(Languages(IconGroupType, MAKEINTRESOURCEW(group)), std::vector<WORD>{ Japanese });
        const std::vector<BYTE> dir = Resource(IconGroupType, MAKEINTRESOURCEW(group), Japanese);
        ASSERT_EQ(dir.size(), 6u + 14u) << "a header and one entry";
        EXPECT_EQ(dir[4], 1) << "one image";
        EXPECT_EQ(dir[6], 32) << "width";
        EXPECT_EQ(dir[7], 32) << "height";
        EXPECT_EQ(dir[8], 16) << "colours";
        WORD bitCount;
        std::memcpy(&bitCount, &dir[12], 2);
        EXPECT_EQ(bitCount, 4);
    }
}

TEST_F(ProgramFile, ApplicationIconHasItsThreeImages)
{
    const std::vector<BYTE> dir = Resource(IconGroupType, MAKEINTRESOURCEW(128), English);
    ASSERT_EQ(dir.size(), 6u + 3 * 14u);
    EXPECT_EQ(dir[4], 3) << "three images";
    const struct {
        BYTE size;
        BYTE colours;
        WORD bits;
    } images[] = { { 32, 16, 4 }, { 16, 16, 4 }, { 48, 0, 8 } };
    for (int i = 0; i < 3; ++i) {
        const BYTE* entry = &dir[6 + 14 * i];
        WORD bits;
        std::memcpy(&bits, entry + 6, 2);
        EXPECT_EQ(entry[0], images[i].size) << "image " << i;
        EXPECT_EQ(entry[1], images[i].size) << "image " << i;
        EXPECT_EQ(entry[2], images[i].colours) << "image " << i << ": 0 stands for 256";
        EXPECT_EQ(bits, images[i].bits) << "image " << i;
    }
}

TEST_F(ProgramFile, VersionRecordAndManifest)
{
    const std::vector<BYTE> version = Resource(VersionType, MAKEINTRESOURCEW(1), English);
    ASSERT_GE(version.size(), 92u);
    // VS_VERSIONINFO: length, value length, type, L"VS_VERSION_INFO", padding, VS_FIXEDFILEINFO.
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(&version[6])), L"VS_VERSION_INFO");
    DWORD fixed[4];
    std::memcpy(fixed, &version[40], sizeof fixed);
    EXPECT_EQ(fixed[0], 0xFEEF04BDu) << "the fixed record's signature";
    EXPECT_EQ(fixed[2], 0x00030000u) << "file version 3.0";
    EXPECT_EQ(fixed[3], 0x00000000u) << "file version .0.0";

    const std::vector<BYTE> manifest = Resource(ManifestType, MAKEINTRESOURCEW(1), English);
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    EXPECT_EQ(text.find("dpiAware"), std::string::npos) << "not DPI aware";
}

TEST_F(ProgramFile, EveryIconImageBelongsToOneGroupInOneLanguage)
{
    std::vector<WORD> images;
    for (WORD group : { 128, 130, 131, 132 }) {
        for (WORD language : Languages(IconGroupType, MAKEINTRESOURCEW(group))) {
            const std::vector<BYTE> dir = Resource(IconGroupType, MAKEINTRESOURCEW(group), language);
            for (size_t entry = 6; entry + 14 <= dir.size(); entry += 14) {
                WORD image;
                std::memcpy(&image, &dir[entry + 12], 2);
                images.push_back(image);
            }
        }
    }
    ASSERT_EQ(images.size(), 6u);
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE("icon image " + std::to_string(images[i]));
        EXPECT_EQ(Languages(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(images[i])).size(), 1u)
            << "an image number in two languages: a group would show another group's picture";
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << "two groups share an image";
    }
}

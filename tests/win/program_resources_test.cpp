// The program file as users meet it without running it: its texts in both languages, the prompt
// dialog each language builds, the icons the shell and the prompt show, the launch sound, and the
// version record that the installer and the program list read.
#include "child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const WORD English = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
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

    // A string by explicit language: under an English UI the platform's lookup gives English only.
    static std::wstring String(UINT id, WORD language)
    {
        // A block of 16 strings, each its length in characters and then its characters.
        const std::vector<BYTE> bytes = Resource(MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);
        const std::wstring block(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
        size_t at = 0;
        for (UINT index = 0; index < id % 16 && at < block.size(); ++index)
            at += 1 + block[at];
        return at < block.size() ? block.substr(at + 1, block[at]) : L"(missing)";
    }

    // The colour bits of an icon as the system loads it at size x size.
    static std::vector<DWORD> IconPixels(WORD group, int size)
    {
        HICON hIcon = static_cast<HICON>(::LoadImageA(s_hModule, MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, 0));
        ICONINFO info = {};
        if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
            return {};
        std::vector<DWORD> pixels(size * size);
        ::GetBitmapBits(info.hbmColor, static_cast<LONG>(pixels.size() * sizeof(DWORD)), pixels.data());
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(hIcon);
        return pixels;
    }

    static HMODULE s_hModule;
};

HMODULE ProgramFile::s_hModule = NULL;

}  // namespace

// The texts that no test of the running windows shows in both languages (the prompt's own are
// checked where the event window loads them): the about text and the failures' boxes.
TEST_F(ProgramFile, AboutAndFailureTextsInEnglishAndJapanese)
{
    ASSERT_NE(s_hModule, (HMODULE)NULL);
    const std::wstring about = L"Lumora Ready - 3.0.00\nCopyright (C) 2026 Vexa Corporation. All rights reserved.";
    const struct { UINT id; const wchar_t* english; const wchar_t* japanese; } strings[] = {
        { 104, about.c_str(), about.c_str() },
        { 105, L"Some required components may be busy or missing.", L"必要な DLL が見つかりません。" },
        { 108, L"Failed to initialize OLE. Check that the version of the OLE library is correct.",
          L"OLE の初期化に失敗しました。OLE ﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。 " },
    };
    for (const auto& s : strings) {
        EXPECT_EQ(String(s.id, English), s.english) << "string " << s.id << " in English";
        EXPECT_EQ(String(s.id, Japanese), s.japanese) << "string " << s.id << " in Japanese";
    }
}

// The Application log shows each of the program's events with its text from the program file, the
// event's strings in the places of %1, %2 and %3.
TEST_F(ProgramFile, EventTextsWithTheirStrings)
{
    const DWORD_PTR strings[] = { reinterpret_cast<DWORD_PTR>("<1>"), reinterpret_cast<DWORD_PTR>("<2>"),
                                  reinterpret_cast<DWORD_PTR>("<3>") };
    const struct { DWORD id; const char* start; } events[] = {
        { 0xC00003E9, "Lumora Ready (<1>) did not start: neither the firmware event service library nor the" },
        { 0xC00003EA, "Lumora Ready (<1>) did not start: OLE could not be initialized on its thread. The user was" },
        { 0x800003EB, "The capture driver library <1> could not be loaded (error <2>), so Lumora Ready hears no" },
        { 0x400003EC, "The registry names no capture driver library, so Lumora Ready hears no camera button" },
        { 0x800003ED, "The firmware event service library <1> could not be loaded (error <2>), so Lumora Ready" },
        { 0x400003EE, "The registry names no firmware event service library, so Lumora Ready hears no camera" },
        { 0xC00003EF, "Lumora Ready (<1>) did not start: its hidden main window could not be created (error <2>)." },
        { 0xC00003F0, "Lumora Ready (<1>) did not start: its prompt window could not be created (error <2>)." },
        { 0x800003F1, "The library <1> refused to deliver camera button events: its entry <2> answered <3>. Lumora" },
        { 0x800003F2, "The library <1> does not export <2>, so Lumora Ready hears no camera button through it." },
        { 0x800003F3, "The registry value <2> of <1> names no library that Lumora Ready can load: its type is <3>" },
    };
    for (const auto& event : events) {
        char text[1024] = {};
        ::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, s_hModule, event.id, English,
                         text, sizeof text, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(strings)));
        EXPECT_EQ(std::string(text).substr(0, strlen(event.start)), event.start) << std::hex << event.id;
    }
}

// The prompt as each language's template builds it: titled, without a close box or a taskbar
// button, in that language's font, its one text control right of the icon button's room, showing an
// ampersand as it is.
TEST_F(ProgramFile, PromptDialogOfEachLanguage)
{
    for (WORD language : { English, Japanese }) {
        SCOPED_TRACE(language == English ? "English" : "Japanese");
        const std::vector<BYTE> bytes = Resource(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(129), language);
        ASSERT_FALSE(bytes.empty());
        HWND hDlg = ::CreateDialogIndirectParamW(::GetModuleHandleA(NULL),
                                                 reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), NULL, QuietDialog, 0);
        ASSERT_NE(hDlg, (HWND)NULL);
        wchar_t title[32] = {};
        ::GetWindowTextW(hDlg, title, 32);
        EXPECT_STREQ(title, L"Lumora Ready");
        const LONG style = ::GetWindowLongA(hDlg, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION);
        EXPECT_NE(::GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

        LOGFONTW font = {};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hDlg, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, language == English ? L"MS Sans Serif" : L"ＭＳ Ｐゴシック");
        HDC hdc = ::GetDC(NULL);
        EXPECT_EQ(font.lfHeight, -::MulDiv(language == English ? 8 : 9, ::GetDeviceCaps(hdc, LOGPIXELSY), 72));
        ::ReleaseDC(NULL, hdc);

        HWND hText = ::GetDlgItem(hDlg, 1000);
        ASSERT_NE(hText, (HWND)NULL);
        EXPECT_EQ(::GetWindow(::GetWindow(hDlg, GW_CHILD), GW_HWNDNEXT), (HWND)NULL) << "one control";
        char className[16] = {};
        ::GetClassNameA(hText, className, sizeof className);
        EXPECT_STREQ(className, "Static");
        EXPECT_EQ(::GetWindowLongA(hText, GWL_STYLE), 0x50000080) << "visible, left-aligned, SS_NOPREFIX";
        RECT client, text;
        ::GetClientRect(hDlg, &client);
        ::GetWindowRect(hText, &text);
        ::MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT*>(&text), 2);
        EXPECT_GT(text.left, 32) << "room for the icon button";
        EXPECT_LE(text.right, client.right);
        EXPECT_LE(text.bottom, client.bottom);
        ::DestroyWindow(hDlg);
    }
}

// The shell shows the program's icon at 16, 32 and 48 pixels, the prompt its three at 32, 48 and 64
// (96, 144 and 192 DPI): each loads at its size, and no two show the same picture. Each size has an
// image drawn for it; the prompt's 32 keep their 16 colours, its larger ones have soft edges.
TEST_F(ProgramFile, EveryIconShowsAPictureOfItsOwn)
{
    std::vector<std::vector<DWORD>> pictures;
    for (int size : { 32, 48, 64 })
        for (WORD group : { 128, 130, 131, 132 }) {
            pictures.push_back(IconPixels(group, size));
            EXPECT_FALSE(pictures.back().empty()) << "icon " << group << " at " << size;
        }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << "icons " << i << " and " << j;
    const struct { WORD group; int size; WORD bits; } images[] = {
        { 128, 16, 4 }, { 128, 32, 4 }, { 128, 48, 8 }, { 130, 32, 4 }, { 130, 48, 32 }, { 130, 64, 32 },
        { 131, 32, 4 }, { 131, 48, 32 }, { 131, 64, 32 }, { 132, 32, 4 }, { 132, 48, 32 }, { 132, 64, 32 },
    };
    for (const auto& image : images) {
        SCOPED_TRACE("icon " + std::to_string(image.group) + " at " + std::to_string(image.size));
        const WORD language = image.group == 128 ? English : Japanese;  // the prompt's are kept once, as Japanese
        const std::vector<BYTE> group = Resource(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(image.group), language);
        ASSERT_FALSE(group.empty());
        const int id = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()), TRUE, image.size, image.size, 0);
        const std::vector<BYTE> bitmap = Resource(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id), language);
        ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
        EXPECT_EQ(header->biWidth, image.size);
        EXPECT_EQ(header->biBitCount, image.bits);
        const size_t end = std::min<size_t>(bitmap.size(), header->biSize + 4 * image.size * image.size);
        bool soft = false;
        for (size_t at = header->biSize + 3; header->biBitCount == 32 && at < end; at += 4)
            soft |= bitmap[at] % 255 != 0;
        EXPECT_EQ(soft, image.bits == 32) << "partly transparent pixels";
    }
}

// Found as the program's PlaySound finds it, whatever the UI language: a PCM wave whose samples
// are all there.
TEST_F(ProgramFile, LaunchSoundIsAWholePcmWave)
{
    HRSRC hInfo = ::FindResourceA(s_hModule, "LAUNCHWAVE", "WAVE");
    ASSERT_NE(hInfo, (HRSRC)NULL);
    const BYTE* wave = static_cast<const BYTE*>(::LockResource(::LoadResource(s_hModule, hInfo)));
    const DWORD size = ::SizeofResource(s_hModule, hInfo);
    ASSERT_GE(size, 44u);
    auto dword = [&](size_t at) { DWORD v; std::memcpy(&v, wave + at, 4); return v; };
    auto word = [&](size_t at) { WORD v; std::memcpy(&v, wave + at, 2); return v; };
    EXPECT_EQ(std::string(wave, wave + 4) + std::string(wave + 8, wave + 16), "RIFFWAVEfmt ");
    EXPECT_EQ(word(20), 1) << "PCM";
    EXPECT_EQ(std::string(wave + 36, wave + 40), "data");
    EXPECT_GT(dword(40), 0u);
    EXPECT_LE(44u + dword(40), size);
}

// What the installer copies into the program list, and what the file's properties show.
TEST(ProgramFileVersion, NamesAndVersionInEveryLanguage)
{
    const std::string program = ProgramBeside("LumoraReady.exe");
    std::vector<BYTE> record(::GetFileVersionInfoSizeA(program.c_str(), NULL));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u) << "3.0, compared by an upgrade";
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    WORD* translations = nullptr;
    ASSERT_TRUE(::VerQueryValueA(record.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                                 &size));
    ASSERT_EQ(size, 8u) << "English and Japanese";
    for (UINT i = 0; i < 2; ++i) {
        char block[32];
        snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", translations[2 * i], translations[2 * i + 1]);
        auto value = [&](const char* name) {
            char* text = nullptr;
            return ::VerQueryValueA(record.data(), (block + std::string(name)).c_str(), reinterpret_cast<void**>(&text),
                                    &size) ? std::string(text) : std::string("(missing)");
        };
        SCOPED_TRACE(block);
        EXPECT_EQ(value("FileDescription"), "Lumora Ready");
        EXPECT_EQ(value("CompanyName"), "Vexa Corporation");
        EXPECT_EQ(value("ProductVersion"), "3.0.00");
        EXPECT_EQ(value("LegalCopyright"), "Copyright (C) 2026 Vexa Corporation. All rights reserved.");
        EXPECT_EQ(value("OriginalFilename"), "LumoraReady.exe");
    }
}

// Started by any user without a prompt for rights, and scaling itself to each monitor, or to the
// system's DPI where the system knows no per-monitor scale.
TEST_F(ProgramFile, ManifestAsksForNoRightsAndPerMonitorScaling)
{
    const std::vector<BYTE> manifest = Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), English);
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    EXPECT_NE(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"),
              std::string::npos);
    EXPECT_NE(text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
                        "PerMonitor</dpiAwareness>"),
              std::string::npos);
}

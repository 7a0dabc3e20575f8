// The registry settings store against the real registry: per-user before machine-wide, the
// name match, the decoding of any stored type, and the key chain that a write makes.
#include "app/start_up_settings.h"
#include "settings/reg_settings.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each test works under a company of its own, removed before and after, in both roots.
class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_company = "Lumora Settings Test " + std::to_string(::GetCurrentProcessId());
        m_key = "Software\\" + m_company + "\\Product\\Component";
        RemoveAll();
        m_store.Set(m_company.c_str(), "Product", "Component");
    }
    void TearDown() override { RemoveAll(); }
    void RemoveAll()
    {
        RemoveKeyTree(HKEY_CURRENT_USER, "Software\\" + m_company);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, "Software\\" + m_company);
    }

    std::string Read(const char* name, const char* before = "default")
    {
        CString out(before);
        return m_store.GetString(name, out) ? std::string(out) : "(not found: " + std::string(out) + ")";
    }

    std::string m_company;
    std::string m_key;
    CRegSettings m_store;
};

}  // namespace

// The registry keeps one value per name whatever its case, so each spelling gets a key of its own,
// per user or machine-wide. A read that finds nothing leaves the caller's default, a number's too.
TEST_F(Settings, NameMatchesExactlyOrInUpperCaseOnly)
{
    const struct {
        HKEY root;
        const char* stored;
        bool found;
    } spellings[] = { { HKEY_LOCAL_MACHINE, "Path", true }, { HKEY_CURRENT_USER, "PATH", true },
                      { HKEY_CURRENT_USER, "path", false }, { HKEY_LOCAL_MACHINE, "pAtH", false } };
    for (const auto& spelling : spellings) {
        RemoveAll();
        PutString(spelling.root, m_key, spelling.stored, "value");
        EXPECT_EQ(Read("Path"), spelling.found ? "value" : "(not found: default)") << "stored as " << spelling.stored;
        DWORD number = 7;
        EXPECT_EQ(m_store.GetNumber("Path", number) != FALSE, spelling.found) << "stored as " << spelling.stored;
        EXPECT_EQ(number == 7u, !spelling.found) << "a read that finds nothing leaves the default; stored as "
                                                 << spelling.stored;
    }
}

// A per-user key without the value falls through to the machine's; one with a class name longer
// than MAX_PATH is read like any other; a per-user value wins, even when empty or zero.
TEST_F(Settings, PerUserValueWinsEvenWhenEmptyAndAPerUserKeyWithoutItFallsThrough)
{
    PutString(HKEY_LOCAL_MACHINE, m_key, "Path", "machine");
    HKEY hKey = NULL;
    std::string className(300, 'c');
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, &className[0], 0, KEY_ALL_ACCESS, NULL, &hKey, NULL), 0);
    // Written through this handle: Wine clears the class of a key that is created again without one.
    ::RegSetValueExA(hKey, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("user"), 5);
    EXPECT_EQ(Read("Path"), "machine");
    ::RegSetValueExA(hKey, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("user"), 5);
    ::RegCloseKey(hKey);
    EXPECT_EQ(Read("Path"), "user");

    PutString(HKEY_CURRENT_USER, m_key, "Path", "");
    EXPECT_EQ(Read("Path"), "");
    PutNumber(HKEY_LOCAL_MACHINE, m_key, "Silent", 1);
    PutNumber(HKEY_CURRENT_USER, m_key, "Silent", 0);
    DWORD silent = 5;
    EXPECT_TRUE(m_store.GetNumber("Silent", silent));
    EXPECT_EQ(silent, 0u);
}

// Run by its own test entry, in a process that Wine starts with a Japanese locale: the registry
// gives the longest name in UTF-16 characters, and a Japanese name takes twice as many bytes in
// code page 932.
TEST_F(Settings, JapaneseNameLongerInBytesThanInCharactersIsFound)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs with a Japanese locale (LUMORA_WINE_LOCALE=ja_JP.UTF-8)";
    const char* const name = "\x95\x5C\x8E\xA6\x83\x70\x83\x58";  // 表示パス
    PutString(HKEY_LOCAL_MACHINE, m_key, name, "machine");
    PutString(HKEY_CURRENT_USER, m_key, name, "user");
    EXPECT_EQ(Read(name), "user");
}

// The parts name the key: a backslash in one adds key levels, and an empty name is the key's
// default value. A key without values of its own, or no key at all, finds nothing.
TEST_F(Settings, ABackslashInAPartAddsKeyLevelsAndAKeyWithoutValuesOrWithoutKeyFindsNothing)
{
    CRegSettings other;
    other.Set(m_company.c_str(), "Product", "Component\\LocalServer32");
    PutString(HKEY_LOCAL_MACHINE, m_key + "\\LocalServer32", "", "C:\\deep.exe");
    CString out;
    EXPECT_TRUE(other.GetString("", out));
    EXPECT_EQ(out, "C:\\deep.exe");

    PutString(HKEY_CURRENT_USER, m_key + "\\Deeper", "x", "y");  // makes the key, without values of its own
    EXPECT_EQ(Read("Path", "kept"), "(not found: kept)");
    other.Set(m_company.c_str(), "No Such Product", "Component");
    out = "kept";
    EXPECT_FALSE(other.GetString("Path", out));
    EXPECT_EQ(out, "kept");
}

TEST_F(Settings, ValuesAreReadWhateverTheirStoredType)
{
    PutString(HKEY_CURRENT_USER, m_key, "Text", "0");
    DWORD number = 0;
    EXPECT_TRUE(m_store.GetNumber("Text", number));
    EXPECT_EQ(number, 0x30u) << "the string \"0\" is not zero as a number";

    PutNumber(HKEY_CURRENT_USER, m_key, "Number", 1);
    EXPECT_EQ(Read("Number"), std::string("\x01"));

    PutValue(HKEY_CURRENT_USER, m_key, "Short", REG_BINARY, { 0x07 });
    EXPECT_TRUE(m_store.GetNumber("Short", number));
    EXPECT_EQ(number, 7u) << "the missing high bytes are zero";

    PutValue(HKEY_CURRENT_USER, m_key, "Unterminated", REG_BINARY, { 'a', 'b' });
    EXPECT_EQ(Read("Unterminated"), "ab");
    PutValue(HKEY_CURRENT_USER, m_key, "Embedded", REG_BINARY, { 'a', 0, 'b', 0 });
    EXPECT_EQ(Read("Embedded"), "a");
}

// The footmark is the program's own path in the ready key, written as any setting is.
TEST_F(Settings, SetStringMakesTheKeyChainPerUserAndStoresTextWithItsTerminatorAsTheFootmarkIs)
{
    ASSERT_TRUE(m_store.SetString("Footmark", "abc"));

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, m_key, "Footmark", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, (std::vector<BYTE>{ 'a', 'b', 'c', 0 }));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, m_key, "Footmark", &type, &data)) << "writes go per user only";

    EXPECT_TRUE(m_store.SetString("Footmark", "second"));
    EXPECT_EQ(Read("Footmark"), "second");

    SetAsideSuiteKeys suiteKeys;
    EXPECT_EQ(WriteFootmark(), S_OK);
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, program, MAX_PATH);
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, Ready, "Footmark", &type, &data));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data())), program);
}

// Run by its own test entry, from a copy of this program in a folder whose path passes MAX_PATH
// (Wine starts such a program from a Unix path, not through CreateProcess).
TEST(LongProgramPath, FootmarkIsNotWrittenWhenThePathDoesNotFitItsBuffer)
{
    char path[MAX_PATH + 1] = {};
    ASSERT_GE(::GetModuleFileNameA(NULL, path, MAX_PATH), static_cast<DWORD>(MAX_PATH))
        << "this test runs from a folder whose path is longer than MAX_PATH";
    SetAsideSuiteKeys suiteKeys;

    EXPECT_EQ(WriteFootmark(), E_FAIL);

    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, Ready, "Footmark", &type, &data)) << "a cut-off path is not stored";
}

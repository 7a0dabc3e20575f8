// The settings store's names: which stored value name answers a request, and the key path of a
// (company, product, component) triple. Input: the stored name, the requested name, company,
// product and component, between zero bytes.
#include "framework/cstring.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "settings/settings_catalogue.h"
#include "settings/value_decoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string AsciiLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool EqualIgnoringAsciiCase(const char* a, const char* b)
{
    return AsciiLower(a) == AsciiLower(b);
}

std::vector<std::string> Levels(const std::string& path)
{
    std::vector<std::string> levels(1);
    for (char c : path) {
        if (c == '\\')
            levels.emplace_back();
        else
            levels.back() += c;
    }
    return levels;
}

void CheckUpperCasedCopy(const char* requested, const char* upper)
{
    const std::size_t length = std::strlen(requested);
    FuzzCheck(std::strlen(upper) == length, "upper-casing keeps the length");
    for (std::size_t i = 0; i < length; ++i) {
        const char c = requested[i];
        const char expected = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        FuzzCheck(upper[i] == expected, "upper-casing maps a to z and leaves every other byte");
    }
}

void CheckNameMatch(const char* stored, const char* requested)
{
    CString upperCopy(requested);
    upperCopy.MakeUpper();
    const char* upper = upperCopy;
    CheckUpperCasedCopy(requested, upper);

    FuzzCheck(ValueNameMatches(requested, requested, upper), "a request finds its own name");
    FuzzCheck(ValueNameMatches(upper, requested, upper), "a request finds its upper-cased name");
    const bool matches = ValueNameMatches(stored, requested, upper);
    if (std::strcmp(stored, requested) == 0)
        FuzzCheck(matches, "an equal stored name is found");
    if (matches)
        FuzzCheck(EqualIgnoringAsciiCase(stored, requested), "a found name differs from the request only in case");
    const std::string lower = AsciiLower(requested);
    if (lower != requested && lower != upper) {
        const auto lowerCopy = TerminatedCopy(lower);
        FuzzCheck(!ValueNameMatches(lowerCopy.get(), requested, upper), "a lower-cased name is not found");
    }
}

void CheckKeyPath(const char* company, const char* product, const char* component)
{
    std::vector<std::string> expected{ "Software" };
    for (const char* part : { company, product, component }) {
        const std::vector<std::string> levels = Levels(part);
        expected.insert(expected.end(), levels.begin(), levels.end());
    }
    FuzzCheck(Levels(SettingsKeyPath(company, product, component)) == expected,
              "the key path's levels are Software and then each part's own, in order");

    const std::string ready = SettingsKeyPath(SettingsCompany, SettingsProduct, component);
    const std::string readyParent = std::string("Software\\") + SettingsCompany + "\\" + SettingsProduct + "\\";
    FuzzCheck(ready.compare(0, readyParent.size(), readyParent) == 0
                  && ready.compare(readyParent.size(), std::string::npos, component) == 0,
              "a component of the suite's product is a key below the product's key");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTexts texts(data, size);
    CheckNameMatch(texts.At(0), texts.At(1));
    CheckKeyPath(texts.At(2), texts.At(3), texts.At(4));
    return 0;
}

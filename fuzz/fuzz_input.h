// Texts cut from a fuzz input. Each text lives in an allocation of exactly its length and its
// terminator, so that a read one byte past the end is an overflow that AddressSanitizer reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

inline std::unique_ptr<char[]> TerminatedCopy(const char* bytes, std::size_t length)
{
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), bytes, length);
    copy[length] = '\0';
    return copy;
}

inline std::unique_ptr<char[]> TerminatedCopy(const std::string& text)
{
    return TerminatedCopy(text.data(), text.size());
}

// The input's texts between zero bytes: n zero bytes give n + 1 texts, some of them empty.
class FuzzTexts {
public:
    FuzzTexts(const std::uint8_t* data, std::size_t size)
    {
        const char* bytes = reinterpret_cast<const char*>(data);
        std::size_t start = 0;
        for (std::size_t i = 0; i <= size; ++i) {
            if (i == size || bytes[i] == '\0') {
                m_texts.push_back(TerminatedCopy(bytes + start, i - start));
                start = i + 1;
            }
        }
    }

    std::size_t Count() const { return m_texts.size(); }

    // The text at index, or an empty text of its own when the input has fewer.
    const char* At(std::size_t index)
    {
        while (m_texts.size() <= index)
            m_texts.push_back(TerminatedCopy("", 0));
        return m_texts[index].get();
    }

private:
    std::vector<std::unique_ptr<char[]>> m_texts;
};

// The DLLs a program file imports.
#include "pe_imports.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

std::vector<unsigned char> FileBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    unsigned char chunk[65536];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(file);
    return bytes;
}

// A structure at offset, when the file holds all of it.
template <class T>
bool ReadAt(const std::vector<unsigned char>& bytes, size_t offset, T* value)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        return false;
    memcpy(value, bytes.data() + offset, sizeof(T));
    return true;
}

class Sections {
public:
    Sections(const std::vector<unsigned char>& bytes, size_t first, WORD count)
    {
        for (WORD i = 0; i < count; ++i) {
            IMAGE_SECTION_HEADER section;
            if (!ReadAt(bytes, first + i * sizeof section, &section))
                break;
            m_sections.push_back(section);
        }
    }
    // Where an address of the loaded image lies in the file; false when no section holds it.
    bool FileOffset(DWORD rva, size_t* offset) const
    {
        for (const IMAGE_SECTION_HEADER& section : m_sections) {
            const DWORD size = section.SizeOfRawData;
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
                *offset = static_cast<size_t>(section.PointerToRawData) + (rva - section.VirtualAddress);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<IMAGE_SECTION_HEADER> m_sections;
};

}  // namespace

bool ImportedDlls(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    const std::vector<unsigned char> bytes = FileBytes(path);
    IMAGE_DOS_HEADER dos;
    if (!ReadAt(bytes, 0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0)
        return false;
    const size_t nt = static_cast<size_t>(dos.e_lfanew);
    DWORD signature = 0;
    IMAGE_FILE_HEADER header;
    WORD magic = 0;
    if (!ReadAt(bytes, nt, &signature) || signature != IMAGE_NT_SIGNATURE || !ReadAt(bytes, nt + 4, &header)
        || !ReadAt(bytes, nt + 4 + sizeof header, &magic))
        return false;
    const size_t optional = nt + 4 + sizeof header;
    IMAGE_DATA_DIRECTORY imports;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        IMAGE_OPTIONAL_HEADER32 header32;
        if (!ReadAt(bytes, optional, &header32) || header32.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
            return false;
        imports = header32.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        IMAGE_OPTIONAL_HEADER64 header64;
        if (!ReadAt(bytes, optional, &header64) || header64.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
            return false;
        imports = header64.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        return false;
    }
    const Sections sections(bytes, optional + header.SizeOfOptionalHeader, header.NumberOfSections);
    size_t descriptor = 0;
    if (imports.VirtualAddress == 0 || !sections.FileOffset(imports.VirtualAddress, &descriptor))
        return imports.VirtualAddress == 0;
    for (;; descriptor += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR entry;
        size_t name = 0;
        if (!ReadAt(bytes, descriptor, &entry) || entry.Name == 0 || !sections.FileOffset(entry.Name, &name))
            break;
        const void* end = memchr(bytes.data() + name, '\0', bytes.size() - name);
        if (end == nullptr)
            break;
        names->push_back(reinterpret_cast<const char*>(bytes.data() + name));
    }
    return true;
}

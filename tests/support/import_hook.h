// Calls that this process's program file makes to a system function, diverted to a replacement for
// as long as the hook lives: the program's own code linked into a test calls through the same
// import table, so what it asks of the system can be seen, and kept from a machine without a sound
// device.
#pragma once

#include <windows.h>

#include <cstring>

// The import table's slot of dll!function in this process's program file; null when it imports
// no such function by name.
void** FindImportSlot(const char* dll, const char* function);
// Copies the function pointer that pointerToFunction points at into a slot of the import table.
void WriteImportSlot(void** slot, const void* pointerToFunction);

template <class Function>
class ImportHook {
public:
    ImportHook(const char* dll, const char* function, Function* replacement) : m_slot(FindImportSlot(dll, function))
    {
        if (m_slot == nullptr)
            return;
        std::memcpy(&m_original, m_slot, sizeof m_original);
        WriteImportSlot(m_slot, &replacement);
    }
    ~ImportHook()
    {
        if (m_slot != nullptr)
            WriteImportSlot(m_slot, &m_original);
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool Installed() const { return m_slot != nullptr; }
    // The system's own function, for a replacement that passes the call on.
    Function* Original() const { return m_original; }

private:
    void** m_slot;
    Function* m_original = nullptr;
};

// The UI component library stand-in registered in the machine's classes, as regsvr32 does it,
// for as long as the object lives.
#pragma once

class RegisteredUiLibrary {
public:
    RegisteredUiLibrary();
    // Unregisters it, as regsvr32 /u does.
    ~RegisteredUiLibrary();
    RegisteredUiLibrary(const RegisteredUiLibrary&) = delete;
    RegisteredUiLibrary& operator=(const RegisteredUiLibrary&) = delete;

    bool Registered() const { return m_bRegistered; }

private:
    bool m_bRegistered = false;
};

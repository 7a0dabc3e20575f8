// The UI component library stand-in registered in the machine's classes, as regsvr32 does it,
// for as long as the object lives. The classes' keys of a library installed on the machine are set
// aside meanwhile and come back afterwards.
#pragma once

#include "registry_sandbox.h"

#include <memory>
#include <string>
#include <vector>

class RegisteredUiLibrary {
public:
    RegisteredUiLibrary();
    // Unregisters it, as regsvr32 /u does.
    ~RegisteredUiLibrary();
    RegisteredUiLibrary(const RegisteredUiLibrary&) = delete;
    RegisteredUiLibrary& operator=(const RegisteredUiLibrary&) = delete;

    bool Registered() const { return m_outcome.empty(); }
    // Why the registration failed, for the test's message; empty when it succeeded.
    const std::string& Failure() const { return m_outcome; }

private:
    // Put back after the stand-in's unregistration.
    std::vector<std::unique_ptr<SetAsideKeyTree>> m_installedClasses;
    std::string m_outcome;
};

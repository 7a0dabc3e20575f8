// What the programs and libraries of the suite agree on with this program: names of keys, mutexes
// and messages, and answers. Plain constants, for the program, its stand-ins, tools and tests.
#pragma once

// The machine-wide key that names the suite's shared libraries, below HKEY_LOCAL_MACHINE.
const char* const SharedLibrariesKey = "Software\\Vexa Corporation\\Shared Info\\Shared DLLs";
// Where administrators set the same values by policy, above the machine-wide key.
const char* const SharedLibrariesPolicyKey = "Software\\Policies\\Vexa Corporation\\Shared Info\\Shared DLLs";

// Held by the capture application while it runs.
const char* const CaptureAppMutexName = "Vexa Lumora Ostrivo";
// Held by another program of the suite while presses of the button are to be ignored.
const char* const BusyMutexName = "vexa_kivrel_mutex_object";

// The registered message by which the capture driver library reports the button.
const char* const CaptureEventMessageName = "VexaCapEvent";

// What the running instance answers to the request to quit.
const long ReadyQuitAnswer = 0x12345678;

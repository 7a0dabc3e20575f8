// The program's version, in the two forms its version record has: the one place it is written.
// Everything that ships takes it from here: the version record and the about text, the manifest,
// both installers, the package, the policy templates and the release's names.
#pragma once

#define PROGRAM_VERSION_NUMBERS 3, 0, 0, 0
#define PROGRAM_VERSION_TEXT "3.0.00"

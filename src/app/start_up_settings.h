// The two settings steps of the program's start-up.
#pragma once

#include "framework/win32.h"

// Records the program's own path as the value "Footmark" of the Ready key: S_OK, or E_FAIL when the
// path is unknown or longer than MAX_PATH (nothing is written) or the value could not be stored.
HRESULT WriteFootmark();

// FALSE when the Config value "NoCUIL" is present and non-zero: the UI component library is not to
// be used.
BOOL UiComponentsAllowed();

// The one application object of the framework tests.
#include "test_app.h"

TestApp theTestApp;

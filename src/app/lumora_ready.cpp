// The program's one application object; the framework's entry point runs it.
#include "app/ready_app.h"

CReadyApp theApp;

// Presses the camera button of a running Lumora Ready through the suite's libraries, as the
// hardware would: the stand-in of the capture driver library (or, with --firmware, of the firmware
// event service library) loaded in the program delivers the event to the window it reports to.
//
//   press prompt|launch|cancel [--firmware]   the first press, the second press, a cancel
//   press <code> [--firmware]                 any code: the driver's wParam (1 to 4 mean
//                                             something), or the firmware's lParam (0x800, 0x400,
//                                             0x1000, 0x1400 mean something)
#include "press_link.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The code of a named event for one source, or the number given; false for anything else.
bool CodeOf(const char* word, bool firmware, long* code)
{
    static const struct {
        const char* name;
        long driverCode;
        long firmwareCode;
    } events[] = { { "prompt", 1, 0x800 }, { "launch", 2, 0x400 }, { "cancel", 3, 0x1000 } };
    for (const auto& event : events) {
        if (strcmp(word, event.name) == 0) {
            *code = firmware ? event.firmwareCode : event.driverCode;
            return true;
        }
    }
    char* end = nullptr;
    *code = strtol(word, &end, 0);
    return *word != '\0' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    const bool firmware = argc == 3 && strcmp(argv[2], "--firmware") == 0;
    long code = 0;
    if ((argc != 2 && !firmware) || !CodeOf(argv[1], firmware, &code)) {
        fprintf(stderr, "usage: press prompt|launch|cancel|<code> [--firmware]\n");
        return 2;
    }
    const char* source = firmware ? "firmware event service" : "capture driver";
    // A program that has just started may not have opened its libraries yet: look for a while.
    HWND hPress = NULL;
    for (int attempt = 0; attempt < 100 && hPress == NULL; ++attempt) {
        hPress = ::FindWindowExA(HWND_MESSAGE, NULL, firmware ? FirmwarePressClass : CaptureDriverPressClass, NULL);
        if (hPress == NULL)
            ::Sleep(50);
    }
    if (hPress == NULL) {
        printf("no running program has the %s stand-in reporting to it\n", source);
        return 1;
    }
    const BOOL posted = ::PostMessageA(hPress, StandInPressMessage, static_cast<WPARAM>(code), 0);
    printf("%s %s (code 0x%lx) through the %s stand-in\n", posted ? "pressed" : "could not press", argv[1], code,
           source);
    return posted ? 0 : 1;
}

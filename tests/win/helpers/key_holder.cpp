// Holds Ctrl and Alt down from outside, as a user's keyboard would, until the named event is set
// or ten seconds have passed: key_holder <event name>. The keys are let go either way.
#include <windows.h>

#include <stdio.h>

namespace {

void SendKeys(WORD first, WORD second, DWORD flags)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = first;
    keys[1].ki.wVk = second;
    keys[0].ki.dwFlags = keys[1].ki.dwFlags = flags;
    ::SendInput(2, keys, sizeof keys[0]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: key_holder <event name>\n");
        return 2;
    }
    HANDLE hLetGo = ::CreateEventA(NULL, TRUE, FALSE, argv[1]);
    if (hLetGo == NULL)
        return 1;
    SendKeys(VK_CONTROL, VK_MENU, 0);
    ::WaitForSingleObject(hLetGo, 10000);
    SendKeys(VK_MENU, VK_CONTROL, KEYEVENTF_KEYUP);
    ::CloseHandle(hLetGo);
    return 0;
}

// Ctrl and Alt held together turn a first press into the about text.
#pragma once

const int VirtualKeyControl = 0x11;  // VK_CONTROL
const int VirtualKeyAlt = 0x12;      // VK_MENU

// A key counts as held when its state, as GetAsyncKeyState reports it, has any bit but the lowest
// set: the lowest bit only tells of a press since the last query.
inline bool KeyStateHeld(short state)
{
    return (static_cast<unsigned short>(state) & 0xFFFE) != 0;
}

// keyState(virtualKey) asks for a key's state. Alt is asked about only when Ctrl is held.
template <class KeyState>
bool AboutTextRequested(KeyState keyState)
{
    return KeyStateHeld(keyState(VirtualKeyControl)) && KeyStateHeld(keyState(VirtualKeyAlt));
}

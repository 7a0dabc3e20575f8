// What a process holds of the system's objects, counted so that a test can compare the figures
// before and after a long run: kernel handles, GDI objects and USER objects. Each count is an
// honest one where GetGuiResources and GetProcessHandleCount answer 0 (Wine does).
#pragma once

// The kernel handles this process holds.
int HandlesHeld();

// How many more GDI objects this process can create: its quota less what it holds.
int GdiRoom();

// How many more USER objects can be created: the quota less what is held. Wine keeps one table of
// USER objects for the whole session, without a quota per process: there the room is the
// session's, and a comparison holds only while no other process makes or frees any.
int UserRoom();

// Looking at named mutexes of other processes without disturbing them.
#pragma once

// Whether a mutex of that name exists.
bool MutexExists(const char* name);

// Whether a thread of another process holds the mutex. The look takes a free mutex for an instant.
bool MutexHeldElsewhere(const char* name);

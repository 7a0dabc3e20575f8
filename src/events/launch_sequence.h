// The steps of a launch and their order; the platform's calls are passed in, so that the rules
// (no beep for an empty path, no sound and no beep when silent, never launching without a timer)
// hold whatever carries them out.
#pragma once

// Ops provides:
//   bool Start(const char* path)  starts the program; true when it was started
//   void Beep()                   the warning beep of a failed start
//   void PlayLaunchSound()
//   void LeaveTopmost()           the prompt leaves the topmost band, shown and not activated
//   bool StartLaunchTimer()       the one-shot timer that hides the prompt, during which a launch
//                                 is in progress; true when it runs
//   void HidePrompt()
// Returns true when the program was started.
template <class Ops>
bool RunLaunch(const char* path, bool silent, Ops& ops)
{
    if (path == nullptr || *path == '\0')
        return false;
    if (!ops.Start(path)) {
        if (!silent)
            ops.Beep();
        return false;
    }
    if (!silent)
        ops.PlayLaunchSound();
    ops.LeaveTopmost();
    if (!ops.StartLaunchTimer()) {
        // Without its timer the prompt would stay launching for good, with only Cancel left to
        // act: it is hidden at once, and no launch is in progress.
        ops.HidePrompt();
    }
    return true;
}

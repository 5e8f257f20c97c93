#pragma once
// Restart Manager: an installer or update that closes the program brings it back afterwards.

namespace ventrix::win32 {

// Asks for a restart after the program was closed for an update, but not after a crash, a hang
// or a reboot, with the command line that marks a restart (kRestartedOption), so that a
// restarted program that finds Ventrix running ends quietly. Windows Vista and later
// (RegisterApplicationRestart, found at run time); elsewhere nothing happens.
void RegisterRestartAfterUpdate();

}  // namespace ventrix::win32

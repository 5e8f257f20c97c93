#pragma once
// Stand-ins for a drive, behind the program's own DeviceIoControl import. Wine's folder-backed
// CD-ROM drive refuses every storage request, so:
// - the accepting drive answers success without doing anything (the README's screenshots);
// - the counting drive answers as Windows' storage class driver does for a CD drive: one lock
//   count per drive (a prevent adds one, an allow takes one away while any is left), which
//   survives handles and restarts of the program, kept in C:\ventrix-e2e\drive-D.txt (for D:)
//   as "locks N", "tray opened|closed", "motorised 1|0" and the last request's answer
//   ("last eject-refused" and the like), then "disc 1|0", what the drive tells of its tray
//   ("tells none|readiness|sense|mechanism", none by default), "rw-open 1|0" (0: an open for
//   reading and writing is refused), "asked N" (how often the tray was asked) and "watched 1|0"
//   (a window is registered for the drive's events); an eject refused with
//   ERROR_INVALID_FUNCTION while the count is above zero; a close refused by a drive without a
//   motorised tray (write "motorised 0" into the file). CreateFileA is hooked too, to tell
//   which drive a handle was opened on; the open itself stays real, so a drive that is not
//   there cannot be opened.

namespace ventrix::e2e {

// Patches ventrix.exe's import of kernel32's DeviceIoControl; false when it has none.
bool AcceptDeviceRequests();
// Patches its DeviceIoControl and CreateFileA imports with the counting drive, which also
// answers the program's tray questions as its record says (SCSI pass-through and
// CHECK_VERIFY2, e2e_accepting_drive.cpp), and its device event registrations
// (e2e_drive_events.h).
bool CountDeviceRequests();

// The drive letter a handle of the program was opened on through the counting drive, or 0.
char DriveOfHandle(void* handle);
// Notes in the counting drive's record whether a window is registered for the drive's events.
void NoteWatched(char letter, bool watched);

// As Windows does for a standard user (and for every process under User Account Control):
// patches ventrix.exe's import of advapi32's RegOpenKeyExA so that an open under
// HKEY_LOCAL_MACHINE asking for any write access is refused with ERROR_ACCESS_DENIED; every
// other open goes through. False when the program has no such import.
bool RefuseMachineWrites();

}  // namespace ventrix::e2e

#pragma once
// Stands in for a drive that accepts every storage request, for the README's screenshots only:
// Wine's folder-backed CD-ROM drive refuses them all, so its balloons read "could not be ...".
// The hook points the program's own DeviceIoControl import at a function that answers success
// without doing anything; every other call, CreateFileA of the drive included, stays real.

namespace ventrix::e2e {

// Patches ventrix.exe's import of kernel32's DeviceIoControl; false when it has none.
bool AcceptDeviceRequests();

// As Windows does for a standard user (and for every process under User Account Control):
// patches ventrix.exe's import of advapi32's RegOpenKeyExA so that an open under
// HKEY_LOCAL_MACHINE asking for any write access is refused with ERROR_ACCESS_DENIED; every
// other open goes through. False when the program has no such import.
bool RefuseMachineWrites();

}  // namespace ventrix::e2e

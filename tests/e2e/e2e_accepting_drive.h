#pragma once
// Stands in for a drive that accepts every storage request, for the README's screenshots only:
// Wine's folder-backed CD-ROM drive refuses them all, so its balloons read "could not be ...".
// The hook points the program's own DeviceIoControl import at a function that answers success
// without doing anything; every other call, CreateFileA of the drive included, stays real.

namespace ventrix::e2e {

// Patches ventrix.exe's import of kernel32's DeviceIoControl; false when it has none.
bool AcceptDeviceRequests();

}  // namespace ventrix::e2e

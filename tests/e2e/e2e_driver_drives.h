#pragma once
// Driver verbs that stand in for the system's side of drives coming and going:
//
//   e2e_driver cdrom-plug LETTER FOLDER   Wine's mount manager gets a CD-ROM drive LETTER backed
//                                         by the Unix FOLDER, as winecfg defines one
//   e2e_driver cdrom-unplug LETTER        the mount manager forgets the drive
//   e2e_driver volume EVENT LETTER KIND   broadcasts WM_DEVICECHANGE to every top-level window:
//                                         EVENT arrival or removal, KIND drive or disc (the
//                                         latter sets DBTF_MEDIA)
//
// Wine broadcasts no WM_DEVICECHANGE for a folder-backed drive, so the tests send it as the
// system would after plugging a drive in or the drive's own button moving a disc.

#include <optional>
#include <string>
#include <vector>

// The verb's exit code, or nothing when the arguments name none of these verbs.
std::optional<int> RunDriveVerb(const std::vector<std::string>& args);

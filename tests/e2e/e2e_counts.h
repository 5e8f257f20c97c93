#pragma once
// How many kernel handles, GDI objects and USER objects the calling process holds, each with
// the way it was measured. Runs inside ventrix.exe (loaded by the end-to-end hook).

#include <string>
#include <vector>

namespace ventrix::e2e {

struct ObjectCount {
  std::string name;
  long value = 0;
  std::string how;
};

// The system's own counters where they answer; where they answer 0 (Wine implements neither
// GetProcessHandleCount nor GetGuiResources), probes of the handle values instead.
std::vector<ObjectCount> CountObjects();

}  // namespace ventrix::e2e

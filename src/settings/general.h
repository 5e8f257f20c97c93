#pragma once
// general: the settings variables' round trip through the per-user settings store.

namespace ventrix {

class Program;

// Reads the eight stored settings into program.vars(), each with its default when missing.
// Requires vars().AppTitle; loads the settings window (hidden) for the drive default.
void LoadSettings(Program& program);
// Writes all eight settings variables, as text, under vars().AppTitle; true when the store took
// every one of them. A refused key does not stop the others from being written.
bool SaveSettings(Program& program);

}  // namespace ventrix

#pragma once
// The one wait of a start that is not a usage request: it looks for the running instance's
// window until the request is handed over, this process becomes the instance, or the time is
// up. Written against the system it runs on (`Seam` below), so its cases run on a virtual
// clock in the tests.

#include <cstdint>

namespace ventrix {

// Every way that wait ends.
enum class GateOutcome {
  kHandedOver,      // the running instance has the request (and answered a command)
  kBecameInstance,  // this process runs as the instance, holding the mutex
  kNoAnswer,        // an instance runs but did not take the request in time
  kUnreachable,     // the instance's window refused the request, or none could be started
};

// What the starting process asks of the instance.
enum class GateRequest {
  kShow,     // a start by a person: bring the main window back
  kNothing,  // started for a command (whose process hands it over), or restarted by Windows
  kCommand,  // a tray operation from the command line
};

// What an attempt to take the instance's mutex found.
enum class MutexAttempt {
  kTaken,      // this process holds it now: it was free, abandoned, or let go in time
  kHeld,       // another process holds it
  kNone,       // the system gave no mutex at all, so none can tell an instance apart
  kNotOpened,  // it exists, but this process may not open it (an elevated instance made it)
};

// How long a start waits for the window of an instance that holds the mutex but is still
// starting (or is ending and lets go of it).
inline constexpr std::uint32_t kFindInstanceMs = 10000;
// How long an instance started for a command has to finish its start-up.
inline constexpr std::uint32_t kStartUpMs = 30000;
inline constexpr std::uint32_t kGatePollMs = 100;

// Seam: bool WindowFound() looks for the instance's window; GateOutcome HandOver(GateRequest)
// hands the request to the window found; bool WindowGone() whether that window went away;
// MutexAttempt TryAcquire(wait_ms) takes the mutex when it is free, abandoned or let go within
// wait_ms (else it has waited wait_ms); void Release(); bool Start() starts an instance for a
// command; bool Starting(wait_ms) whether that instance still runs, waiting up to wait_ms for it
// to end; std::uint32_t Now() in milliseconds.
template <class Seam>
GateOutcome WaitForInstance(GateRequest request, Seam& seam) {
  std::uint32_t start = seam.Now();
  std::uint32_t limit = kFindInstanceMs;
  bool started = false;
  for (;;) {
    // The window first: it is there even where the system gave no mutex.
    if (seam.WindowFound()) {
      if (request == GateRequest::kNothing) return GateOutcome::kHandedOver;
      const GateOutcome outcome = seam.HandOver(request);
      // An instance that has just ended is no longer there: a start looks again.
      if (request == GateRequest::kShow && outcome == GateOutcome::kUnreachable &&
          seam.WindowGone()) {
        continue;
      }
      return outcome;
    }
    // The instance started for this command has the time of its start-up to take the mutex.
    const bool starting = started && seam.Starting(kGatePollMs);
    // Free, abandoned by one that crashed, or let go by one that ended: nobody else runs. A
    // mutex that exists but cannot be opened is an instance's, as one that is held.
    const MutexAttempt attempt = starting ? MutexAttempt::kHeld : seam.TryAcquire(kGatePollMs);
    if (attempt == MutexAttempt::kTaken || attempt == MutexAttempt::kNone) {
      if (request != GateRequest::kCommand) return GateOutcome::kBecameInstance;
      seam.Release();
      // The one started for this command ended without a window: the start failed.
      if (started) return GateOutcome::kUnreachable;
      // None runs: start one as a person would, and wait for its start-up to finish.
      if (!seam.Start()) return GateOutcome::kUnreachable;
      started = true;
      start = seam.Now();
      limit = kStartUpMs;
      continue;
    }
    // Started for a command that another instance (still starting) will take, or restarted by
    // Windows while one runs: nothing to do.
    if (request == GateRequest::kNothing) return GateOutcome::kHandedOver;
    // Held, but no window yet: one still starting (an elevated one, too), or ending.
    if (seam.Now() - start >= limit) return GateOutcome::kNoAnswer;
  }
}

}  // namespace ventrix

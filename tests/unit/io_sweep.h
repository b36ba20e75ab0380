#pragma once
// I/O-error sweeps: an operation is run with the first, second, third ... read, write, flush or
// truncate failing, until it runs through without meeting the failure.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/file.h"

// What one run of the operation under test reports.
struct SweepRun {
  bool ok = false;
  std::string message;  // the text the user would see
};

// Runs an operation with failure point N = 1, 2, ...: `prepare` (no failure injected while it
// runs) sets the scene and returns the operation. After each run that reached its failure point
// `check(N, run)` looks at the outcome (a run may still succeed when the failure hit a step after
// its change was made, such as a read-back: `check` then finds the change made). The sweep stops
// after the run that met no failure, which must succeed. Returns the number of failure points.
inline int SweepFileFailures(const std::function<std::function<SweepRun()>()>& prepare,
                             const std::function<void(int, const SweepRun&)>& check, int most = 400) {
  for (int n = 1; n <= most; ++n) {
    const std::function<SweepRun()> run = prepare();
    platform::FailNthFileOperation(uint64_t(n));
    const SweepRun result = run();
    const bool reached = platform::FileOperationsCounted() >= uint64_t(n);
    platform::FailNthFileOperation(0);
    if (!reached) {
      EXPECT_TRUE(result.ok) << "without a failure: " << result.message;
      return n - 1;
    }
    check(n, result);
    if (testing::Test::HasFatalFailure()) return n;
  }
  ADD_FAILURE() << "the operation never ran through";
  return most;
}

#pragma once

// A bound in milliseconds on how long the code under test may take (a gap of the event loop, the time to end),
// for the build the test is part of. The sanitizer builds check every allocation and access and do the same
// work several times slower; there the bound is widened by MENDRA_TEST_SLOWDOWN, which those builds define.
// The plain build, which runs the same tests, holds the exact bounds.

#include <QtGlobal>

#ifndef MENDRA_TEST_SLOWDOWN
#define MENDRA_TEST_SLOWDOWN 1
#endif

constexpr qint64 TimeBound(qint64 ms) {
    return ms * MENDRA_TEST_SLOWDOWN;
}

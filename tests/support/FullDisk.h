#pragma once

#include <gtest/gtest.h>

// Write failures are tested on a disk that fills on demand: a cap on the size of the files
// this process writes (FileSizeLimit), or the always-full device /dev/full. Windows offers
// neither, so there such a case is skipped.
#ifdef _WIN32
#define VELMORA_NEEDS_A_FULL_DISK() \
    GTEST_SKIP() << "Windows has no file size limit for a process and no full device"
#else
#define VELMORA_NEEDS_A_FULL_DISK() static_cast<void>(0)
#endif

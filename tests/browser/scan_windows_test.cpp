// SPDX-License-Identifier: GPL-3.0-or-later
// The folder scan on Windows, where another program can hold a file locked.
#include "browser/scan.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace zantor;
using namespace zantor::test;

TEST(Scan, aFileLockedByAnotherProgramStopsTheScanAndKeepsWhatWasListed) {
    TempDir dir;
    for (const char* name : {"a.pro", "b.pro", "c.pro"})
        dir.write(std::string("items/") + name, makeItem(0, 122));
    HANDLE locked = ::CreateFileW(std::filesystem::path(dir.file("items/b.pro")).c_str(),
                                  GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ScanRequest request;
    request.folder = dir.file("items");
    request.types.fill(true);
    const ScanResult r = scanFolder(request);
    ::CloseHandle(locked);
    EXPECT_EQ(r.error, "File access denied");
    EXPECT_LT(r.entries.size(), 3u);
}

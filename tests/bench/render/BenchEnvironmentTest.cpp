#include "bench/render/BenchEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The drawing benchmark's programs get its display, home and folders,
// whatever the caller exported: before, the caller's DISPLAY stood first
// and won, so on a desktop the game opened on the user's screen (where
// xdotool did not find it) with the user's documents folder.
TEST(BenchEnvironment, TheCallersDisplayHomeAndXdgFoldersGiveWay)
{
    std::vector<std::string> caller = {"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0",
        "XAUTHORITY=/home/u/.Xauthority", "HOME=/home/u", "TMPDIR=/home/u/tmp",
        "XDG_DOCUMENTS_DIR=/home/u/Docs", "XDG_DATA_HOME=/home/u/.data", "PATH=/usr/bin", "LANG=C.UTF-8"};
    std::vector<char*> parent;
    for (std::string& entry : caller)
        parent.push_back(entry.data());
    parent.push_back(nullptr);

    BenchEnvironment environment(parent.data(), ":301", "/tmp/scratch");
    environment.Set("QUENHOLT_LOG", "1");
    environment.Set("QUENHOLT_LOG", "0");

    std::vector<std::string> entries;
    for (char* entry : environment.Pointers())
        if (entry != nullptr)
            entries.emplace_back(entry);
    const std::vector<std::string> expected
        = {"PATH=/usr/bin", "LANG=C.UTF-8", "DISPLAY=:301", "HOME=/tmp/scratch/home",
            "TMPDIR=/tmp/scratch/tmp", "XDG_DOCUMENTS_DIR=/tmp/scratch/documents", "QUENHOLT_LOG=0"};
    EXPECT_EQ(entries, expected);
    EXPECT_STREQ(environment.Get("DISPLAY"), ":301");
    EXPECT_EQ(environment.Get("XAUTHORITY"), nullptr);
}

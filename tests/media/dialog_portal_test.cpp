#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "dialog_xdotool.h"
#include "media/desktop/native/file_dialog_portal.h"
#include "media/program.h"
#include "support/temp_dir.h"

namespace {

using namespace media_internal;

TEST(DialogPortalUri, OnlyLocalFileUrisBecomePaths) {
    EXPECT_EQ(PathFromFileUri("file:///tmp/Meine%20Karte.map"), "/tmp/Meine Karte.map");
    EXPECT_EQ(PathFromFileUri("file://localhost/x/y.map"), "/x/y.map");
    EXPECT_EQ(PathFromFileUri("file:///a/%C3%BC.map"), "/a/\u00fc.map");
    EXPECT_EQ(PathFromFileUri("file:///a/b.map#frag"), "/a/b.map");
    EXPECT_EQ(PathFromFileUri("file:///a/%3F%23.map?q"), "/a/?#.map"); // escaped, so kept
    EXPECT_EQ(PathFromFileUri("file:///a/%zz"), "/a/%zz");
    EXPECT_EQ(PathFromFileUri("file://server/share/a.map"), "");
    EXPECT_EQ(PathFromFileUri("https://example.org/a.map"), "");
    EXPECT_EQ(PathFromFileUri("file:///a%00b.map"), ""); // would cut the path short
    EXPECT_EQ(PathFromFileUri("file://"), "");
}

TEST(DialogPortalBus, WithoutASessionBusThePortalIsUnavailable) {
    auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    std::string address = env("DBUS_SESSION_BUS_ADDRESS");
    std::string runtime = env("XDG_RUNTIME_DIR");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", "/nonexistent-palmut", 1);
    std::string chosen;
    PortalRequest request;
    request.title = "t";
    EXPECT_EQ(AskPortal(request, chosen), DialogOutcome::Unavailable);
    EXPECT_EQ(chosen, "");
    if (!address.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    if (runtime.empty())
        unsetenv("XDG_RUNTIME_DIR");
    else
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

// The real portal: run under `xvfb-run -a dbus-run-session` with
// xdg-desktop-portal and a GTK backend installed.
class DialogPortal : public testing::Test {
  protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no DISPLAY: run under xvfb-run";
        ProcessOptions quiet;
        quiet.captureOutput = quiet.quietErrors = true;
        quiet.timeoutMs = 10000;
        auto probe =
            RunProcess({"gdbus", "call", "--session", "--dest", "org.freedesktop.portal.Desktop",
                        "--object-path", "/org/freedesktop/portal/desktop", "--method",
                        "org.freedesktop.DBus.Properties.Get", "org.freedesktop.portal.FileChooser",
                        "version"},
                       quiet);
        if (!probe.exited || probe.exitCode != 0)
            GTEST_SKIP() << "no file chooser portal on a session bus (dbus-run-session)";
        // The portal code explains its failures in the debug log.
        SetDebugSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    }
    void TearDown() override { SetDebugSink(nullptr); }

    PortalRequest Request(const std::string& title) {
        PortalRequest r;
        r.title = title;
        r.groups = ParseFileFilter("map:map");
        r.folder = dir.path();
        return r;
    }
    DisplayInputLock lock;
    TempDir dir;
};

TEST_F(DialogPortal, ChosenFileComesBackAsAbsolutePath) {
    std::string map = dir.Write("Karten/meine insel.map", "x");
    auto driver = DriveDialog(
        "Portal waehlen", {{"key", "ctrl+l"}, {"type", "--delay", "30", map}, {"key", "Return"}});
    std::string chosen;
    DialogOutcome outcome = AskPortal(Request("Portal waehlen"), chosen);
    driver.join();
    EXPECT_EQ(outcome, DialogOutcome::Chosen);
    EXPECT_EQ(chosen, map);
}

TEST_F(DialogPortal, EscapeCancels) {
    auto driver = DriveDialog("Portal abbrechen", {{"key", "Escape"}});
    std::string chosen = "unchanged";
    DialogOutcome outcome = AskPortal(Request("Portal abbrechen"), chosen);
    driver.join();
    EXPECT_EQ(outcome, DialogOutcome::Cancelled);
}

} // namespace

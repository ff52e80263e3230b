#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "media/desktop.h"
#include "media/desktop/native/open_url.h"
#include "media/test_seams.h"
#include "support/temp_dir.h"

namespace {

using media_internal::DesktopAddress;

class OpenUrl : public testing::Test {
  protected:
    // A stand-in opener that records its argument (whole, by renaming) and
    // exits with `status` after `delay`.
    void UseFakeOpener(int status, const std::string& delay = "0") {
        log = dir.path() + "/opened.log";
        std::string script =
            dir.Write("bin/opener", "#!/bin/sh\nprintf '%s' \"$1\" > '" + log + ".part'\nmv '" +
                                        log + ".part' '" + log + "'\nsleep " + delay + "\nexit " +
                                        std::to_string(status) + "\n");
        chmod(script.c_str(), 0755);
        SetOpenCommand(script);
    }
    // The opener runs on its own; wait for what it recorded, then take it.
    std::string Opened() {
        for (int i = 0; i < 500 && !std::filesystem::exists(log); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(log);
        std::string text(std::istreambuf_iterator<char>(in), {});
        std::filesystem::remove(log);
        return text;
    }
    void TearDown() override { SetOpenCommand(""); }

    TempDir dir;
    std::string log;
};

TEST_F(OpenUrl, ExistingReadmeOpensAsFileElseAsHttp) {
    dir.Write("Data/Liesmich.txt", "Hallo");
    ScopedWorkingDir cwd(dir.path());
    UseFakeOpener(0);
    EXPECT_EQ(OpenURL("data/liesmich.txt"), 1);
    EXPECT_EQ(Opened(), "file://" + dir.path() + "/Data/Liesmich.txt");

    EXPECT_EQ(OpenURL("data/fehlt.txt"), 1);
    EXPECT_EQ(Opened(), "http:data/fehlt.txt");
}

TEST_F(OpenUrl, SchemesPassUnchangedAndFragmentsAreKept) {
    dir.Write("hilfe.html", "<p>");
    dir.Write("mit leer%zeichen.txt", "x");
    dir.Write("sub/x", "");
    ScopedWorkingDir cwd(dir.path());
    EXPECT_EQ(DesktopAddress("HTTPS://example.org/a#b"), "HTTPS://example.org/a#b");
    EXPECT_EQ(DesktopAddress("Http:x"), "Http:x");
    EXPECT_EQ(DesktopAddress("file:/etc/x#y"), "file:/etc/x#y");
    EXPECT_EQ(DesktopAddress("hilfe.html#teil2"), "file://" + dir.path() + "/hilfe.html#teil2");
    EXPECT_EQ(DesktopAddress("fehlt.html#teil2"), "http:fehlt.html#teil2");
    EXPECT_EQ(DesktopAddress("mit leer%zeichen.txt"),
              "file://" + dir.path() + "/mit%20leer%25zeichen.txt");
    EXPECT_EQ(DesktopAddress("./SUB/../hilfe.html"), "file://" + dir.path() + "/hilfe.html");
    EXPECT_EQ(DesktopAddress("mailto:a@b.c"), "http:mailto:a@b.c");
    // Nothing the opener would mistake for an option.
    EXPECT_EQ(DesktopAddress("--help"), "http:--help");
}

TEST_F(OpenUrl, OpenerRunsOnItsOwnAndOnlyACleanExitCountsAsSuccess) {
    using Clock = std::chrono::steady_clock;
    UseFakeOpener(3, "2");
    const auto before = Clock::now();
    EXPECT_EQ(OpenURL("https://example.org"), 1);
    EXPECT_EQ(OpenURLFailed(), 0) << "still running";
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(1000))
        << "the menu must not wait (the opener takes 2 s)";
    EXPECT_EQ(Opened(), "https://example.org");
    int failed = 0;
    for (int i = 0; i < 500 && !failed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        failed = OpenURLFailed();
    }
    EXPECT_EQ(failed, 1) << "the failure is reported once the opener has ended";
    EXPECT_EQ(OpenURLFailed(), 0);

    UseFakeOpener(0);
    EXPECT_EQ(OpenURL("https://example.org"), 1);
    Opened();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(OpenURLFailed(), 0);

    SetOpenCommand(dir.path() + "/no-such-opener");
    EXPECT_EQ(OpenURL("https://example.org"), 0);
    EXPECT_EQ(OpenURLFailed(), 1);
}

} // namespace

// quorvex-host edit: the editor in a window of its own until the time is up
// or the window is closed, found and driven from outside as a person (and
// a window manager) would.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <regex>
#include <string>
#include <thread>

#include "host/PluginInstance.h"
#include "tests/editor_host/EditorHostFixture.h"
#include "tests/host/HostTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#else
// Xlib last: its macros clash with ordinary names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

using namespace vhost;

namespace {

std::string FixtureLibrary() {
    return std::string(EDITOR_HOST_FIXTURE_DIR) + "/editor_host_fixture" + HOST_LIBRARY_SUFFIX;
}

#ifndef _WIN32
// The number of blocks the command reports it processed, or -1.
long BlocksProcessed(const std::string& output) {
    std::smatch m;
    if (!std::regex_search(output, m, std::regex(R"((\d+) blocks of \d+ frames processed)")))
        return -1;
    return std::stol(m[1]);
}

// The command's frame window, a top-level window titled after the plug-in,
// looked for over a few seconds; 0 when none appears.
Window FindFrame(Display* display, const std::string& title) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) &&
            children) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                if (XFetchName(display, children[i], &name) && name) {
                    if (title == name) found = children[i];
                    XFree(name);
                }
            }
            XFree(children);
        }
        if (found) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

// The editor's own window inside the frame, once it has one.
Window EditorChild(Display* display, Window frame) {
    for (int attempt = 0; attempt < 250; ++attempt) {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        if (XQueryTree(display, frame, &root, &parent, &children, &count) && children) {
            if (count > 0) found = children[count - 1];
            XFree(children);
        }
        if (found) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

void SendPointer(Display* display, Window target, int type, int x, int y) {
    XEvent e{};
    e.type = type;
    e.xbutton.display = display;
    e.xbutton.window = target;
    e.xbutton.root = DefaultRootWindow(display);
    e.xbutton.x = e.xbutton.x_root = x;
    e.xbutton.y = e.xbutton.y_root = y;
    e.xbutton.same_screen = True;
    e.xbutton.time = CurrentTime;
    long mask = ButtonPressMask;
    if (type == ButtonPress || type == ButtonRelease) {
        e.xbutton.button = Button1;
        e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
        mask = type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
    } else {
        e.xmotion.state = Button1Mask;
        mask = ButtonMotionMask | PointerMotionMask;
    }
    XSendEvent(display, target, False, mask, &e);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

// What a window manager sends when the user clicks the close button.
void AskToClose(Display* display, Window frame) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = frame;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, frame, False, NoEventMask, &e);
    XFlush(display);
}

std::string Title(const std::string& library) {
    return "quorvex-host: " + PluginInstance::Load(library)->EffectName();
}
#endif

}  // namespace

#ifndef _WIN32
// A product's editor shows for the time given while audio blocks run at
// about the pace they would play (44100 / 512 per second).
TEST(EditCommand, ShowsTheEditorForTheTimeGivenWithAudioRunning) {
    const std::string phaser = host_test::BuiltPluginPath("quorvex_phaser");
    const std::string title = Title(phaser);
    auto run = std::async(std::launch::async, [&] {
        return host_test::RunHost({"edit", phaser, "--seconds", "1.5"});
    });
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    Window frame = FindFrame(display, title);
    Window child = frame ? EditorChild(display, frame) : 0;
    XWindowAttributes attributes{};
    if (frame) XGetWindowAttributes(display, frame, &attributes);
    XCloseDisplay(display);
    auto r = run.get();
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(frame, 0u) << "no window titled '" << title << "' appeared";
    EXPECT_NE(child, 0u) << "the editor opened no window inside the frame";
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_NE(r.output.find("time up"), std::string::npos) << r.output;
    long blocks = BlocksProcessed(r.output);
    EXPECT_GT(blocks, 40) << r.output;
    EXPECT_LT(blocks, 400) << r.output;
}

// Closing the window ends the command long before its time; a knob dragged
// meanwhile is reported with --verbose as a whole gesture.
TEST(EditCommand, ClosingTheWindowEndsItAndVerboseReportsAutomation) {
    const std::string library = FixtureLibrary();
    const std::string title = Title(library);
    auto started = std::chrono::steady_clock::now();
    auto run = std::async(std::launch::async, [&] {
        return host_test::RunHost({"edit", library, "--verbose", "--seconds", "60"});
    });
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    Window frame = FindFrame(display, title);
    Window child = frame ? EditorChild(display, frame) : 0;
    if (child) {
        constexpr auto box = EditorHostFixture::kLevelBox;
        const int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
        SendPointer(display, child, ButtonPress, x, y);
        for (int dy = 5; dy <= 30; dy += 5) SendPointer(display, child, MotionNotify, x, y - dy);
        SendPointer(display, child, ButtonRelease, x, y - 30);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (frame) AskToClose(display, frame);
    XCloseDisplay(display);
    auto r = run.get();
    ASSERT_NE(child, 0u) << "no editor window appeared";
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("window closed"), std::string::npos) << r.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    const std::regex gesture(
        R"(begin edit 0 \(Level\)\n(automate 0 \(Level\) = [0-9.]+\n)+end edit 0 \(Level\)\n)");
    EXPECT_TRUE(std::regex_search(r.output, gesture)) << r.output;
}
#endif

TEST(EditCommand, FailuresAreOneLineAndNonZero) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{"edit", host_test::TempPath("missing") + HOST_LIBRARY_SUFFIX, "--seconds", "1"},
         1,
         "no such file"},
        {{"edit", FixtureLibrary(), "--input", host_test::TempPath("missing.wav")},
         1,
         "missing.wav"},
        {{"edit", host_test::BuiltPluginPath("fixture_gain"), "--seconds", "1"},
         1,
         "has no editor"},
        {{"edit"}, 2, "edit takes"},
        {{"edit", FixtureLibrary(), "--seconds", "0"}, 2, "--seconds"},
        {{"edit", FixtureLibrary(), "--seconds", "1", "--set", "Nope=1"}, 1, "Nope"},
    };
    for (const Case& c : cases) {
        auto r = host_test::RunHost(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << r.output;
    }
}

// Times one start of a window program on the X display: from the fork to
// the map of its first top-level window, and to the first pixels drawn into
// that window after the map (the first DAMAGE the X server reports for it),
// then reads the program's peak memory and ends it.
//
// Prints "MAP_MS PAINT_MS PEAK_KB". Run it on a display without a window
// manager, so the program's windows are children of the root window.
// Usage: first_paint PROGRAM [ARGUMENTS...]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <poll.h>

namespace {

double now_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

long peak_kb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

[[noreturn]] void fail(const char* why)
{
    std::fprintf(stderr, "first_paint: %s\n", why);
    std::exit(2);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        fail("usage: first_paint PROGRAM [ARGUMENTS...]");

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        fail("cannot reach the X display");
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damage || !damage->present)
        fail("the X server has no DAMAGE extension");
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr), &std::free);
    if (!version)
        fail("DAMAGE does not answer");

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    std::set<xcb_window_t> watched;
    xcb_window_t mapped = XCB_NONE;
    double map_ms = -1;
    double paint_ms = -1;
    pollfd wait_for{xcb_get_file_descriptor(x), POLLIN, 0};
    while (paint_ms < 0) {
        if (now_ms() - start > 20000) {
            kill(child, SIGKILL);
            fail("no window was drawn within 20 s");
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            fail("the program ended before drawing its window");
        poll(&wait_for, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const double at = now_ms() - start;
            const uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (!created->override_redirect && watched.insert(created->window).second) {
                    // Damage is watched from creation on, so none is missed.
                    xcb_damage_create(x, xcb_generate_id(x), created->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                    xcb_flush(x);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (mapped == XCB_NONE && watched.count(map->window)) {
                    mapped = map->window;
                    map_ms = at;
                }
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (mapped != XCB_NONE && drawn->drawable == mapped)
                    paint_ms = at;
            }
            std::free(event);
        }
    }

    usleep(300'000);  // let it settle before reading its peak
    const long kb = peak_kb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%.1f %.1f %ld\n", map_ms, paint_ms, kb);
    return 0;
}

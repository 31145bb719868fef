// Runs a program and prints the milliseconds from just before its exec to the first MapNotify on the
// root window: the first map of a top-level window, as a user without a window manager sees it.
//
//   first_map PROGRAM [ARGS...]     (DISPLAY names the server; the program is ended after the map)
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_map: no display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Fails where a window manager holds the redirect; the notify mask is shared and always granted.
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        free(event);
        if (isMap) {
            mapped = nowMs() - start;
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (mapped < 0)
        return 1;
    std::printf("%.1f\n", mapped);
    return 0;
}

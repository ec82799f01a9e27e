/* mapwatch: starts a program and reports how long its first top-level window
 * took to be mapped on the X display, and the program's resident memory a
 * moment later. Watching MapNotify on the root window sees the window the
 * instant the server maps it, without polling.
 *
 *   mapwatch SETTLE_MS PROGRAM [ARGS...]
 * prints "map_ms=<float> rss_kib=<int>" and ends the program. */
#define _GNU_SOURCE
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static long rss_kib(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kib = -1;
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    fclose(f);
    return kib;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: mapwatch SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int settle = atoi(argv[1]);
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "mapwatch: no X display\n");
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL)); /* the mask is in force */

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        perror("mapwatch: exec");
        _exit(127);
    }
    double mapped = -1;
    xcb_generic_event_t *e;
    while (mapped < 0 && (e = xcb_wait_for_event(c))) {
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const xcb_map_notify_event_t *m = (const xcb_map_notify_event_t *)e;
            if (!m->override_redirect)
                mapped = now_ms() - start;
        }
        free(e);
    }
    usleep((useconds_t)settle * 1000);
    const long rss = rss_kib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    xcb_disconnect(c);
    printf("map_ms=%.1f rss_kib=%ld\n", mapped, rss);
    return mapped < 0;
}

/* Starts a program and reports, from outside it, when its first top-level window is mapped.
 *
 *   firstmap PROGRAM [ARGUMENTS...]
 *
 * Watches the root window of $DISPLAY for MapNotify (SubstructureNotify), then forks and execs the program in
 * a process group of its own. On the first map of a top-level window whose _NET_WM_PID is the program's (or
 * that names no pid), prints "PID MILLISECONDS" on stdout: the monotonic time from just before the fork to
 * the arrival of that event. The program then runs on until stdin reaches its end; its whole process group
 * gets SIGTERM (SIGKILL after 5 s), and the exit status is the program's. When the program ends or shows no
 * window within 60 s, prints "PID -1" and ends with status 1.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

static xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), NULL);
    xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

/* The window's _NET_WM_PID, 0 when it has none. */
static long window_pid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pid_atom) {
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, pid_atom, XCB_ATOM_CARDINAL, 0, 1), NULL);
    long pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = *(uint32_t*)xcb_get_property_value(reply);
    free(reply);
    return pid;
}

static int stop(pid_t pid) {
    int status = 0;
    kill(-pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (i == 499) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        usleep(10000);
    }
    kill(-pid, SIGKILL); /* helpers of the program that outlived it */
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "firstmap: cannot open the display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    if (error) {
        fprintf(stderr, "firstmap: cannot watch the root window\n");
        return 2;
    }
    const xcb_atom_t pid_atom = intern(c, "_NET_WM_PID");

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid < 0) {
        perror("firstmap: fork");
        return 2;
    }
    if (pid == 0) {
        setpgid(0, 0);
        execvp(argv[1], argv + 1);
        perror("firstmap: exec");
        _exit(127);
    }
    setpgid(pid, pid);

    double mapped = -1;
    const int fd = xcb_get_file_descriptor(c);
    while (mapped < 0 && now_ms() - start < 60000) {
        xcb_generic_event_t* event;
        while (mapped < 0 && (event = xcb_poll_for_event(c)) != NULL) {
            const double at = now_ms();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
                const long owner = window_pid(c, map->window, pid_atom);
                if (owner == 0 || owner == pid)
                    mapped = at - start;
            }
            free(event);
        }
        if (mapped >= 0 || xcb_connection_has_error(c))
            break;
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            printf("%d -1\n", (int)pid);
            return 1;
        }
        struct pollfd watch = {fd, POLLIN, 0};
        poll(&watch, 1, 100);
    }
    printf("%d %.1f\n", (int)pid, mapped);
    fflush(stdout);
    if (mapped < 0) {
        stop(pid);
        return 1;
    }

    char buffer[256];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return stop(pid);
}

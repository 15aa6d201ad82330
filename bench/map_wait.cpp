// tavel-map-wait: starts a program and prints the milliseconds from its launch
// to the first top-level window it maps, then ends it.
//
//   tavel-map-wait [--timeout SECONDS] PROGRAM [ARGUMENT...]
//
// Runs on the X display named by DISPLAY, which should be a display of its
// own (bench/startup starts an Xvfb): the first top-level window mapped by
// anyone counts. The waiter selects SubstructureNotify on the root window
// before the program starts, so a MapNotify of a child of the root (a
// top-level window) reaches it as an event; it never searches the window
// tree. Override-redirect windows (menus, tooltips, drop-down lists) do not
// count: the user does not see them as the program's window.
//
// The time runs from just before fork() to the arrival of the MapNotify, on
// CLOCK_MONOTONIC. Output: one line on stdout, "<wall ms> <cpu ms>" (three
// decimals each): the wall-clock time, and the processor time the program's
// threads had used by then (from /proc/PID/task/*/schedstat; on a machine
// shared with other work the wall-clock time also counts the neighbours).
// Then the program gets SIGTERM, and SIGKILL two seconds later if
// it is still running.
//
// Exit status: 0 measured; 1 the display cannot be opened, the program cannot
// be started, it ended before mapping a window, or the timeout (default 60 s)
// passed; 2 wrong arguments.
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// A descriptor that becomes readable when the process ends (Linux 5.3 and
// later): the waiter sleeps in poll() on it and on the X connection at once.
int openPidFd(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

// Waits up to `ms` for the process behind `pidFd` to end; true when it did.
bool waitEnd(int pidFd, int ms)
{
    pollfd p{pidFd, POLLIN, 0};
    return poll(&p, 1, ms) > 0;
}

// Ends the program: SIGTERM, then SIGKILL if it does not go within two seconds;
// reaps it either way.
void stop(pid_t pid, int pidFd)
{
    kill(pid, SIGTERM);
    if (!waitEnd(pidFd, 2000))
        kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

// Milliseconds on the processor of all threads of the process, as the
// scheduler counts them (the first field of each thread's schedstat, in
// nanoseconds); -1 when /proc does not tell.
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    unsigned long long total = 0;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (FILE* f = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r")) {
            unsigned long long ns = 0;
            if (std::fscanf(f, "%llu", &ns) == 1) {
                total += ns;
                any = true;
            }
            std::fclose(f);
        }
    }
    closedir(dir);
    return any ? double(total) / 1e6 : -1;
}

// A MapNotify of a top-level window that is not override-redirect.
bool isWindowShown(const xcb_generic_event_t* event, xcb_window_t root)
{
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
        return false;
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
    return map->event == root && !map->override_redirect;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "tavel-map-wait: %s\n", message.c_str());
    return 1;
}

// Starts the program with its own argv. A failed exec is reported back
// through a close-on-exec pipe: the parent reads an errno, or end of file when
// the exec succeeded.
pid_t launch(char** argv, int& execErrno)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        execErrno = errno;
        return -1;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        execErrno = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        return -1;
    }
    if (pid == 0) {
        close(pipeFds[0]);
        execvp(argv[0], argv);
        const int e = errno;
        (void)!write(pipeFds[1], &e, sizeof e);
        _exit(127);
    }
    close(pipeFds[1]);
    execErrno = 0;
    int e = 0;
    ssize_t n;
    do
        n = read(pipeFds[0], &e, sizeof e);
    while (n < 0 && errno == EINTR);
    close(pipeFds[0]);
    if (n == ssize_t(sizeof e)) {
        execErrno = e;
        int status = 0;
        waitpid(pid, &status, 0);
        return -1;
    }
    return pid;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    double timeoutSeconds = 60;
    if (first + 1 < argc && std::strcmp(argv[first], "--timeout") == 0) {
        char* end = nullptr;
        timeoutSeconds = std::strtod(argv[first + 1], &end);
        if (end == argv[first + 1] || *end != '\0' || timeoutSeconds <= 0) {
            std::fprintf(stderr, "tavel-map-wait: --timeout wants a positive number of seconds, not \"%s\"\n",
                         argv[first + 1]);
            return 2;
        }
        first += 2;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: tavel-map-wait [--timeout SECONDS] PROGRAM [ARGUMENT...]\n");
        return 2;
    }

    const char* display = std::getenv("DISPLAY");
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return fail(std::string("cannot open the X display \"") + (display ? display : "") + "\"");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    // The selection must be in force before the program starts: a checked
    // request makes the round trip.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error =
            xcb_request_check(connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask))) {
        const int code = error->error_code;
        std::free(error);
        return fail("cannot watch the root window for new windows (X error " + std::to_string(code) + ")");
    }

    std::fflush(nullptr);
    const double start = nowMs();
    int execErrno = 0;
    const pid_t pid = launch(argv + first, execErrno);
    if (pid < 0)
        return fail(std::string("cannot start ") + argv[first] + ": " + std::strerror(execErrno));
    const int pidFd = openPidFd(pid);
    if (pidFd < 0) {
        const int e = errno;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return fail(std::string("pidfd_open: ") + std::strerror(e));
    }

    const double deadline = start + timeoutSeconds * 1e3;
    const int xFd = xcb_get_file_descriptor(connection);
    for (;;) {
        // Events already read from the connection first: poll() sees only
        // what is still in the socket.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool shown = isWindowShown(event, root);
            std::free(event);
            if (shown) {
                const double wall = nowMs() - start;
                std::printf("%.3f %.3f\n", wall, cpuMs(pid));
                std::fflush(stdout);
                stop(pid, pidFd);
                xcb_disconnect(connection);
                return 0;
            }
        }
        if (xcb_connection_has_error(connection)) {
            stop(pid, pidFd);
            return fail("the X connection broke");
        }
        const double left = deadline - nowMs();
        if (left <= 0) {
            stop(pid, pidFd);
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", timeoutSeconds);
            return fail(std::string(argv[first]) + " mapped no window within " + seconds + " s");
        }
        pollfd fds[2] = {{xFd, POLLIN, 0}, {pidFd, POLLIN, 0}};
        if (poll(fds, 2, int(left) + 1) < 0 && errno != EINTR) {
            stop(pid, pidFd);
            return fail(std::string("poll: ") + std::strerror(errno));
        }
        if (fds[1].revents & POLLIN) {
            // The program ended; a map that raced with its end is still in
            // the socket and counts.
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                const bool shown = isWindowShown(event, root);
                std::free(event);
                if (shown) {
                    // Ended already: its processor time is gone with it.
                    std::printf("%.3f -1\n", nowMs() - start);
                    waitpid(pid, nullptr, 0);
                    return 0;
                }
            }
            int status = 0;
            waitpid(pid, &status, 0);
            std::string how = WIFEXITED(status)     ? "with status " + std::to_string(WEXITSTATUS(status))
                              : WIFSIGNALED(status) ? "on signal " + std::to_string(WTERMSIG(status))
                                                    : "";
            return fail(std::string(argv[first]) + " ended " + how + " before mapping a window");
        }
    }
}

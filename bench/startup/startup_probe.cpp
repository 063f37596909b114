// startup-probe: starts a program, waits for its window to come up and
// reports how long that took and how much memory the program then holds.
//
//   startup-probe TITLE PROGRAM [ARGUMENT...]
//
// The probe connects to the X server named by $DISPLAY and listens to the
// root window's substructure before it starts the program, so no top-level
// window of the program can appear unseen. It then follows the X events,
// without polling, until a top-level window whose WM_NAME or _NET_WM_NAME is
// TITLE is mapped, and measures from just before the program's exec:
//   mapped  the window is mapped and carries the title
//   drawn   the program first draws into the window (DAMAGE extension)
// and, when the window is mapped, the processor time all the program's
// threads have used so far (/proc/PID/task/*/schedstat): far steadier than
// the elapsed time on a busy or virtual machine. One second after the window
// is mapped it reads the program's peak and current resident memory (VmHWM
// and VmRSS in /proc/PID/status), ends the program and prints one line,
// times in milliseconds, memory in KiB:
//   mapped_ms=123.456 drawn_ms=130.789 cpu_ms=98.765 peak_kib=41234 rss_kib=40999
// drawn_ms is "nan" where the server lacks the DAMAGE extension or no
// drawing was seen.
//
// Exit status: 0 when measured; 1 when the program exited, or its window did
// not come within 30 seconds; 2 on a usage or X connection error.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

constexpr std::int64_t kMillisecond = 1'000'000; // in nanoseconds
constexpr std::int64_t kWindowTimeLimit = 30'000 * kMillisecond;
constexpr std::int64_t kSettleTime = 1'000 * kMillisecond;
constexpr std::int64_t kExitTimeLimit = 2'000 * kMillisecond;

// Nanoseconds on the monotonic clock.
std::int64_t now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

[[noreturn]] void fail(int status, const char* message) {
    std::fprintf(stderr, "startup-probe: %s\n", message);
    std::exit(status);
}

template <typename T>
struct FreeDeleter {
    void operator()(T* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter<T>>;

// The processor time, in nanoseconds, that all threads of a process have
// run: the first field of each thread's schedstat.
std::int64_t processorTime(pid_t pid) {
    std::int64_t total = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long runTime = 0;
        if (schedstat >> runTime)
            total += runTime;
    }
    return total;
}

struct SeenWindow {
    bool mapped = false;
    std::optional<std::int64_t> drawn; // the first drawing into it
};

class Probe {
public:
    explicit Probe(std::string title) : title_(std::move(title)) {}

    // The program whose processor time is read when its window is mapped.
    void setProgram(pid_t pid) { program_ = pid; }

    // Connects and starts listening; fails the probe when it cannot.
    void connect() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            fail(2, "cannot connect to the X server ($DISPLAY)");
        fcntl(xcb_get_file_descriptor(connection_), F_SETFD, FD_CLOEXEC);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;

        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage && damage->present) {
            XcbReply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
                connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
            if (version)
                damageNotify_ = static_cast<std::uint8_t>(damage->first_event + XCB_DAMAGE_NOTIFY);
        }

        constexpr std::string_view kNetWmName = "_NET_WM_NAME";
        XcbReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(kNetWmName.size()),
                            kNetWmName.data()),
            nullptr));
        if (atom)
            netWmName_ = atom->atom;

        // A checked request: the server has taken the selection before the
        // program starts.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        if (XcbReply<xcb_generic_error_t> error(
                xcb_request_check(connection_, xcb_change_window_attributes_checked(
                                                   connection_, root_, XCB_CW_EVENT_MASK, &mask)));
            error)
            fail(2, "cannot listen to the root window");
    }

    // Handles every event that has arrived, without blocking.
    void handlePendingEvents() {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
            XcbReply<xcb_generic_event_t> event(raw);
            handle(*event, now());
        }
        if (xcb_connection_has_error(connection_))
            fail(2, "the X connection broke");
    }

    [[nodiscard]] int fileDescriptor() const { return xcb_get_file_descriptor(connection_); }
    [[nodiscard]] std::optional<std::int64_t> mappedAt() const { return mappedAt_; }
    [[nodiscard]] std::int64_t processorTimeAtMap() const { return processorTimeAtMap_; }
    [[nodiscard]] std::optional<std::int64_t> drawnAt() const {
        const auto found = windows_.find(target_);
        return found == windows_.end() ? std::nullopt : found->second.drawn;
    }

private:
    void handle(const xcb_generic_event_t& event, std::int64_t time) {
        const auto type = event.response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
            if (created.parent == root_)
                follow(created.window);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto& mapped = reinterpret_cast<const xcb_map_notify_event_t&>(event);
            // Seen on the root window, or on the window itself once a window
            // manager has put it into a frame of its own.
            if (mapped.event == root_ || mapped.event == mapped.window) {
                windows_[mapped.window].mapped = true;
                checkTitle(mapped.window, time);
            }
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            const bool isTitle = property.atom == XCB_ATOM_WM_NAME ||
                                 (netWmName_ != XCB_NONE && property.atom == netWmName_);
            const auto found = windows_.find(property.window);
            if (isTitle && found != windows_.end() && found->second.mapped)
                checkTitle(property.window, time);
        } else if (damageNotify_ && type == *damageNotify_) {
            const auto& damage = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
            SeenWindow& window = windows_[damage.drawable];
            if (!window.drawn)
                window.drawn = time;
        }
        // Errors (a window that went before the probe followed it) and every
        // other event are of no interest.
    }

    // Follows a new top-level window: its mapping (which a window manager
    // hides from the root window by reparenting it), its title changes and
    // its drawing.
    void follow(xcb_window_t window) {
        windows_.try_emplace(window);
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        if (damageNotify_)
            xcb_damage_create(connection_, xcb_generate_id(connection_), window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        // A window manager may have mapped the window before the probe
        // began to follow it: then its mapping is seen now, a little late.
        XcbReply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            windows_[window].mapped = true;
            checkTitle(window, now());
        }
    }

    void checkTitle(xcb_window_t window, std::int64_t time) {
        if (mappedAt_)
            return;
        if (hasTitle(window, XCB_ATOM_WM_NAME) ||
            (netWmName_ != XCB_NONE && hasTitle(window, netWmName_))) {
            target_ = window;
            mappedAt_ = time;
            processorTimeAtMap_ = processorTime(program_);
        }
    }

    bool hasTitle(xcb_window_t window, xcb_atom_t property) {
        XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr));
        if (!reply || reply->format != 8)
            return false;
        const std::string_view value(
            static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        return value == title_;
    }

    std::string title_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t netWmName_ = XCB_NONE;
    std::optional<std::uint8_t> damageNotify_;
    std::map<xcb_window_t, SeenWindow> windows_;
    xcb_window_t target_ = XCB_NONE;
    std::optional<std::int64_t> mappedAt_;
    pid_t program_ = 0;
    std::int64_t processorTimeAtMap_ = 0;
};

// Starts the program; returns its process id and the time just before its
// exec. Fails the probe when the program cannot be started.
std::pair<pid_t, std::int64_t> start(char** argv) {
    // The child sends its start time, and then only if exec fails, errno.
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        fail(2, "cannot create a pipe");
    const pid_t pid = fork();
    if (pid < 0)
        fail(2, "cannot fork");
    if (pid == 0) {
        close(channel[0]);
        const std::int64_t time = now();
        if (write(channel[1], &time, sizeof time) == sizeof time) {
            execvp(argv[0], argv);
            const int error = errno;
            [[maybe_unused]] const auto ignored = write(channel[1], &error, sizeof error);
        }
        _exit(127);
    }
    close(channel[1]);
    std::int64_t startedAt = 0;
    int error = 0;
    const bool timed = read(channel[0], &startedAt, sizeof startedAt) == sizeof startedAt;
    const bool execFailed = read(channel[0], &error, sizeof error) == sizeof error;
    close(channel[0]);
    if (!timed || execFailed) {
        std::fprintf(stderr, "startup-probe: cannot start %s: %s\n", argv[0],
                     std::strerror(execFailed ? error : ECHILD));
        std::exit(1);
    }
    return {pid, startedAt};
}

// The memory lines "VmHWM:  41234 kB" and "VmRSS: ..." of a process, in KiB.
std::pair<long, long> residentMemory(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    long peak = -1;
    long current = -1;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            peak = std::strtol(line.c_str() + 6, nullptr, 10);
        else if (line.starts_with("VmRSS:"))
            current = std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return {peak, current};
}

// Waits for the process to exit, at most until `deadline`; true if it did.
bool waitForExit(int pidfd, std::int64_t deadline) {
    for (;;) {
        const std::int64_t left = deadline - now();
        if (left <= 0)
            return false;
        pollfd exited{pidfd, POLLIN, 0};
        if (poll(&exited, 1, static_cast<int>(left / kMillisecond) + 1) > 0)
            return true;
    }
}

void endProgram(pid_t pid, int pidfd) {
    kill(pid, SIGTERM);
    if (!waitForExit(pidfd, now() + kExitTimeLimit))
        kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// A file descriptor that becomes readable when the process exits. (Called
// through syscall(): glibc 2.36 declares pidfd_open() without C linkage
// for C++.)
int openPidfd(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

double milliseconds(std::int64_t nanoseconds) {
    return static_cast<double>(nanoseconds) / static_cast<double>(kMillisecond);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: startup-probe TITLE PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    Probe probe(argv[1]);
    probe.connect();

    const auto [pid, startedAt] = start(argv + 2);
    probe.setProgram(pid);
    const int pidfd = openPidfd(pid);
    if (pidfd < 0)
        fail(2, "cannot follow the program (pidfd_open)");

    // Follow the events until the window is mapped, then one second more,
    // in which its first drawing is normally seen too.
    for (;;) {
        probe.handlePendingEvents();
        const std::int64_t deadline =
            probe.mappedAt() ? *probe.mappedAt() + kSettleTime : startedAt + kWindowTimeLimit;
        const std::int64_t left = deadline - now();
        if (left <= 0)
            break;
        std::vector<pollfd> watched{{probe.fileDescriptor(), POLLIN, 0}, {pidfd, POLLIN, 0}};
        if (poll(watched.data(), watched.size(), static_cast<int>(left / kMillisecond) + 1) < 0 &&
            errno != EINTR)
            fail(2, "poll failed");
        if (watched[1].revents & POLLIN) {
            waitpid(pid, nullptr, 0);
            fail(1, "the program exited before its window was measured");
        }
    }

    if (!probe.mappedAt()) {
        endProgram(pid, pidfd);
        fail(1, "no window with the title came up in time");
    }
    const auto [peak, current] = residentMemory(pid);
    endProgram(pid, pidfd);

    const std::optional<std::int64_t> drawn = probe.drawnAt();
    std::printf("mapped_ms=%.3f drawn_ms=%.3f cpu_ms=%.3f peak_kib=%ld rss_kib=%ld\n",
                milliseconds(*probe.mappedAt() - startedAt),
                drawn ? milliseconds(*drawn - startedAt) : std::nan(""),
                milliseconds(probe.processorTimeAtMap()), peak, current);
    return 0;
}

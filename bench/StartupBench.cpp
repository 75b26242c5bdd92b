// Times two programs from their start until their window is mapped and first painted on the X
// display, and reads their memory then, the runs of the two interleaved.
//
//   startup_bench RUNS SETTLE_MS NAME_A PROGRAM_A NAME_B PROGRAM_B
//
// Run it on an X server of its own (xvfb-run), where nothing else draws. The programs are
// watched from outside, through the X server: no code of theirs knows it is being timed. The
// driver asks the server to report every top-level window made (SubstructureNotify on the root)
// and puts a Damage watch on each window as it is made, before anything can be drawn in it.
// Qt gives its windows no background, so the server itself never draws into them: the first
// Damage after the window is mapped is the program's first painted frame reaching the screen.
//
// Prints one line per run: "run NAME MS RSS_KB PSS_KB SETTLED_RSS_KB SETTLED_PSS_KB", the
// memory read from /proc/<pid>/smaps_rollup at the first paint and again SETTLE_MS after the
// window was mapped, so work a program puts off until just after its window shows still counts.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Memory {
    long rssKb = 0;
    long pssKb = 0;
};

Memory memoryOf(pid_t pid) {
    Memory memory;
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        // "Rss:    12345 kB"; the first line names the mapping range and is skipped.
        if (line.starts_with("Rss:")) {
            memory.rssKb = std::atol(line.c_str() + 4);
        } else if (line.starts_with("Pss:")) {
            memory.pssKb = std::atol(line.c_str() + 4);
        }
    }
    return memory;
}

struct Run {
    double ms = 0;
    Memory atPaint;
    Memory settled;
};

class Display {
  public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_) != 0) {
            std::fprintf(stderr, "no X display; run under xvfb-run\n");
            std::exit(2);
        }
        xcb_prefetch_extension_data(connection_, &xcb_damage_id);
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage == nullptr || damage->present == 0) {
            std::fprintf(stderr, "the X server has no Damage extension\n");
            std::exit(2);
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(
            connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Starts `program` and waits for its first painted frame; the program is stopped after.
    Run time(const std::string& program, int settleMs) {
        std::set<xcb_window_t> watched;
        std::set<xcb_window_t> mapped;
        std::vector<xcb_damage_damage_t> damages;

        const auto started = Clock::now();
        pid_t pid = 0;
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
            std::fprintf(stderr, "cannot start %s\n", program.c_str());
            std::exit(1);
        }

        Run run;
        Clock::time_point mappedAt;
        bool painted = false;
        while (!painted) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
                xcb_wait_for_event(connection_), &std::free);
            if (!event) {
                std::fprintf(stderr, "lost the X display\n");
                std::exit(1);
            }
            const int type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
                // Input-only windows cannot be drawn in; the server refuses a watch on them
                // with an error event, which is ignored below.
                const xcb_damage_damage_t damage = xcb_generate_id(connection_);
                xcb_damage_create(connection_, damage, created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection_);
                damages.push_back(damage);
                watched.insert(created->window);
            } else if (type == XCB_MAP_NOTIFY) {
                if (mapped.empty()) {
                    mappedAt = Clock::now();
                }
                mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window);
            } else if (type == damageEvent_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
                if (mapped.contains(damage->drawable)) {
                    run.ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - started).count();
                    run.atPaint = memoryOf(pid);
                    painted = true;
                }
            }
        }
        std::this_thread::sleep_until(mappedAt + std::chrono::milliseconds(settleMs));
        run.settled = memoryOf(pid);

        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        for (const xcb_damage_damage_t damage : damages) {
            xcb_damage_destroy(connection_, damage);
        }
        // Drain what the closing windows sent, errors for watches on gone windows included.
        drainEvents();
        return run;
    }

  private:
    void drainEvents() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (auto* event = xcb_poll_for_event(connection_)) {
            std::free(event);
        }
    }

    xcb_connection_t* connection_;
    int damageEvent_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: startup_bench RUNS SETTLE_MS NAME_A PROGRAM_A NAME_B PROGRAM_B\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int settleMs = std::atoi(argv[2]);
    const std::string names[] = {argv[3], argv[5]};
    const std::string programs[] = {argv[4], argv[6]};

    Display display;
    // One unmeasured start of each fills the file and font caches both will read from.
    for (const std::string& program : programs) {
        display.time(program, 0);
    }
    for (int i = 0; i < runs; ++i) {
        // Interleaved, and each pair in alternating order, so a slow spell of the machine falls
        // on both alike.
        for (int k = 0; k < 2; ++k) {
            const int which = (i % 2 == 0) ? k : 1 - k;
            const Run run = display.time(programs[which], settleMs);
            std::printf("run %s %.3f %ld %ld %ld %ld\n", names[which].c_str(), run.ms,
                        run.atPaint.rssKb, run.atPaint.pssKb, run.settled.rssKb, run.settled.pssKb);
            std::fflush(stdout);
        }
    }
    return 0;
}

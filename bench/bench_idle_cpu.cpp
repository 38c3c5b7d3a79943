// CPU use of the idle window program. Starts `zevo3tool --simulate` on the
// offscreen platform with a settings file and TMPDIR of its own, lets it settle,
// then reads the kernel's accounting in /proc over the measuring window: the
// process's utime+stime, every thread's run time and its context switches.
//
//   bench_idle_cpu [--tool PATH] [--seconds 10] [--settle 2]

#include "bench_common.h"
#include "settings.h"

#include <QString>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zevo3;
using namespace zevo3::bench;
namespace fs = std::filesystem;

namespace {

constexpr const char *kBench = "idle_cpu";

std::string readFile(const fs::path &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Fields of /proc/.../stat after the command name, numbered as in proc(5).
std::vector<std::string> statFields(const std::string &stat) {
    std::vector<std::string> fields;
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return fields;
    std::istringstream rest(stat.substr(close + 2));
    fields.resize(3); // 1 pid, 2 comm: not kept
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields;
}

long long statTicks(const fs::path &statPath) {
    const std::vector<std::string> f = statFields(readFile(statPath));
    if (f.size() < 16) return -1;
    return std::stoll(f[14]) + std::stoll(f[15]); // utime + stime
}

long long statusValue(const std::string &status, const std::string &key) {
    const std::size_t at = status.find(key + ":");
    if (at == std::string::npos) return 0;
    return std::stoll(status.substr(at + key.size() + 1));
}

struct ThreadSample {
    std::string name;
    std::string nice;    // stat field 19
    std::string policy;  // stat field 41: 0 normal, 3 batch, 5 idle
    long long runNs = 0; // schedstat: time on the CPU
    long long voluntary = 0;
    long long involuntary = 0;
};

std::map<int, ThreadSample> sampleThreads(pid_t pid) {
    std::map<int, ThreadSample> threads;
    std::error_code ec;
    const fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
    for (const auto &entry : fs::directory_iterator(tasks, ec)) {
        ThreadSample s;
        std::string comm = readFile(entry.path() / "comm");
        while (!comm.empty() && comm.back() == '\n')
            comm.pop_back();
        s.name = comm;
        const std::vector<std::string> f = statFields(readFile(entry.path() / "stat"));
        if (f.size() > 41) {
            s.nice = f[19];
            s.policy = f[41];
        }
        std::istringstream(readFile(entry.path() / "schedstat")) >> s.runNs;
        const std::string status = readFile(entry.path() / "status");
        s.voluntary = statusValue(status, "voluntary_ctxt_switches");
        s.involuntary = statusValue(status, "nonvoluntary_ctxt_switches");
        threads[std::stoi(entry.path().filename().string())] = s;
    }
    return threads;
}

// The port is open when a pseudo-terminal slave is held twice: once by the
// simulated unit, once by the serial port.
bool portOpen(pid_t pid) {
    std::map<std::string, int> held;
    std::error_code ec;
    for (const auto &entry :
         fs::directory_iterator(fs::path("/proc") / std::to_string(pid) / "fd", ec)) {
        const fs::path target = fs::read_symlink(entry.path(), ec);
        if (!ec && target.string().rfind("/dev/pts/", 0) == 0) ++held[target.string()];
    }
    for (const auto &[path, count] : held)
        if (count >= 2) return true;
    return false;
}

bool alive(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

void stopChild(pid_t pid) {
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char **argv) {
    const std::string tool = option(argc, argv, "--tool", ZEVO3_TOOL_PATH);
    const long seconds = optionNumber(argc, argv, "--seconds", 10);
    const long settle = optionNumber(argc, argv, "--settle", 2);

    char pattern[] = "/tmp/zevo3-bench-idle-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("bench_idle_cpu: mkdtemp");
        return 1;
    }
    const fs::path work = pattern;
    const fs::path tmp = work / "tmp";
    const fs::path ini = work / "zevo3tool.ini";
    const fs::path log = work / "zevo3tool.log";
    fs::create_directory(tmp);
    if (!WriteSettings(QString::fromStdString(ini.string()), ComSettings{}, WaveSettings{})) {
        std::fprintf(stderr, "bench_idle_cpu: cannot write %s\n", ini.c_str());
        return 1;
    }

    const pid_t pid = ::fork();
    if (pid < 0) {
        std::perror("bench_idle_cpu: fork");
        return 1;
    }
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("TMPDIR", tmp.c_str(), 1);
        const int devNull = ::open("/dev/null", O_RDONLY);
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (devNull >= 0) ::dup2(devNull, 0);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        std::string iniArg = ini.string();
        char *args[] = {const_cast<char *>(tool.c_str()), const_cast<char *>("--simulate"),
                        const_cast<char *>("--ini"), iniArg.data(), nullptr};
        ::execv(tool.c_str(), args);
        std::perror("exec");
        ::_exit(127);
    }

    std::printf("bench_idle_cpu: %s --simulate (pid %d), settling %ld s, measuring %ld s\n",
                tool.c_str(), int(pid), settle, seconds);
    std::this_thread::sleep_for(std::chrono::seconds(settle));
    if (!alive(pid)) {
        std::fprintf(stderr, "bench_idle_cpu: the program ended during start-up; its output:\n%s",
                     readFile(log).c_str());
        fs::remove_all(work);
        return 1;
    }
    const bool open = portOpen(pid);
    std::printf("port open to the simulated unit: %s\n", open ? "yes" : "NO");

    const fs::path stat = fs::path("/proc") / std::to_string(pid) / "stat";
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    const auto before = sampleThreads(pid);
    const long long ticks0 = statTicks(stat);
    const auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const long long ticks1 = statTicks(stat);
    const auto t1 = std::chrono::steady_clock::now();
    const auto after = sampleThreads(pid);
    const bool survived = alive(pid);
    stopChild(pid);

    const double wall = std::chrono::duration<double>(t1 - t0).count();
    const double cpuTicks = double(ticks1 - ticks0) / double(ticksPerSecond);
    const double percent = 100.0 * cpuTicks / wall;

    long long runNs = 0, voluntary = 0, involuntary = 0;
    std::printf("\n%-8s %-16s %5s %7s %10s %10s %10s\n", "tid", "thread", "nice", "policy",
                "cpu ms", "voluntary", "involunt.");
    for (const auto &[tid, end] : after) {
        const auto start = before.find(tid);
        const ThreadSample begin = start == before.end() ? ThreadSample{} : start->second;
        const long long ns = end.runNs - begin.runNs;
        const long long vol = end.voluntary - begin.voluntary;
        const long long inv = end.involuntary - begin.involuntary;
        runNs += ns;
        voluntary += vol;
        involuntary += inv;
        std::printf("%-8d %-16s %5s %7s %10.2f %10lld %10lld\n", tid, end.name.c_str(),
                    end.nice.c_str(), end.policy.c_str(), double(ns) / 1e6, vol, inv);
    }
    const double precisePercent = 100.0 * double(runNs) / 1e9 / wall;
    const long long mainVoluntary = after.count(pid) && before.count(pid)
                                        ? after.at(pid).voluntary - before.at(pid).voluntary
                                        : 0;

    std::printf("\nwindow %.2f s\n", wall);
    std::printf("CPU (utime+stime, %ld ticks/s): %.2f %% of one core\n", ticksPerSecond, percent);
    std::printf("CPU (thread run time):          %.3f %% of one core\n", precisePercent);
    std::printf("context switches, all threads: %lld voluntary, %lld involuntary (%.1f/s)\n",
                voluntary, involuntary, double(voluntary + involuntary) / wall);
    std::printf("voluntary context switches, main thread: %lld\n", mainVoluntary);
    if (!survived) std::printf("WARNING: the program ended during the window\n");

    summary(kBench, "port open", open ? "yes" : "no", "yes");
    summary(kBench, "CPU, % of one core", fixed(percent, 2), "< 1");
    summary(kBench, "CPU (run time), % of one core", fixed(precisePercent, 3), "< 1");
    summary(kBench, "context switches / s (all threads)",
            fixed(double(voluntary + involuntary) / wall, 1));
    summary(kBench, "voluntary ctxt switches, main thread", std::to_string(mainVoluntary));

    fs::remove_all(work);
    return open && survived ? 0 : 1;
}

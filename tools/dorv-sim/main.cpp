// dorv-sim: a simulated unit on a pseudo-terminal, answering the tool's frames.
#include "ImageFile.h"
#include "SimUnit.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace dorv;
using Clock = std::chrono::steady_clock;

constexpr auto FrameGap = std::chrono::milliseconds(30);
constexpr int LoopWaitMs = 2;

struct SimOptions {
    std::string LinkPath;
    std::string LoadPath;
    std::string SavePath;
    int FormatVersion = ImageFormatVersion;
    double Drop = 0.0;
    double Corrupt = 0.0;
    bool Silent = false;
    int LateMs = 0;
    unsigned long long Seed = 1;
    sim::EngineSettings Engine;
    bool Verbose = false;
};

const char* const Usage =
    "usage: dorv-sim [options]\n"
    "  --link PATH          make PATH a symbolic link to the pseudo-terminal\n"
    "  --load FILE          start with the image in FILE: a .ign parameter file, else 400 raw "
    "bytes\n"
    "  --save FILE          store the image in FILE (.ign or raw) after each saving and at exit\n"
    "  --format-version N   parameter format version of the unit's program (56)\n"
    "  --drop P             leave a share P (0..1) of replies unanswered\n"
    "  --corrupt P          damage one byte in a share P (0..1) of replies\n"
    "  --silent             answer nothing\n"
    "  --late MS            answer MS milliseconds late\n"
    "  --seed S             seed of the fault choices (1)\n"
    "  --rpm N              hold the engine at N RPM\n"
    "  --throttle P         hold the throttle at P per cent\n"
    "  -v                   log every frame to standard error\n";

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) {
    stopRequested = 1;
}

bool ParseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

std::optional<SimOptions> ParseOptions(int argc, char** argv) {
    SimOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--silent") {
            o.Silent = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            std::exit(0);
        }
        if (arg == "-v") {
            o.Verbose = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "dorv-sim: unknown option or missing value: %s\n", arg.c_str());
            return std::nullopt;
        }
        const char* value = argv[++i];
        double n = 0;
        const bool numeric = ParseNumber(value, n);
        if (arg == "--link")
            o.LinkPath = value;
        else if (arg == "--load")
            o.LoadPath = value;
        else if (arg == "--save")
            o.SavePath = value;
        else if (arg == "--format-version" && numeric && n >= 0 && n <= 255)
            o.FormatVersion = static_cast<int>(n);
        else if (arg == "--drop" && numeric && n >= 0 && n <= 1)
            o.Drop = n;
        else if (arg == "--corrupt" && numeric && n >= 0 && n <= 1)
            o.Corrupt = n;
        else if (arg == "--late" && numeric && n >= 0)
            o.LateMs = static_cast<int>(n);
        else if (arg == "--seed" && numeric && n >= 0)
            o.Seed = static_cast<unsigned long long>(n);
        else if (arg == "--rpm" && numeric && n >= 0 && n <= 65535)
            o.Engine.Rpm = static_cast<int>(n);
        else if (arg == "--throttle" && numeric && n >= 0 && n <= 255)
            o.Engine.ThrottlePercent = static_cast<int>(n);
        else {
            std::fprintf(stderr, "dorv-sim: bad option or value: %s %s\n", arg.c_str(), value);
            return std::nullopt;
        }
    }
    return o;
}

void LogFrame(const SimOptions& o, const char* what, std::span<const Byte> bytes) {
    if (!o.Verbose)
        return;
    std::fprintf(stderr, "%s", what);
    for (Byte b : bytes)
        std::fprintf(stderr, " %02x", b);
    std::fprintf(stderr, "\n");
}

// The master side of a pseudo-terminal whose other side is in raw mode, kept open by us too,
// so the line stays up while the tool opens and closes it.
struct Pty {
    int Master = -1;
    int Slave = -1;
    std::string SlavePath;

    bool Open() {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            return false;
        SlavePath = ptsname(Master);
        Slave = ::open(SlavePath.c_str(), O_RDWR | O_NOCTTY);
        if (Slave < 0)
            return false;
        termios tio{};
        tcgetattr(Slave, &tio);
        cfmakeraw(&tio);
        cfsetispeed(&tio, B57600);
        cfsetospeed(&tio, B57600);
        tcsetattr(Slave, TCSANOW, &tio);
        return true;
    }
    ~Pty() {
        if (Slave >= 0)
            ::close(Slave);
        if (Master >= 0)
            ::close(Master);
    }
};

// Decides the fate of each reply: dropped, damaged, delayed.
class FaultInjector {
public:
    explicit FaultInjector(const SimOptions& o) : options_(o), random_(o.Seed) {}

    bool Drops() { return options_.Silent || Chance(options_.Drop); }
    bool Corrupts(Frame& frame) {
        if (!Chance(options_.Corrupt))
            return false;
        const auto at = std::uniform_int_distribution<int>(0, FrameSize - 1)(random_);
        frame[at] ^= static_cast<Byte>(std::uniform_int_distribution<int>(1, 255)(random_));
        return true;
    }

private:
    bool Chance(double p) {
        return p > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p;
    }
    const SimOptions& options_;
    std::mt19937_64 random_;
};

struct PendingReply {
    Clock::time_point Due;
    Frame Bytes;
};

class Simulator {
public:
    Simulator(const SimOptions& o, sim::SimUnit& unit, int fd)
        : options_(o), unit_(unit), fd_(fd), faults_(o) {}

    void Run() {
        auto last = Clock::now();
        while (!stopRequested) {
            pollfd p{fd_, POLLIN, 0};
            const int ready = ::poll(&p, 1, LoopWaitMs);
            const auto now = Clock::now();
            unit_.Advance(std::chrono::duration<double>(now - last).count());
            last = now;
            if (ready > 0 && (p.revents & POLLIN))
                TakeBytes(now);
            SendDueReplies(now);
            SaveAfterSaving();
        }
    }

private:
    void TakeBytes(Clock::time_point now) {
        Byte chunk[512];
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got <= 0)
            return;
        if (!received_.empty() && now - lastByte_ > FrameGap)
            Discard("gap");
        lastByte_ = now;
        received_.insert(received_.end(), chunk, chunk + got);
        while (received_.size() >= static_cast<std::size_t>(FrameSize)) {
            const std::span<const Byte> request(received_.data(), FrameSize);
            LogFrame(options_, "rx", request);
            if (!IsFrameValid(request)) {
                unit_.Answer(request); // counts the refused frame
                Discard("bad check");
                return;
            }
            if (auto reply = unit_.Answer(request))
                Queue(*reply, now);
            received_.erase(received_.begin(), received_.begin() + FrameSize);
        }
    }

    void Discard(const char* why) {
        if (options_.Verbose)
            std::fprintf(stderr, "discarded %zu bytes (%s)\n", received_.size(), why);
        received_.clear();
    }

    void Queue(Frame reply, Clock::time_point now) {
        if (faults_.Drops()) {
            LogFrame(options_, "dropped", reply);
            return;
        }
        if (faults_.Corrupts(reply))
            LogFrame(options_, "corrupted", reply);
        pending_.push_back({now + std::chrono::milliseconds(options_.LateMs), reply});
    }

    void SendDueReplies(Clock::time_point now) {
        while (!pending_.empty() && pending_.front().Due <= now) {
            const Frame& reply = pending_.front().Bytes;
            LogFrame(options_, "tx", reply);
            if (::write(fd_, reply.data(), reply.size()) < 0 && options_.Verbose)
                std::perror("dorv-sim: write");
            pending_.erase(pending_.begin());
        }
    }

    void SaveAfterSaving() {
        const bool saving = unit_.IsSaving();
        if (wasSaving_ && !saving && !options_.SavePath.empty())
            SaveImage(options_.SavePath);
        wasSaving_ = saving;
    }

public:
    bool SaveImage(const std::string& path) {
        std::string error;
        if (sim::SaveImage(path, unit_.Image(), error))
            return true;
        std::fprintf(stderr, "dorv-sim: %s\n", error.c_str());
        return false;
    }

private:
    const SimOptions& options_;
    sim::SimUnit& unit_;
    int fd_;
    FaultInjector faults_;
    std::vector<Byte> received_;
    Clock::time_point lastByte_{};
    std::vector<PendingReply> pending_;
    bool wasSaving_ = false;
};

bool MakeLink(const std::string& link, const std::string& target) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "dorv-sim: %s exists and is not a link; not replaced\n",
                         link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "dorv-sim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(Usage, stderr);
        return 2;
    }
    sim::SimUnit unit(options->FormatVersion, options->Engine);
    if (!options->LoadPath.empty()) {
        std::string error;
        if (!sim::LoadImage(options->LoadPath, unit.Image(), error)) {
            std::fprintf(stderr, "dorv-sim: %s\n", error.c_str());
            return 1;
        }
        sim::WriteIdentityBlock(unit.Image(), options->FormatVersion);
    }
    InstallSignalHandlers();
    Pty pty;
    if (!pty.Open()) {
        std::fprintf(stderr, "dorv-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    if (!options->LinkPath.empty() && !MakeLink(options->LinkPath, pty.SlavePath))
        return 1;
    std::printf("%s\n", pty.SlavePath.c_str());
    std::fflush(stdout);

    Simulator simulator(*options, unit, pty.Master);
    simulator.Run();

    if (!options->LinkPath.empty())
        ::unlink(options->LinkPath.c_str());
    const bool saved = options->SavePath.empty() || simulator.SaveImage(options->SavePath);
    return saved ? 0 : 1;
}

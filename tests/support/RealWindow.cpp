#include "tests/support/RealWindow.h"
#include "tools/sdl-stack/SdlStack.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// The X id of the first mapped window titled exactly caption, or "". Only a
// mapped one: the first window SDL makes may be replaced as the video mode is set.
std::string findWindow(const std::string& caption) {
    const std::string ids =
        runCommand("xdotool search --onlyvisible --name '^" + caption + "$' 2>/dev/null");
    return ids.substr(0, ids.find('\n'));
}

} // namespace

std::string fileContents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

ChildProcess::ChildProcess(const std::vector<std::string>& command) {
    const int outputFd = mkstemp(outputPath.data());
    const int errorFd = mkstemp(errorPath.data());
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid = fork();
    // Set on both sides, so that the group exists whichever runs first.
    setpgid(pid == 0 ? 0 : pid, 0);
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        dup2(outputFd, STDOUT_FILENO);
        dup2(errorFd, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(outputFd);
    close(errorFd);
}

ChildProcess::~ChildProcess() {
    // Asked first, so that an X server removes its lock; killed if that is ignored.
    if (isRunning() && kill(-pid, SIGTERM) == 0) {
        waitUntil(3000, [this] { return !isRunning(); });
    }
    if (pid > 0 && kill(-pid, SIGKILL) == 0) {
        waitpid(pid, nullptr, 0); // unless reaped already
    }
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
}

bool ChildProcess::isRunning() {
    int status = 0;
    if (pid > 0 && !waitStatus && waitpid(pid, &status, WNOHANG) == pid) {
        waitStatus = status;
    }
    return pid > 0 && !waitStatus;
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
    waitUntil(timeoutMs, [this] { return !isRunning(); });
    return waitStatus && WIFEXITED(*waitStatus) ? std::optional<int>(WEXITSTATUS(*waitStatus))
                                                : std::nullopt;
}

std::string ChildProcess::howItEnded() {
    const int status = isRunning() ? 0 : *waitStatus;
    return WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status))
                               : "exit status " + std::to_string(WEXITSTATUS(status));
}

std::string runCommand(const std::string& command, int timeoutMs) {
    ChildProcess shell({"sh", "-c", command});
    shell.waitForExit(timeoutMs);
    return shell.standardOutput();
}

XvfbSession::XvfbSession(int depth, const std::string& options)
    // Xvfb closes the descriptor it writes its display number to; were that
    // standard output, a client's connection would take its place.
    : server({"sh", "-c",
              "exec Xvfb -displayfd 3 -screen 0 800x600x" + std::to_string(depth) +
                  " -nolisten tcp -noreset " + options + " 3>&1 >/dev/null"}) {
    // The display number comes once the server accepts clients.
    std::string number;
    waitUntil(20000, [&] {
        number = server.standardOutput();
        return number.find('\n') != std::string::npos || !server.isRunning();
    });
    setenv("DISPLAY", (":" + number.substr(0, number.find('\n'))).c_str(), 1);
}

Screenshot Screenshot::ofWindow(const std::string& caption) {
    Screenshot shot;
    const std::string window = findWindow(caption);
    // Binary PPM: "P6 width height 255", one white space, then the pixels.
    std::istringstream in(
        window.empty() ? ""
                       : runCommand("import -window " + window + " -depth 8 ppm:- 2>/dev/null"));
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    shot.rgb.resize(static_cast<std::size_t>(shot.width * shot.height * 3));
    if (magic != "P6" || maxValue != 255 ||
        !in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<long>(shot.rgb.size()))) {
        return Screenshot();
    }
    return shot;
}

Rgb Screenshot::at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

std::string gameBinary() {
    const char* binaryDir = std::getenv("ORBI_BINARY_DIR");
    return std::string(binaryDir != nullptr ? binaryDir : "build") + "/app/orbicascade";
}

::testing::AssertionResult runsOnNamedStack(const std::string& stack) {
    const char* named = std::getenv("ORBI_SDL_STACK");
    return named == nullptr || stack == named
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "ran on " << stack << ", not on " << named;
}

std::string GameWindow::window() {
    const std::string id = findWindow("Orbicascade");
    if (!child.isRunning()) {
        throw std::runtime_error("the game ended, " + child.howItEnded() +
                                 ", with this on standard error:\n" + child.standardError());
    }
    if (id.empty() && opened) {
        throw std::runtime_error("the game's window has gone");
    }
    // The libraries it mapped, read while it runs: it opens its window after loading them all.
    if (!id.empty() && !opened) {
        opened = true;
        loadedStack = sdlStackName(sdlLibrariesOf(std::to_string(child.id())));
        if (const auto named = runsOnNamedStack(loadedStack); !named) {
            throw std::runtime_error(named.message());
        }
    }
    return id;
}

// The window id goes in by value: after a search of its own, xdotool would send
// keys as synthetic events, which reach the game unreliably.
void GameWindow::xdotool(const std::string& arguments) {
    std::string command = arguments;
    const std::string id = window();
    for (std::size_t at = command.find("%1"); at != std::string::npos; at = command.find("%1")) {
        command.replace(at, 2, id);
    }
    runCommand("xdotool " + command + " >/dev/null 2>&1");
}

::testing::AssertionResult showsHud(const Screenshot& shot) {
    struct Place {
        const char* what;
        int x0, y0, x1, y1, least;
    };
    for (const Place& place :
         {Place{"\"Score:\"", 20, 15, 90, 45, 40}, Place{"the score digits", 90, 15, 160, 45, 40},
          Place{"\"Sphere:\"", 20, 400, 100, 430, 40},
          Place{"the count digits", 100, 400, 150, 430, 30}}) {
        if (shot.count(place.x0, place.y0, place.x1, place.y1, near(Rgb{0, 0, 239}, 40)) <=
            place.least) {
            return ::testing::AssertionFailure() << place.what << " not shown in blue";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsHudAndNucleus(const Screenshot& shot) {
    if (shot.isEmpty() || !isYellow(shot.at(320, 240))) {
        return ::testing::AssertionFailure() << "no nucleus at the centre";
    }
    return showsHud(shot);
}

bool isYellow(Rgb pixel) {
    return pixel.red > 150 && pixel.green > 130 && pixel.blue < 110;
}

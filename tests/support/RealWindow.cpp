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

std::string fileContents(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

ChildProcess::ChildProcess(const std::vector<std::string>& command) {
    const int outputFd = mkstemp(outputPath.data());
    const int errorFd = mkstemp(errorPath.data());
    std::vector<char*> argv(command.size() + 1, nullptr);
    std::transform(command.begin(), command.end(), argv.begin(),
                   [](const std::string& argument) { return const_cast<char*>(argument.c_str()); });
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
    // Asked first, so that an X server removes its lock; killed if that is ignored. Whatever else
    // is in its group goes with it, and it is reaped unless it was already.
    if (isRunning() && kill(-pid, SIGTERM) == 0)
        waitUntil(3000, [this] { return !isRunning(); });
    if (pid > 0 && kill(-pid, SIGKILL) == 0)
        waitpid(pid, nullptr, 0);
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
}

bool ChildProcess::isRunning() {
    int status = 0;
    if (pid > 0 && !waitStatus && waitpid(pid, &status, WNOHANG) == pid)
        waitStatus = status;
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

Screenshot Screenshot::ofWindow(const std::string& window) {
    Screenshot shot;
    // Binary PPM: "P6 width height 255", one white space, then the pixels.
    std::istringstream in(
        window.empty() ? ""
                       : runCommand("import -window " + window + " -depth 8 ppm:- 2>/dev/null"));
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    shot.pixels.resize(static_cast<std::size_t>(magic == "P6" ? shot.width * shot.height : 0));
    for (Rgb& pixel : shot.pixels)
        pixel = {in.get(), in.get(), in.get()};
    return magic == "P6" && maxValue == 255 && in ? shot : Screenshot();
}

std::string gameBinary() {
    const char* binaryDir = std::getenv("ORBI_BINARY_DIR");
    return std::string(binaryDir != nullptr ? binaryDir : "build") + "/app/orbicascade";
}

::testing::AssertionResult runsOnNamedStack(const std::string& stack) {
    const char* named = std::getenv("ORBI_SDL_STACK");
    return named == nullptr || stack == named
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure()
                     << "ran on " << (stack.empty() ? "no SDL 1.2" : stack) << ", not on " << named;
}

// Only a mapped window: the first one SDL makes may be replaced as the video mode is set.
std::string GameWindow::window() {
    std::string id = runCommand("xdotool search --onlyvisible --name '^Orbicascade$' 2>/dev/null");
    id = id.substr(0, id.find('\n'));
    // From the libraries it mapped, all loaded before its window opened. None are mapped any more
    // while it ends: asked next whether it runs, it says so.
    const std::string stack = id.empty() || !loadedStack.empty()
                                  ? loadedStack
                                  : sdlStackName(sdlLibrariesOf(std::to_string(child.id())));
    id = stack.empty() ? "" : id;
    if (!child.isRunning() || (id.empty() && !loadedStack.empty())) {
        throw std::runtime_error(child.isRunning() ? "the game's window has gone"
                                                   : "the game ended, " + child.howItEnded() +
                                                         ", with this on standard error:\n" +
                                                         child.standardError());
    }
    loadedStack = stack;
    return id;
}

// The window id goes in by value: after a search of its own, xdotool would send
// keys as synthetic events, which reach the game unreliably.
void GameWindow::xdotool(const std::string& arguments) {
    std::string command = arguments;
    const std::string id = window();
    for (std::size_t at = command.find("%1"); at != std::string::npos; at = command.find("%1"))
        command.replace(at, 2, id);
    runCommand("xdotool " + command + " >/dev/null 2>&1");
}

bool showsHud(const Screenshot& shot) {
    const auto blue = [](Rgb pixel) {
        return pixel.red <= 40 && pixel.green <= 40 && std::abs(pixel.blue - 239) <= 40;
    };
    return shot.count(20, 15, 90, 45, blue) > 40 && shot.count(90, 15, 160, 45, blue) > 40 &&
           shot.count(20, 400, 100, 430, blue) > 40 && shot.count(100, 400, 150, 430, blue) > 30;
}

bool isYellow(Rgb pixel) {
    return pixel.red > 150 && pixel.green > 130 && pixel.blue < 110;
}

std::string playsFromRoot(std::vector<std::string> command, int depth) {
    const XvfbSession server(depth);
    const auto check = [](bool passed, const std::string& what) {
        if (!passed)
            throw std::runtime_error(what);
    };
    command.insert(command.begin(), {"env", "-C", "/"});
    GameWindow game(command);
    check(game.waitForWindow(), "no window");
    const std::string bits = "bpp: " + std::to_string(depth == 24 ? 32 : depth) + "\n";
    const std::string window = runCommand("xwininfo -name Orbicascade");
    check(game.process().standardError().find(bits) != std::string::npos &&
              window.find("Depth: " + std::to_string(depth)) != std::string::npos,
          "not at the screen's depth, " + std::to_string(depth));
    // The first frames come late on a slow machine.
    check(waitUntil(10000,
                    [&] {
                        const Screenshot shot = game.shoot(); // none shows the display when empty
                        return showsHud(shot) && isYellow(shot.at(320, 240));
                    }),
          "no heads-up display and nucleus");
    game.xdotool(
        "mousemove --window %1 600 440 mousedown 1 mousemove --window %1 540 380 mouseup 1");
    check(waitUntil(2000,
                    [&] {
                        const Screenshot shot = game.shoot();
                        return shot.count(592, 432, 608, 448, isYellow) > 60 &&
                               shot.count(532, 372, 548, 388, isYellow) == 0;
                    }),
          "no stopper where the button went down, or one where it came up");
    check(game.quit() == 0, "Escape did not end it with exit status 0");
    check(game.process().standardOutput().empty(), "it wrote on standard output");
    return game.stack();
}

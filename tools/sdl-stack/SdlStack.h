#ifndef ORBICASCADE_TOOLS_SDLSTACK_H
#define ORBICASCADE_TOOLS_SDLSTACK_H

#include <string>
#include <vector>

// A program built for SDL 1.2, such as the game, runs on whatever the library
// path finds when it starts: the classic SDL 1.2, or sdl12-compat, which loads
// SDL 2 at once, which may in turn be sdl2-compat, which loads SDL 3. Only the
// libraries the process loaded tell which; versions and file names differ
// between distributions, so the stack is named by the SDL libraries present:
//
//   sdl1.2-classic   SDL 1.2 alone
//   sdl1.2-on-sdl2   SDL 1.2 and SDL 2 (sdl12-compat over SDL 2)
//   sdl1.2-on-sdl3   SDL 1.2, SDL 2 and SDL 3 (sdl12-compat over sdl2-compat over SDL 3)
//
// and "" when no SDL 1.2 was loaded.
std::string sdlStackName(const std::vector<std::string>& libraries);

// The SDL library files named in a text that lists library paths among other
// things, such as /proc/PID/maps or the dynamic loader's LD_DEBUG record:
// symbolic links resolved, so that the names carry the versions; each once, sorted.
std::vector<std::string> sdlLibraries(const std::string& listing);
// Those a running process has mapped, given its id or "self".
std::vector<std::string> sdlLibrariesOf(const std::string& process);

#endif

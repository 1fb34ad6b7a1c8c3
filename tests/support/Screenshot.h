#ifndef ORBICASCADE_TESTS_SCREENSHOT_H
#define ORBICASCADE_TESTS_SCREENSHOT_H

#include <string>
#include <vector>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// What a window showed, captured with ImageMagick's import on the current DISPLAY.
class Screenshot {
public:
    // The first mapped window titled exactly caption; empty when there is none.
    static Screenshot ofWindow(const std::string& caption);

    bool isEmpty() const { return width == 0; }
    Rgb at(int x, int y) const;
    // Pixels of the rectangle [x0, x1) by [y0, y1) within tolerance of the colour on every channel.
    int countNear(int x0, int y0, int x1, int y1, Rgb colour, int tolerance) const;
    bool operator==(const Screenshot& other) const {
        return width == other.width && rgb == other.rgb;
    }

private:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The X id of the first mapped window titled exactly caption, or "".
std::string findWindow(const std::string& caption);

#endif

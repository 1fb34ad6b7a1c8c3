#ifndef ORBICASCADE_TESTS_SCREENSHOT_H
#define ORBICASCADE_TESTS_SCREENSHOT_H

#include <string>
#include <vector>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// What a window showed, captured through ImageMagick's import on the current DISPLAY.
class Screenshot {
public:
    // Captures the first window whose title is exactly the caption; the result
    // is empty (width 0) when no such window exists or the capture fails.
    static Screenshot ofWindow(const std::string& caption);

    bool isEmpty() const { return width == 0 || height == 0; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    Rgb at(int x, int y) const;

    // Counts the pixels of the rectangle [x0, x1) by [y0, y1) within
    // tolerance of the colour on every channel.
    int countNear(int x0, int y0, int x1, int y1, Rgb colour, int tolerance) const;
    bool sameAs(const Screenshot& other) const;

private:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The X id of the first mapped window with exactly this title, or an empty string.
std::string findWindow(const std::string& caption);

#endif

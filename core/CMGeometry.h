// Value types of the drawing surface and the settings: points and rectangles in inches, and
// colours with components from 0.0 to 1.0, packed as 0xRRGGBB integers where they are stored.
#pragma once

class CMPoint {
public:
    CMPoint() = default;
    CMPoint(double x_, double y_) : x(x_), y(y_) {}
    double x = 0;
    double y = 0;
};

class CMRect {
public:
    CMRect() = default;
    CMRect(double left_, double top_, double right_, double bottom_)
        : left(left_), top(top_), right(right_), bottom(bottom_)
    {
    }
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class CMColour {
public:
    CMColour() = default;
    CMColour(double red_, double green_, double blue_) : red(red_), green(green_), blue(blue_) {}
    // From a packed 0xRRGGBB integer.
    explicit CMColour(int packed)
        : red(((packed >> 16) & 255) / 255.0), green(((packed >> 8) & 255) / 255.0),
          blue((packed & 255) / 255.0)
    {
    }

    // 0xRRGGBB; each component times 255, truncated toward zero, low 8 bits.
    int Pack() const { return Component(red) << 16 | Component(green) << 8 | Component(blue); }

    // The component-wise average of two colours.
    static CMColour Mix(const CMColour& a, const CMColour& b)
    {
        return CMColour((a.red + b.red) / 2, (a.green + b.green) / 2, (a.blue + b.blue) / 2);
    }
    static CMColour Mix(const CMColour& a, int packed) { return Mix(a, CMColour(packed)); }

    bool operator==(const CMColour&) const = default;

    double red = 0;
    double green = 0;
    double blue = 0;

private:
    static int Component(double value) { return static_cast<int>(value * 255) & 255; }
};

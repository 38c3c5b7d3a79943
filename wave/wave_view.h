#pragma once
// State of the waveform view: the zoom, the scroll span, the two markers and
// the pen of the track being drawn; and the zoom steps.

#include <array>
#include <cstdint>

namespace zevo3 {

// Microseconds per pixel, from the widest picture to the narrowest.
inline constexpr std::array<int, 20> kZoomSteps = {25,  50,   100,  150,  200,  250, 300,
                                                   350, 400,  450,  500,  600,  700, 800,
                                                   900, 1000, 1200, 1500, 2000, 3000};

// The position of a divisor among the steps; 20 when it is not one of them.
int zoomIndex(int divisor);
// "＜": one step towards 25 (25 stays); "＞": one step towards 3000 (3000
// stays). A divisor that is not a step goes to 3000 with either.
int zoomLeft(int divisor);
int zoomRight(int divisor);

// A wheel's turns in eighths of a degree, 120 a notch, as whole steps:
// `perNotch` steps a notch, what is left over kept for the next turn the
// same way, so that a fine-grained wheel or a touch pad goes as far as a
// notched wheel. Positive is away from the operator (up).
class WheelSteps {
public:
    static constexpr int kNotch = 120;
    int take(int delta, int perNotch) {
        if (delta == 0) return 0;
        if (rest_ != 0 && (rest_ > 0) != (delta > 0)) rest_ = 0; // turned back
        const int64_t total = rest_ + int64_t(delta) * perNotch;
        rest_ = int(total % kNotch);
        return int(total / kNotch);
    }

private:
    int rest_ = 0;
};

// What a wheel turn over the waveform does: with Ctrl it zooms, otherwise
// it moves the picture sideways. Either way it counts on the axis it mostly
// came on, so that the wheel, Shift with the wheel (which some systems turn
// into a sideways turn) and a sideways tilt all act alike.
struct WheelTurn {
    bool zoom = false;
    int delta = 0; // eighths of a degree, positive up or to the left
};
inline WheelTurn wheelTurn(int dx, int dy, bool ctrl) {
    const int delta = (dy < 0 ? -dy : dy) >= (dx < 0 ? -dx : dx) ? dy : dx;
    return {ctrl, delta};
}

// Where the pen stands while a track is drawn.
struct PulsePen {
    int baseline = 45; // y of the low level
    int x = 0;
    int64_t time = 0; // microseconds drawn so far
};

struct WaveViewState {
    static constexpr int kImageWidth = 20000;
    int zoomDivisor = 200;    // microseconds per pixel
    int scrollSpan = -1500;   // how far the image may move left (negative)
    int referenceMarker = -1; // image x, -1 none
    int measureMarker = -1;
    PulsePen pen;

    // Set at every resize of the main window.
    static int scrollSpanFor(int scrollBarWidth) { return scrollBarWidth - kImageWidth - 20; }
    // The image's left edge for a scroll bar position: the product first,
    // then the division.
    int imageLeftFor(int position, int maximum) const {
        return maximum > 0 ? int(int64_t(position) * scrollSpan / maximum) : 0;
    }
};

} // namespace zevo3

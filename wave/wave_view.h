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

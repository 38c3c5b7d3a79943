#pragma once
// State of the waveform view: the zoom, the scroll span and the two markers.

namespace zevo3 {

struct WaveViewState {
    static constexpr int kImageWidth = 20000;
    int zoomDivisor = 200;    // microseconds per pixel
    int scrollSpan = -1500;   // how far the image may move left (negative)
    int referenceMarker = -1; // image x, -1 none
    int measureMarker = -1;

    // Set at every resize of the main window.
    static int scrollSpanFor(int scrollBarWidth) { return scrollBarWidth - kImageWidth - 20; }
};

} // namespace zevo3

#include "overlay_walk.h"

namespace zevo3 {

namespace {

constexpr int kEiritsuFrameSamples = 32;

// A pulse the cursors may read: past the last stored one (or the store's
// end) there is nothing, neither width nor high part.
WavePulse pulseAt(const WaveStore &store, int64_t k) {
    if (k < 0 || k > store.lastPulse || k >= WaveStore::kPulses) return {};
    return store.pulses[size_t(k)];
}

int xOf(int64_t t, const WalkGeometry &g) {
    const int scale = g.scale < 1 ? 1 : g.scale;
    return int(t / scale + g.left);
}

// The bit a low ("1") Eiritsu sample n sets in each byte; -1 none.
constexpr int8_t kPointerXBit[] = {-1, -1, -1, -1, -1, -1, 7,  -1, -1, 0, 1,
                                   2,  3,  -1, -1, -1, -1, -1, -1, -1, -1};
constexpr int8_t kPointerYBit[] = {-1, -1, -1, -1, -1, -1, -1, 7, -1, -1, -1,
                                   -1, -1, -1, -1, -1, -1, 0,  1, 2,  3};
constexpr int8_t kKeyBit[] = {-1, -1, -1, -1, -1, -1, 0, 1,  -1, -1, 2,
                              3,  -1, 4,  5,  -1, 6,  7, -1, -1, -1};

// Sets the bit the table gives for sample n, if any; later samples set none.
template <size_t N> void setBit(uint8_t &byte, const int8_t (&table)[N], int n) {
    if (n >= 0 && n < int(N) && table[n] >= 0) byte |= uint8_t(1u << table[n]);
}

} // namespace

int overlayNumber(const QString &text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

OverlaySettings OverlaySettings::philips(const QString &ts, const QString &tw,
                                         const QString &bits) {
    return {OverlayKind::Philips, overlayNumber(ts, 450), overlayNumber(tw, 878),
            overlayNumber(bits, 32)};
}

void walkOverlay(const WaveStore &store, const OverlaySettings &s, WalkFor mode,
                 const WalkGeometry &g, const std::function<void(const OverlaySample &)> &onSample,
                 const std::function<void(const OverlayFrame &)> &onFrame) {
    if (store.empty() || !s.walkable()) return;
    const bool eiritsu = s.kind == OverlayKind::Eiritsu;

    int64_t t = s.ts;
    int x = xOf(t, g);
    int n = 0;
    // Level cursor: the pulse it stands on and that pulse's end time.
    int64_t level = 0;
    int64_t end = pulseAt(store, 0).Width;
    // Frame cursor: the next pulse to pass, the frame end so far, and how
    // many pulses have been passed.
    int64_t framePulse = 0;
    int64_t frameEnd = 0;
    int64_t passed = 0;
    bool pointerMode = false; // decided once per walk
    OverlayFrame frame;

    for (int64_t count = 0; x < g.width && count < kMaxOverlaySamples; ++count) {
        if (t > end) {
            ++level;
            end += pulseAt(store, level).Width;
        }
        const WavePulse under = pulseAt(store, level);
        const bool high = t < end - under.Width + under.High;
        onSample({t, x, high, n});

        if (eiritsu) {
            if (!high) { // "1"
                if (n == 1) pointerMode = true;
                if (pointerMode) {
                    setBit(frame.xByte, kPointerXBit, n);
                    setBit(frame.yByte, kPointerYBit, n);
                } else {
                    setBit(frame.key, kKeyBit, n);
                }
            }
        } else if (high) {
            frame.word |= uint32_t(1) << (n % 32);
        }

        t += s.tw;
        ++n;
        x = xOf(t, g);

        const bool frameEnds = eiritsu                   ? n > kEiritsuFrameSamples - 1
                               : mode == WalkFor::Screen ? n == s.bits
                                                         : n >= s.bits;
        if (!frameEnds) continue;
        frame.x = x;
        frame.pointer = eiritsu && pointerMode;
        onFrame(frame);
        frame = OverlayFrame{};
        // The first pulse that ends at or after t; beyond the stored pulses
        // nothing more ends, so the walk is over.
        do {
            frameEnd += pulseAt(store, framePulse).Width;
            ++framePulse;
            ++passed;
        } while (t > frameEnd && passed <= store.lastPulse);
        n = 0;
        t = frameEnd + s.ts;
        x = xOf(t, g);
        if (store.lastPulse < passed) break;
    }
}

OverlayWalk walkOverlay(const WaveStore &store, const OverlaySettings &settings, WalkFor mode,
                        const WalkGeometry &geometry) {
    OverlayWalk walk;
    walkOverlay(
        store, settings, mode, geometry,
        [&walk](const OverlaySample &sample) { walk.samples.push_back(sample); },
        [&walk](const OverlayFrame &frame) { walk.frames.push_back(frame); });
    return walk;
}

QString overlayLabel(OverlayKind kind, bool high) {
    const bool one = kind == OverlayKind::Philips ? high : !high;
    return one ? QStringLiteral("1") : QStringLiteral("0");
}

FrameTexts frameTexts(OverlayKind kind, const OverlayFrame &f) {
    FrameTexts texts;
    const auto hex = [](unsigned v) {
        return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    };
    if (kind == OverlayKind::Eiritsu) {
        if (f.pointer) {
            texts.upper = QStringLiteral("x:") + hex(f.xByte);
            texts.lower = QStringLiteral("y:") + hex(f.yByte);
        } else {
            texts.lower = QStringLiteral("k:") + hex(f.key);
        }
    } else if (kind == OverlayKind::Philips) {
        texts.lower = QStringLiteral(" m:");
        for (int i = 0; i < 4; ++i)
            texts.lower += hex((f.word >> (8 * i)) & 0xff) + QLatin1Char(' ');
    }
    return texts;
}

bool overlaySuppressedBy(const QString &result) {
    return result.contains(QLatin1String("Tm:"));
}

} // namespace zevo3

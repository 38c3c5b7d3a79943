#pragma once
// The two faces of the tool's windows, at a size in pixels: the proportional
// "ＭＳ Ｐゴシック" of the forms and the fixed-pitch "ＭＳ ゴシック" of the
// grids and the log, each with a Noto CJK face where those are not installed.

#include <QFont>

namespace zevo3 {

inline QFont formFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixels);
    return font;
}

inline QFont fixedFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixels);
    return font;
}

} // namespace zevo3

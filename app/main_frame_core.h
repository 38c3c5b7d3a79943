#pragma once
// Rules of the main window's frame that need no window.

#include <QDateTime>
#include <QRect>
#include <QString>

namespace zevo3 {

inline constexpr int kMinWidth = 500;
inline constexpr int kMinHeight = 400;

// The application title, followed by the executable's date when it is known:
// "MORIKA ZEVO3 Tool  [ Ver.20050412 ]".
QString windowTitleFor(const QDateTime &executableModified);

// The start geometry: 600 wide, screen height - 200 high, centred
// horizontally with its top at 100.
QRect startGeometry(const QRect &screen);

struct ColumnSplit {
    int comments;
    int result;
};
// The table's free width goes four tenths to Comments, the rest to Result.
ColumnSplit splitTableColumns(int gridWidth, int col0, int col1, int col2);

} // namespace zevo3

#include "main_frame_core.h"

#include "link_texts.h"

#include <algorithm>

namespace zevo3 {

QString windowTitleFor(const QDateTime &executableModified) {
    if (!executableModified.isValid()) return texts::appTitle();
    return texts::appTitle() + QStringLiteral("  [ Ver.") +
           executableModified.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" ]");
}

QRect startGeometry(const QRect &screen) {
    const int width = 600;
    const int height = std::max(kMinHeight, screen.height() - 200);
    return QRect(screen.x() + (screen.width() - width) / 2, screen.y() + 100, width, height);
}

ColumnSplit splitTableColumns(int gridWidth, int col0, int col1, int col2) {
    const int rest = gridWidth - 27 - col0 - col1 - col2;
    const int comments = (rest / 10) * 4;
    return {comments, rest - comments};
}

} // namespace zevo3

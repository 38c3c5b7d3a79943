#include "annotation.h"

namespace zevo3 {

QString annotationLabel(int row, int carrier, const QString &comment) {
    QString label = QString::asprintf("No.%d: %2d.%dkHz", row, carrier / 10, carrier % 10);
    if (!comment.isEmpty()) label += QLatin1Char(' ') + comment;
    return label;
}

CheckSound codeCheckSound(const QString &code, const QString &result, const QString &nextResult) {
    if (code != result) return CheckSound::Chord;
    return nextResult.isEmpty() ? CheckSound::Tada : CheckSound::None;
}

QString soundFileName(CheckSound sound) {
    switch (sound) {
    case CheckSound::Chord:
        return QStringLiteral("chord.wav");
    case CheckSound::Tada:
        return QStringLiteral("tada.wav");
    case CheckSound::None:
        break;
    }
    return {};
}

} // namespace zevo3

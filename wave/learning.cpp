#include "learning.h"

#include "code_table.h"

#include <cstdio>

namespace zevo3 {

QByteArray learningTimeMessage(QByteArrayView text) {
    const int32_t ms = decimalOr(trimmedCell(text), 200);
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "Lend:%04d", ms);
    return QByteArray(buffer, n);
}

} // namespace zevo3

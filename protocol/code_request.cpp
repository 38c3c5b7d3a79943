#include "code_request.h"

namespace zevo3 {

std::optional<uint32_t> fieldNumber(const QString &typed) {
    const QString text = typed.trimmed();
    bool ok = false;
    const qulonglong value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                 ? text.mid(2).toULongLong(&ok, 16)
                                 : text.toULongLong(&ok, 10);
    if (!ok || value > 0xFFFFFFFFull) return std::nullopt;
    return uint32_t(value);
}

QString requestedName(const QString &protocol, uint32_t address, uint32_t command) {
    const auto hex = [](uint32_t value) {
        return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
    };
    return QStringLiteral("%1 %2 %3").arg(protocol, hex(address), hex(command));
}

RequestedCode requestCode(const CodeRequest &request) {
    RequestedCode out;
    using Problem = RequestedCode::Problem;
    const std::optional<ProtocolFields> fields = protocolFields(request.protocol);
    if (!fields) {
        out.message = encodeSignal(request.protocol, 0, 0).message;
        return out;
    }
    out.fields = *fields;
    const std::optional<uint32_t> address = fieldNumber(request.address);
    const std::optional<uint32_t> command = fieldNumber(request.command);
    const auto fits = [](uint32_t value, int bits) {
        return bits >= 32 || value < (uint32_t(1) << bits);
    };
    if (!address)
        out.problem = Problem::AddressNumber;
    else if (!command)
        out.problem = Problem::CommandNumber;
    else if (!fits(*address, fields->addressBits))
        out.problem = Problem::AddressWidth;
    else if (!fits(*command, fields->commandBits))
        out.problem = Problem::CommandWidth;
    else {
        const EncodedCode encoded =
            encodeSignal(request.protocol, *address, *command, request.repeats, request.toggle);
        out.message = encoded.message;
        if (!encoded.ok) {
            out.problem = Problem::Encoder;
            return out;
        }
        out.problem = Problem::None;
        out.code.name = requestedName(request.protocol, *address, *command);
        out.code.signal = encoded.signal;
    }
    return out;
}

} // namespace zevo3

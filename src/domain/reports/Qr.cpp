#include "domain/reports/Qr.h"

#include <qrencode.h>

namespace tanabana::reports {

QrCode encodeQr(const QString& text) {
    QrCode code;
    if (text.isEmpty()) return code;
    const QByteArray bytes = text.toUtf8();
    QRcode* raw = QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M);
    if (!raw) return code;
    code.size = raw->width;
    code.dark.resize(size_t(raw->width) * size_t(raw->width));
    for (size_t i = 0; i < code.dark.size(); ++i) code.dark[i] = (raw->data[i] & 1) != 0;
    QRcode_free(raw);
    return code;
}

}  // namespace tanabana::reports

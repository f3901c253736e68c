#pragma once
// QR codes for printed documents (the e-invoice's signed QR on a sales bill): the square of dark
// and light modules, drawn as vector squares so it scans at any print resolution.
#include <QString>
#include <vector>

namespace tanabana::reports {

struct QrCode {
    int size = 0;                // modules per side; 0 when the text could not be encoded
    std::vector<bool> dark;      // size * size, row by row
    bool at(int x, int y) const { return dark[size_t(y) * size_t(size) + size_t(x)]; }
};

// Encodes UTF-8 text at error-correction level M.
QrCode encodeQr(const QString& text);

}  // namespace tanabana::reports

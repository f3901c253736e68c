#pragma once
// The checks a GSTIN must pass before a firm or party is saved with it: 15 characters, the first
// two equal to the code of the chosen state ("24" for "24-Gujarat"), "Z" in the 14th place, the
// check character in the 15th, and for parties the PAN inside it (6th character a PAN holder
// type, 8th to 11th digits).
//
//   24AABCS1234F1ZX with "24-Gujarat" passes; with "27-Maharashtra" it is a state code problem.
#include <QString>
#include <optional>

namespace tanabana::masters {

struct Refusal {
    QString title;
    QString text;
};

enum class GstinChecks { Firm, Party };

// The first failed check, or nothing when the GSTIN passes (an empty GSTIN always passes).
std::optional<Refusal> checkGstin(const QString& gstin, const QString& state, GstinChecks checks);

}  // namespace tanabana::masters

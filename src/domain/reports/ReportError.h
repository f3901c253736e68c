#pragma once
// Why a report could not be produced (missing layout, bad query, wrong parameter, unwritable
// folder), in words the operator can act on.
#include <QString>
#include <stdexcept>

namespace tanabana::reports {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

}  // namespace tanabana::reports

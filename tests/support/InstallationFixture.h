#pragma once
// A whole installation for tests on the engine of this run: a temporary data root, and on
// PostgreSQL schemas under a prefix of this test only, dropped afterwards.
#include "domain/shell/Installation.h"

#include <QTemporaryDir>
#include <memory>

namespace tanabana::test {

class InstallationFixture {
public:
    InstallationFixture();
    ~InstallationFixture();
    shell::Installation& installation() { return installation_; }
    const QString& root() const { return root_; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString root_;
    QString prefix_;
    shell::Installation installation_;
};

}  // namespace tanabana::test

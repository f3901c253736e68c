#pragma once
// Where the lines of a sales bill come from besides typing them by quality: the colours of a
// design ticked together (a production firm selling pieces), or the party's unbilled challans of
// a period ticked into one bill. A source adds its panel, its line fields and grid columns to the
// sales screen and hears when a bill is started, opened or a line added.
#include "gui/common/DocumentForm.h"
#include "gui/trade/SalesScreen.h"

#include <memory>

namespace tanabana::gui {

class SalesLineSource {
public:
    explicit SalesLineSource(SalesScreen& screen) : s_(screen) {}
    virtual ~SalesLineSource() = default;

    // The window's name and title.
    virtual QString objectName() const = 0;
    virtual QString title() const = 0;
    // Line fields before the quality, and the quality field itself.
    virtual std::vector<DocField> fieldsBeforeQuality() { return {}; }
    virtual DocField qualityField();
    // Grid columns after the common ones, and their cells for a line.
    virtual std::vector<GridColumn> columns() const { return {}; }
    virtual std::vector<Cell> cells(const trade::SalesLine& line) const { return {}; }
    // Its panel, declared with the screen; its keys once the screen's key order stands.
    virtual void build() {}
    virtual void wire() {}
    virtual void started() {}
    virtual void opened() {}
    // A line was added (true: the source put the cursor where the next line starts).
    virtual bool lineAdded() { return false; }
    virtual void lineTakenBack(const trade::SalesLine& line) {}

protected:
    // What the sources reach of the screen.
    db::Database& db() const { return s_.db_; }
    Session& session() const { return s_.session_; }
    Messages& messages() const { return s_.serviceMessages_; }
    std::vector<trade::SalesLine>& lines() const { return s_.lines_; }
    LookupField* party() const { return s_.party_; }
    LookupField* quality() const { return s_.quality_; }
    QLineEdit* text(const QString& name) const { return s_.textField(name); }
    QDate billDate() const;
    qint64 billId() const { return s_.documentId(); }
    void addPanel(QWidget* panel, const QList<QWidget*>& keyFields, bool afterLine) { s_.addPanel(panel, keyFields, afterLine); }
    EntryKeys* keys() const { return s_.keys(); }
    void linesChanged() const;

    SalesScreen& s_;
};

std::unique_ptr<SalesLineSource> salesLineSource(SalesScreen::Kind kind, SalesScreen& screen);

}  // namespace tanabana::gui

#pragma once
// The register screen every register of the report menus opens on: a filter bar (period, the
// kind of register when it has several, and the party, book and quality pickers the register
// offers), the grid of its lines (group headings, rows, bold "Sub Tot" and "Total" lines, amounts
// in Indian grouping, quantities with three decimals, dates dd-MM-yyyy), and Preview, Print, PDF
// and Excel through the report output. Enter or a double click on a row opens its document.
//
//   auto* form = new RegisterForm(db, session, messages, reports::registersOfCommand("mnu_R41"));
//   form->setOpenDocument([](reports::DocumentKind kind, qint64 id) { ... open the bill ... });
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/Register.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

class LookupField;

class RegisterForm : public QWidget {
    Q_OBJECT
public:
    RegisterForm(db::Database& db, Session& session, Messages& messages, std::vector<const reports::RegisterDefinition*> kinds,
                 QWidget* parent = nullptr);
    ~RegisterForm() override;

    using OpenDocument = std::function<void(reports::DocumentKind kind, qint64 id)>;
    void setOpenDocument(OpenDocument open) { open_ = std::move(open); }
    // How PDF and Excel ask for the file to write (a save dialog; tests answer directly).
    void setFileAsker(std::function<QString(const QString& suggestedPath)> asker) { askFile_ = std::move(asker); }

    // Runs the register with the filter bar's values; a refusal is shown and the grid emptied.
    bool refresh();
    const reports::RegisterResult* result() const { return result_ ? &*result_ : nullptr; }
    const reports::RegisterDefinition& currentKind() const;
    // Opens the document of a grid row (what Enter and a double click do); false when the row
    // stands for none.
    bool openRow(int row);
    // Opens what one cell stands for: a two-sided statement opens the account of the side.
    bool openCell(int row, int column);
    // Fixed parts of the choice a drill-down list is opened with (the account, the group, the
    // dates); the filter bar shows the dates.
    void setPreset(const reports::RegisterChoice& choice);

    // A command of one register's own on the button row ("RCM Calculate"), given the result row
    // the cursor stands for (-1 when none); the register is run again after it.
    using RowCommand = std::function<void(const reports::RegisterResult& result, int dataRow)>;
    QPushButton* addRowCommand(const QString& objectName, const QString& caption, RowCommand command);
    // The result row of the current grid line: a row's own, the first row under a heading, the
    // last row above a sub-total; -1 for the grand total or an empty grid.
    int currentDataRow() const;

    // A screen's own options (a rate, a tick) go in this row under the filter bar, and `maker`
    // turns the chosen kind and those options into the register to run.
    QHBoxLayout* optionsBar() const { return options_; }
    using DefinitionMaker = std::function<reports::RegisterDefinition(const reports::RegisterDefinition& kind)>;
    void setDefinitionMaker(DefinitionMaker maker) { maker_ = std::move(maker); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void kindChanged();
    void showLines();
    std::optional<reports::RegisterChoice> choice();
    bool needResult();
    void preview();
    void print();
    void writeFile(const QString& suffix);
    QString askFile(const QString& suggestedName, const QString& suffix);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::vector<const reports::RegisterDefinition*> kinds_;
    std::optional<reports::RegisterResult> result_;
    OpenDocument open_;
    std::function<QString(const QString&)> askFile_;

    QComboBox* kind_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    LookupField* party_ = nullptr;
    LookupField* book_ = nullptr;
    LookupField* item_ = nullptr;
    reports::RegisterChoice preset_;
    QLabel* fromCaption_ = nullptr;
    QLabel* toCaption_ = nullptr;
    QLabel* partyCaption_ = nullptr;
    QLabel* bookCaption_ = nullptr;
    QLabel* itemCaption_ = nullptr;
    QPushButton* show_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* filters_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    int ownCommands_ = 0;
    QHBoxLayout* options_ = nullptr;
    DefinitionMaker maker_;
};

}  // namespace tanabana::gui

#pragma once
// The shape every document screen shares (sales bills, challans, production, purchase, returns,
// vouchers): header fields, a line entered in a row of fields and shown in the grid of lines with
// a bold total row, charges and totals under it, the buttons New, Save, Delete, Print, PDF,
// WhatsApp and Exit, and the list of saved documents (searched by number, party, amount and
// dates, a page at a time; Enter or Space opens one). A screen declares its fields and columns and
// writes its own rules; the form gives the keys (Enter on, Esc back and out of the first field,
// F2/F3/F4 texts), the typed-value checks before a save, the unsaved-changes question, and keeps a
// saved document on screen with its number, ready to print.
//
//   declareHeader({DocField::choice("txtBook", "Book"), DocField::text("txtBillNo", "Bill No"),
//                  DocField::date("DtpBillDate", "Bill Date"), DocField::lookup("txtParty", "Party", parties)});
//   declareLine({DocField::lookup("txtQuality", "Quality", qualities), DocField::number("txtMtrs", "Mtrs", 3)});
//   declareGrid({GridColumn::text("Quality"), GridColumn::number("Mtrs", 3, true)});
//   finishLayout();   // last in the constructor: key order from the declarations, a new document
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "core/TypedValues.h"
#include "domain/documents/DocumentList.h"
#include "gui/common/LookupField.h"
#include "gui/common/MessageBoxes.h"

#include <QDate>
#include <QWidget>
#include <functional>
#include <map>
#include <variant>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace tanabana::gui {

class DateBox;
class EntryKeys;
class NumberBox;

// A search list's source: typed rows of the domain shown under captions, the key taken and the
// text put in the box. Built with typedSource below.
struct LookupSource {
    LookupField::Search search;
    QString keyColumn = QStringLiteral("Id");
    QString textColumn;
};

// A search over typed structs: `fetch(prefix)` gives the rows, `columns` the captions and the
// text of each (the first one goes into the box), `key` the key taken.
template <typename T>
LookupSource typedSource(std::function<std::vector<T>(const QString&)> fetch,
                         std::vector<std::pair<QString, std::function<QString(const T&)>>> columns,
                         std::function<qint64(const T&)> key) {
    QStringList captions;
    for (const auto& c : columns) captions << c.first;
    captions << QStringLiteral("Id");
    auto names = std::make_shared<const QStringList>(captions);
    LookupSource source;
    source.textColumn = captions.first();
    source.search = [fetch, columns, key, names](const QString& prefix) {
        db::Rows rows;
        for (const T& item : fetch(prefix)) {
            QVariantList values;
            for (const auto& c : columns) values << c.second(item);
            values << key(item);
            rows.emplace_back(names, values);
        }
        return rows;
    };
    return source;
}

struct DocField {
    // Info: a computed text beside the fields (last bill number, the party's sales), not typed.
    // OptionalDate: a date that may be left empty (the lorry receipt's date).
    enum Kind { Text, Number, Date, OptionalDate, Lookup, Choice, Info };
    QString name;  // the widget's object name
    QString caption;
    Kind kind = Text;
    int width = 0;  // 0: as the layout gives
    int span = 1;   // header cells (caption and field pairs) the field takes
    NumberRule rule{3, false, 12};
    LookupSource source;
    QStringList choices;

    static DocField text(const QString& name, const QString& caption, int width = 0, int span = 1);
    static DocField number(const QString& name, const QString& caption, int places = 3, int width = 80);
    static DocField date(const QString& name, const QString& caption);
    static DocField optionalDate(const QString& name, const QString& caption);
    static DocField lookup(const QString& name, const QString& caption, LookupSource source, int span = 1);
    static DocField choice(const QString& name, const QString& caption, const QStringList& choices, int width = 0);
    static DocField info(const QString& name, int span = 1);
};

// A grid cell: a text, an amount or quantity, or a date.
using Cell = std::variant<QString, Decimal, QDate>;

struct GridColumn {
    QString caption;
    enum Kind { Text, Number, Date } kind = Text;
    int places = 2;       // Number: decimals shown, in Indian grouping
    bool summed = false;  // added up in the bold total row
    static GridColumn text(const QString& caption) { return {caption, Text, 0, false}; }
    static GridColumn number(const QString& caption, int places, bool summed = false) {
        return {caption, Number, places, summed};
    }
    static GridColumn date(const QString& caption) { return {caption, Date, 0, false}; }
};

// A column of the saved-documents list: what of a listed document it shows.
struct ListColumn {
    enum Source { Number, Date, Party, Amount, Marked, Text, Figure };
    ListColumn(Source source_, QString caption_, int index_ = 0, int places_ = 2)
        : source(source_), caption(std::move(caption_)), index(index_), places(places_) {}
    Source source;
    QString caption;
    int index = 0;   // Text, Figure: which of the document's texts or figures
    int places = 2;  // Figure
};

class DocumentForm : public QWidget {
    Q_OBJECT
public:
    // Refusals and questions go to `messages` (tests), else to message boxes over the screen.
    DocumentForm(const QString& objectName, const QString& caption, Session& session, Messages* messages = nullptr,
                 QWidget* parent = nullptr);
    ~DocumentForm() override;

    // The saved document on screen; 0 for a new one.
    qint64 documentId() const { return documentId_; }
    bool hasUnsavedChanges() const { return changed_; }
    QPushButton* button(const QString& objectName) const;
    QTableWidget* lineGrid() const { return grid_; }
    QTableWidget* savedList() const { return list_; }
    QLabel* statusLabel() const { return status_; }
    // The list's search box and the page shown (from 0).
    QLineEdit* listSearch() const { return find_; }
    int listPage() const { return page_; }
    void showListPage(int page);
    QString listPosition() const;
    QSize sizeHint() const override;

public slots:
    // New (after the unsaved-changes question), Save (typed values checked first), Delete.
    void newEntry();
    bool saveEntry();
    void deleteEntry();
    void refreshList();
    // Opens a saved document from the list (after the unsaved-changes question).
    void openEntry(qint64 id);

protected:
    // Declarations, in key order.
    void declareHeader(const std::vector<DocField>& fields, int pairsPerRow = 4);
    void declareLine(const std::vector<DocField>& fields, const QString& title = QStringLiteral("Line"));
    void declareGrid(const std::vector<GridColumn>& columns);
    void declareCharges(const std::vector<DocField>& fields);
    void declareList(const std::vector<ListColumn>& columns, const QString& searchHint);
    // A panel of the screen's own (a line source) placed after the header or after the line
    // entry; its fields join the key order there.
    void addPanel(QWidget* panel, const QList<QWidget*>& keyFields, bool afterLine);
    // A screen's own button, before Exit. A button of a saved document is enabled only when one is open.
    QPushButton* addButton(const QString& name, const QString& text, std::function<void()> action, bool savedOnly = false);
    // A standard button this screen does not offer: disabled for good, the reason in its tip.
    void setUnavailable(const QString& buttonName, const QString& why);
    // A widget of the screen's own among the buttons (a print layout, an SMS form), before Exit.
    void addToButtonBar(QWidget* widget);
    // A widget of the screen's own in the bar above the saved list (a book or "pending" filter).
    void addListFilter(QWidget* widget);
    // Wires the keys and starts a new document; last in the constructor.
    void finishLayout();

    template <typename W>
    W* field(const QString& name) const {
        return qobject_cast<W*>(fields_.at(name));
    }
    QLineEdit* textField(const QString& name) const;
    NumberBox* numberField(const QString& name) const;
    DateBox* dateField(const QString& name) const;
    LookupField* lookupField(const QString& name) const;
    QComboBox* choiceField(const QString& name) const;
    // Selects the entry carrying `data` (a saved document's book) without running the box's change
    // handler, which would propose a new number over the document's own.
    static void showChoice(QComboBox* box, const QVariant& data);
    QLabel* infoField(const QString& name) const;
    // An optional date: null when left empty (a refused one is caught before the save).
    QDate optionalDate(const QString& name) const;
    void setOptionalDate(const QString& name, const QDate& date);
    Decimal numberOf(const QString& name) const;
    QString textOf(const QString& name) const;

    // Shows the first refusal of a typed value among the line's fields (cursor kept there); true when refused.
    bool refuseTypedLine();
    // The grid's lines; the bold total row follows, adding up the summed columns.
    void setLines(const std::vector<std::vector<Cell>>& rows);
    void setColumnCaption(int column, const QString& caption);
    void setColumnHidden(int column, bool hidden);
    // The text under the grid beside the charges, and the net amount in large type (empty hides it).
    void setTotals(const QString& text, const QString& net);
    void setStatus(const QString& text);
    // The document on screen became this saved one (0: new); buttons of a saved document follow.
    void setDocumentId(qint64 id);
    // Something on screen changed since it was opened, started or saved.
    void markChanged() { changed_ = true; }
    void markClean() { changed_ = false; }
    EntryKeys* keys() const { return keys_; }
    // The first field of the line entry (where Enter after a line comes back to).
    QWidget* firstLineField() const { return lineFields_.isEmpty() ? nullptr : lineFields_.first(); }
    QWidget* firstChargeField() const { return chargeFields_.isEmpty() ? nullptr : chargeFields_.first(); }

    // The screen's rules.
    virtual void clearDocument() = 0;            // a new document: defaults, proposed number
    virtual bool saveDocument() = 0;             // true when saved (documentId set)
    virtual void loadDocument(qint64 id) = 0;    // shows a saved document
    virtual bool removeDocument(qint64 id) = 0;  // after the service's questions
    virtual documents::DocumentPage listDocuments(const documents::ListFilter& filter) = 0;
    // Print or PDF of the saved document on screen; WhatsApp when the screen sends one.
    virtual void printDocument(bool pdf) = 0;
    virtual bool sendsWhatsApp() const { return false; }
    virtual void sendWhatsApp() {}
    // A listed document's mark ticked or cleared in the list (audited); false puts it back.
    virtual bool markListed(qint64 id, bool marked) { return false; }
    // A function key the screen handles itself; true when handled.
    virtual bool functionKey(int key) { return false; }

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;

private:
    QWidget* makeField(const DocField& f);
    bool refuseTyped();
    void openListRow(int row);
    void listMarkChanged(int row, int column);

    QVBoxLayout* layout_ = nullptr;
    QWidget* headerBox_ = nullptr;
    QWidget* lineBox_ = nullptr;
    QVBoxLayout* panelsAfterHeader_ = nullptr;
    QVBoxLayout* panelsAfterLine_ = nullptr;
    QGridLayout* chargesGrid_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* net_ = nullptr;
    QLabel* status_ = nullptr;
    QLineEdit* find_ = nullptr;
    DateBox* listFrom_ = nullptr;
    DateBox* listTo_ = nullptr;
    QLabel* position_ = nullptr;
    QTableWidget* list_ = nullptr;
    QWidget* listBar_ = nullptr;
    QWidget* buttonBar_ = nullptr;
    EntryKeys* keys_ = nullptr;

    std::map<QString, QWidget*> fields_;
    std::vector<DocField> declared_;
    QList<QWidget*> headerFields_, afterHeaderFields_, lineFields_, afterLineFields_, chargeFields_;
    std::vector<GridColumn> columns_;
    std::vector<ListColumn> listColumns_;
    std::vector<qint64> listedIds_;
    QList<QPushButton*> savedOnly_;
    qint64 documentId_ = 0;
    bool changed_ = false;
    bool filling_ = false;  // the form itself is filling fields: not the operator's change
    int page_ = 0;
    documents::DocumentPage shownPage_;
};

}  // namespace tanabana::gui

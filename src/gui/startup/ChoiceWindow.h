#pragma once
// A small list to choose one row from with the keyboard, as the start-up steps use it (firm
// folders, financial years, firms): arrows move, Enter (and Space where allowed) or a
// double-click chooses.
#include <QDialog>
#include <QStringList>
#include <vector>

class QTableWidget;

namespace tanabana::gui {

class ChoiceWindow : public QDialog {
    Q_OBJECT
public:
    ChoiceWindow(const QString& objectName, const QString& title, const QStringList& headers, bool spaceChooses,
                 QWidget* parent = nullptr);
    void setRows(const std::vector<QStringList>& rows, int current);
    int rowCount() const;
    int currentRow() const;
    QString cell(int row, int column) const;
    QTableWidget* grid() const { return grid_; }

signals:
    void chosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose();
    QTableWidget* grid_;
    bool spaceChooses_;
};

}  // namespace tanabana::gui

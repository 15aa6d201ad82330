// The workbook window: the cells of a workbook in a table view (columns A,
// B, C..., rows 1, 2, 3... as a spreadsheet shows them), with Save as (XLSX,
// CSV: the format from the name typed or the filter chosen) and "Открыть в
// табличном редакторе" (a temporary .xlsx opened with the desktop's program).
// One window per shown workbook, deleted when closed.
//
// Controls (objectName): Cells (the table view), actions SaveAs, OpenInSpreadsheet.
#pragma once

#include "reports/workbook.h"

#include <QAbstractTableModel>
#include <QMainWindow>
#include <memory>

class QAction;
class QTableView;

namespace tavel {

// The cells of a workbook for a view, read only.
class WorkbookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WorkbookModel(std::shared_ptr<const Workbook> book, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "A".."Z", "AA"... for 0-based columns.
    static QString columnName(int column);

private:
    std::shared_ptr<const Workbook> book_;
};

class WorkbookWindow : public QMainWindow {
    Q_OBJECT
public:
    // Shows `book` in a new window of its own, in front.
    static WorkbookWindow* showWorkbook(std::shared_ptr<const Workbook> book, QWidget* parent = nullptr);

    explicit WorkbookWindow(std::shared_ptr<const Workbook> book, QWidget* parent = nullptr);

    QTableView* Cells;
    QAction* SaveAs;
    QAction* OpenInSpreadsheet;

    bool saveAs();
    void openInSpreadsheet();

private:
    std::shared_ptr<const Workbook> book_;
};

} // namespace tavel

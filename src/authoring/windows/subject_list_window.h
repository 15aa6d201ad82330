// The subject list `TSpisPredm` ("Список предметов"): the catalogue
// Baza\Papka.dat in the table `Papki`, edited in place; `Plus` inserts a new
// subject at the current row, `Udal` (its caption the number of the row last
// chosen with the mouse or the keyboard, "0" after loading) deletes the
// current row, `SaveTab` rewrites the catalogue.
//
// The table is loaded from the file every time the window is shown (it is
// modal, so that is every time it becomes active from the program; coming
// back from another program keeps the edits), so unsaved edits are dropped
// when it is closed. Saving converts every row
// first: a bad row is named and the former catalogue stays whole; cut names,
// cut or shared folder names are named in a question before writing. A saved
// catalogue refills the subject list of the main window; the subject open
// there stays open until another is chosen.
#pragma once

#include "storage/install_folder.h"

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;
class QTableView;

namespace tavel {

struct SubjectRecord;
class SubjectTableModel;

class TSpisPredm : public QDialog {
    Q_OBJECT
public:
    explicit TSpisPredm(InstallFolder home, QWidget* parent = nullptr);

    QTableView* Papki;
    QPushButton* Plus;
    QPushButton* Udal;
    QPushButton* SaveTab;

    SubjectTableModel& model() { return *model_; }

    // Called with the records after every successful save.
    void onSaved(std::function<void(const std::vector<SubjectRecord>&)> handler) { saved_ = std::move(handler); }

    void FormActivate();
    void PlusClick();
    void UdalClick();
    void SaveTabClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void currentRowChanged(int row);
    int currentRow() const;

    InstallFolder home_;
    SubjectTableModel* model_;
    std::function<void(const std::vector<SubjectRecord>&)> saved_;
    bool deleting_ = false;
};

} // namespace tavel

// The unanswered-questions window `TNeotWopr` (main menu N17 "Неотвеченные
// вопросы"): the running test's unanswered list with its marks, the filter
// that keeps the questions not answered right, and their printout into a
// document of the window's own holder, shown in a document window.
//
// The window reads the list through a getter (the running test's
// unansweredList()) every time it is activated; it is shown without being
// modal and may stay open while the test goes on.
#pragma once

#include "reports/document.h"
#include "session/unanswered.h"
#include "storage/install_folder.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace tavel {

// `WoprP`: the rows of the list as the window showed them last, columns "№",
// "                 Вопрос" and "Метка".
class UnansweredModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void fill(const QuestionList& rows);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QuestionList rows_;
};

class TNeotWopr : public QWidget {
    Q_OBJECT
public:
    using ListGetter = std::function<UnansweredList&()>;

    TNeotWopr(ListGetter list, InstallFolder home, QWidget* parent = nullptr);

    QTableView* WoprP;
    QLineEdit* NeotTema;
    QPushButton* DelPraw;  // "Оставить неотвеченные вопросы"
    QPushButton* ProtNew;  // "Печать этих вопросов"
    QProgressBar* Gauge1;

    // N17: the caption, then the window shown and brought to the front.
    void N17Click(const QString& subjectName);
    // On every activation: WoprP and NeotTema from the list.
    void FormActivate();
    // The filter, then the fill.
    void DelPrawClick();
    // The printout into a new document of the window's holder, shown in a
    // document window; "Вопросов нет" when the list is empty. Files that
    // could not be put in are listed in one message at the end.
    void ProtNewClick();

    DocumentHolder& holder() { return holder_; }
    UnansweredModel& model() { return model_; }

protected:
    bool event(QEvent* event) override;

private:
    ListGetter list_;
    InstallFolder home_;
    UnansweredModel model_;
    DocumentHolder holder_;
};

} // namespace tavel

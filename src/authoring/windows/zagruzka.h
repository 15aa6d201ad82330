// The question-base editor `TZagruzka` ("Импорт новых тем, вопросов,
// ответов. Редактирование имеющихся."): the record files of the current
// subject as editable grids (editor_grids.h) with the buttons of the groups
// "Тема", "Вопросы", "Ответы", "Раздел" and "Импорт темы".
//
// Reached from the main menu's `N2` "Импорт тестов и рисунков. Редактор.":
// the start screen is left, the administrator prompt asked, and for a user
// with the access letter "Z" the editor is shown modally. Every showing loads
// the four grids from the files (a damaged file is named in a warning and
// shown as far as it could be read). Each "Запомнить" rewrites one file,
// atomically, after a warning about cells that will not be stored as they
// stand. Closing with unsaved grids asks, grid by grid, whether to save.
// After the editor closes, the main window rereads the subject's files.
//
// The import group's buttons and the grid `IzTXT` belong to the import
// (authoring/import_*.h, handlers in zagruzka_import.cpp).
//
// "Печать темы" builds the listing of the current topic row as a document
// (authoring/topic_listing.h) in the editor's own document holder and shows
// it in a document window (print, save as ODT, PDF or HTML).
#pragma once

#include "authoring/editor_grids.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace tavel {

class DocumentHolder;
class TForm1;
struct WindowSet;

class TZagruzka : public QDialog {
    Q_OBJECT
public:
    static QString caption();

    // Makes the menu entry N2 of `form` open this window.
    TZagruzka(TForm1& form, WindowSet& windows);
    ~TZagruzka() override;

    authoring::EditorGrids& grids() { return grids_; }
    QTableView* view(authoring::Grid grid) const;

    // Grids.
    QTableView* RazdelTab;
    QTableView* TemaTabl;
    QTableView* WopTabl;
    QTableView* OtwTabl;
    QTableView* IzTXT;
    // "Тема"
    QGroupBox* temaGroup;
    QPushButton* ZapTema;
    QPushButton* TemaMin;
    QPushButton* TemaPlus;
    QPushButton* BitBtn1;
    QPushButton* Tema;
    QLineEdit* KolTem;
    QLineEdit* NoTem;
    // "Вопросы"
    QGroupBox* woprGroup;
    QPushButton* ZapWopr;
    QPushButton* WopMin;
    QPushButton* WoprPlus;
    QPushButton* Wwerh9;
    QPushButton* Wniz9;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* PtiwGif;
    QPushButton* WoprZ;
    QLineEdit* KolWop;
    QLineEdit* NoWop;
    QLineEdit* ImyFile;
    // "Ответы"
    QGroupBox* otwGroup;
    QPushButton* ZapOtw;
    QPushButton* OtwMin;
    QPushButton* OtwPlus;
    QPushButton* OtwetZ;
    QLineEdit* KolOtw;
    QLineEdit* NoOtw;
    QLineEdit* KOtwWopr;
    // "Импорт темы" with "Читать txt файл"
    QGroupBox* importGroup;
    QGroupBox* readGroup;
    QPushButton* EGE;
    QPushButton* ZagTXT;
    QPushButton* wVopros;
    QPushButton* IzGener;
    QPushButton* Dekodir;
    QPushButton* TemExam;
    QProgressBar* Gauge1;
    // The file last read into IzTXT and the encoding it was read in.
    QLabel* IzTXTFile;
    // "Раздел"
    QGroupBox* razdelGroup;
    QPushButton* ZapRazdel;
    QPushButton* RazdelZ;

    // The subject folder's real path and its Foto folder (resolved, not created).
    QString subjectFolder() const;
    QString fotoFolder() const;

    // Handlers.
    void N2Click();
    void FormShow();
    void ZapRazdelClick();
    void ZapTemaClick();
    void ZapWoprClick();
    void ZapOtwClick();
    void TemaMinClick();
    void WopMinClick();
    void OtwMinClick();
    void TemaPlusClick();
    void WoprPlusClick();
    void OtwPlusClick();
    void Wwerh9Click();
    void Wniz9Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void PtiwGifClick();
    void TemExamClick();
    void BitBtn1Click();
    // The import (zagruzka_import.cpp): the four readers into IzTXT and the
    // decoding of IzTXT into the grids above it.
    void EGEClick();
    void ZagTXTClick();
    void wVoprosClick();
    void IzGenerClick();
    void DekodirClick();
    // A mouse button pressed on a data row (0-based) of a grid.
    void TemaTablMouseDown(int row);
    void WopTablMouseDown(int row);
    void OtwTablMouseDown(int row);

    // True when a grid was saved during the last showing.
    bool savedSomething() const { return savedSomething_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildGrids();
    QWidget* buildTopicGroup();
    QWidget* buildQuestionGroup();
    QWidget* buildAnswerGroup();
    QWidget* buildSectionGroup();
    QWidget* buildImportGroup();
    void connectHandlers();

    // Saves one grid into its file after the warnings; true when saved.
    bool save(authoring::Grid grid);
    QPushButton* saveButton(authoring::Grid grid) const;
    // The count box beside the grid ("Тем", "Вопросов", "Ответов"); null
    // for the section and import grids.
    QLineEdit* countBox(authoring::Grid grid) const;
    int currentRow(const QTableView* view) const;
    void setCurrentRow(QTableView* view, int row);
    void showCount(authoring::Grid grid);
    // "+": the "?" row inserted at the grid's current row, which it becomes.
    void insertRowIn(authoring::Grid grid);
    // "▲" / "▼": the current question swapped by `move`, and followed.
    void moveQuestion(int (*move)(authoring::GridModel&, int));
    void showTopicName(int topicRow);
    void updateCaptions();
    // Asks for a text file and reads it with the layout's reader into IzTXT.
    void readImport(int layout);

    TForm1& form_;
    WindowSet& windows_;
    authoring::EditorGrids grids_;
    std::unique_ptr<DocumentHolder> listings_; // the editor's own documents (topic listings)
    bool savedSomething_ = false;
};

} // namespace tavel

// The editor window's handlers: opening, saving, marking, inserting,
// selecting, moving questions, pictures and the default package.
#include "authoring/windows/zagruzka.h"

#include "authoring/editor_actions.h"
#include "authoring/grid_files.h"
#include "authoring/picture_attach.h"
#include "authoring/topic_listing.h"
#include "authoring/windows/redak_wopros.h"
#include "platform/windows/hint.h"
#include "platform/windows/message_box.h"
#include "session/entry_check.h"
#include "session/windows/entry_handlers.h"
#include "session/windows/main_window.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "reports/document.h"
#include "reports/windows/document_window.h"
#include "storage/error.h"
#include "storage/install_folder.h"
#include "storage/text.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTextEdit>

namespace tavel {

using authoring::Grid;

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString rowText(int row)
{
    return QString::number(row + 1);
}

constexpr Grid kFileGrids[] = {Grid::Sections, Grid::Topics, Grid::Questions, Grid::Answers};

} // namespace

QString TZagruzka::subjectFolder() const
{
    return form_.state().subjectFolderPath();
}

QString TZagruzka::fotoFolder() const
{
    return form_.state().home.path(QStringLiteral("%1\\Foto").arg(form_.state().subjectFolder));
}

void TZagruzka::N2Click()
{
    if (!form_.entry().leaveStartScreen())
        return;
    TSysAdmin* prompt = windows_.sysAdmin.get();
    if (!prompt || !prompt->ask() || !rightsFor(form_.state().currentUser).editor)
        return;
    dialogs::execModal(this);
    // The main window's topic list and counts follow what was saved.
    if (savedSomething_)
        form_.FormActivate();
}

void TZagruzka::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored from the task bar is shown again by the desktop;
    // only the program's own showing loads it, so nothing typed is lost.
    if (!event->spontaneous())
        FormShow();
}

void TZagruzka::FormShow()
{
    savedSomething_ = false;
    QStringList damage;
    for (Grid g : kFileGrids) {
        authoring::GridModel& model = grids_.of(g);
        const QString path = subjectFolder() + u'/' + authoring::fileNameOf(g);
        int records = 0;
        bool readable = true;
        try {
            const authoring::LoadResult loaded = authoring::loadGrid(model, path);
            records = loaded.records;
            damage += loaded.damage;
        } catch (const Error& e) {
            // Shown empty; saving it would wipe the file that could not be
            // read, so its "Запомнить" waits for the next opening.
            model.clear();
            damage << e.message();
            readable = false;
        }
        saveButton(g)->setEnabled(readable);
        if (QLineEdit* count = countBox(g))
            count->setText(QString::number(records));
        view(g)->setCurrentIndex({});
        view(g)->scrollToTop();
    }
    for (QLineEdit* box : {NoTem, NoWop, ImyFile, NoOtw, KOtwWopr})
        box->clear();
    updateCaptions();
    if (!damage.isEmpty())
        dialogs::warning(this, QStringLiteral("Файлы предмета повреждены"),
                         damage.join(u'\n') + QStringLiteral("\n\nПоказано то, что удалось прочитать."));
}

bool TZagruzka::save(Grid grid)
{
    authoring::GridModel& model = grids_.of(grid);
    const QString file = authoring::fileNameOf(grid);
    const QStringList warnings = authoring::saveWarnings(model);
    if (!warnings.isEmpty()
        && !dialogs::askYesNo(this, QStringLiteral("Запомнить %1").arg(file),
                              warnings.join(u'\n') + QStringLiteral("\n\nЗаписать таблицу в файл так?")))
        return false;
    const bool saved = dialogs::guarded(this, [&] { authoring::saveGrid(model, subjectFolder() + u'/' + file); });
    savedSomething_ = savedSomething_ || saved;
    updateCaptions();
    return saved;
}

void TZagruzka::ZapRazdelClick() { save(Grid::Sections); }
void TZagruzka::ZapTemaClick() { save(Grid::Topics); }
void TZagruzka::ZapWoprClick() { save(Grid::Questions); }
void TZagruzka::ZapOtwClick() { save(Grid::Answers); }

void TZagruzka::done(int result)
{
    for (Grid g : kFileGrids) {
        authoring::GridModel& model = grids_.of(g);
        if (!model.isModified() || !saveButton(g)->isEnabled())
            continue;
        const QString file = authoring::fileNameOf(g);
        if (dialogs::askYesNo(this, QStringLiteral("Редактор закрывается"),
                              QStringLiteral("Таблица %1 изменена и не записана. Записать её в %2?")
                                  .arg(authoring::gridName(g), file))
            && !save(g))
            return; // not written: the window stays open, nothing is lost
    }
    QDialog::done(result);
}

int TZagruzka::currentRow(const QTableView* v) const
{
    const QModelIndex i = v->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TZagruzka::setCurrentRow(QTableView* v, int row)
{
    const int column = std::max(0, v->currentIndex().column());
    v->setCurrentIndex(v->model()->index(row, column));
    v->scrollTo(v->currentIndex());
}

QLineEdit* TZagruzka::countBox(Grid grid) const
{
    switch (grid) {
    case Grid::Topics:
        return KolTem;
    case Grid::Questions:
        return KolWop;
    case Grid::Answers:
        return KolOtw;
    case Grid::Sections:
    case Grid::Import:
        break;
    }
    return nullptr;
}

void TZagruzka::showCount(Grid grid)
{
    if (QLineEdit* box = countBox(grid))
        box->setText(QString::number(grids_.of(grid).rows()));
}

QPushButton* TZagruzka::saveButton(Grid grid) const
{
    switch (grid) {
    case Grid::Sections:
        return ZapRazdel;
    case Grid::Topics:
        return ZapTema;
    case Grid::Questions:
        return ZapWopr;
    case Grid::Answers:
    case Grid::Import:
        break;
    }
    return ZapOtw;
}

void TZagruzka::updateCaptions()
{
    // A grid with unsaved changes shows its "Запомнить" in bold.
    for (Grid g : kFileGrids) {
        QPushButton* button = saveButton(g);
        QFont font = button->font();
        font.setBold(grids_.of(g).isModified());
        button->setFont(font);
    }
}

void TZagruzka::TemaMinClick() { authoring::markTopic(grids_, currentRow(TemaTabl)); }
void TZagruzka::WopMinClick() { authoring::markQuestion(grids_, currentRow(WopTabl)); }
void TZagruzka::OtwMinClick() { authoring::markAnswer(grids_, currentRow(OtwTabl)); }

void TZagruzka::insertRowIn(Grid grid)
{
    QTableView* v = view(grid);
    const int row = authoring::insertQuestionMarkRow(grids_.of(grid), currentRow(v));
    if (row < 0)
        return;
    setCurrentRow(v, row);
    showCount(grid);
}

void TZagruzka::TemaPlusClick() { insertRowIn(Grid::Topics); }
void TZagruzka::WoprPlusClick() { insertRowIn(Grid::Questions); }
void TZagruzka::OtwPlusClick() { insertRowIn(Grid::Answers); }

void TZagruzka::moveQuestion(int (*move)(authoring::GridModel&, int))
{
    const int row = move(grids_.questionGrid, currentRow(WopTabl));
    if (row < 0)
        return;
    setCurrentRow(WopTabl, row);
    NoWop->setText(rowText(row));
}

void TZagruzka::Wwerh9Click() { moveQuestion(authoring::moveUp); }
void TZagruzka::Wniz9Click() { moveQuestion(authoring::moveDown); }

void TZagruzka::BitBtn2Click()
{
    authoring::onePointEverywhere(grids_);
}

void TZagruzka::showTopicName(int topicRow)
{
    if (TRedakWopros* edit = windows_.redakWopros.get())
        edit->TemaRed->setText(grids_.topicGrid.cell(topicRow, tema::TopicName));
}

void TZagruzka::TemaTablMouseDown(int row)
{
    if (row < 0 || row >= grids_.topicGrid.rows())
        return;
    showTopicName(row);
    NoTem->setText(rowText(row));
    const int question = authoring::firstQuestionOfTopic(grids_, row);
    if (question >= 0) {
        setCurrentRow(WopTabl, question);
        NoWop->setText(rowText(question));
    }
}

void TZagruzka::WopTablMouseDown(int row)
{
    if (row < 0 || row >= grids_.questionGrid.rows())
        return;
    const authoring::QuestionSelection s = authoring::selectQuestion(grids_, row);
    NoWop->setText(rowText(row));
    ImyFile->setText(s.systemNumber);
    if (s.firstAnswer >= 0) {
        setCurrentRow(OtwTabl, s.firstAnswer);
        NoOtw->setText(rowText(s.firstAnswer));
    }
    KOtwWopr->setText(QString::number(s.answerCount));
    if (s.topicRow >= 0) {
        setCurrentRow(TemaTabl, s.topicRow);
        NoTem->setText(rowText(s.topicRow));
        showTopicName(s.topicRow);
    }
}

void TZagruzka::OtwTablMouseDown(int row)
{
    if (row >= 0 && row < grids_.answerGrid.rows())
        NoOtw->setText(rowText(row));
}

void TZagruzka::BitBtn3Click()
{
    const int row = currentRow(WopTabl);
    TRedakWopros* edit = windows_.redakWopros.get();
    if (row < 0 || !edit)
        return;
    // The answers shown are always the current question's, however the row
    // was reached (keyboard moves included).
    WopTablMouseDown(row);
    edit->setWindowTitle(form_.subjectPanel->PredmetName->currentText());
    edit->KodWopr->setText(grids_.questionGrid.cell(row, wopros::QuestionNo));
    edit->Wopros->setPlainText(trimmed(grids_.questionGrid.cell(row, wopros::QuestionText)));
    edit->Ball->setText(grids_.questionGrid.cell(row, wopros::Points));
    dialogs::execModal(edit);
}

void TZagruzka::PtiwGifClick()
{
    const QString number = ImyFile->text().trimmed();
    if (number.isEmpty()) {
        dialogs::warning(this, QStringLiteral("Рисунок к вопросу"),
                         QStringLiteral("Сначала щёлкните вопрос в таблице вопросов."));
        return;
    }
    const QString folder = fotoFolder();
    if (!QFileInfo(folder).isDir()) {
        dialogs::warning(this, QStringLiteral("Создайте папку ") + native(folder),
                         QStringLiteral("В неё поместите gif или jpg иллюстрации"));
        return;
    }
    const auto chosen = dialogs::openFileName(this, QStringLiteral("Укажите рисунок, прицепляемый к вопросу ") + ImyFile->text(),
                                          folder, QStringLiteral("Входной типа  gif   jpg (*.gif *.jpg)"));
    if (!chosen)
        return;
    const QString name = authoring::pictureTargetName(*chosen, number);
    if (name.isEmpty()) {
        dialogs::warning(this, QStringLiteral("Рисунок к вопросу"),
                         QStringLiteral("Файл %1 не gif и не jpg: к вопросу привязываются только они.").arg(native(*chosen)));
        return;
    }
    const QString target = folder + u'/' + name;
    if (QFileInfo(*chosen).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
        dialogs::information(this, QStringLiteral("Рисунок к вопросу"),
                             QStringLiteral("Этот рисунок уже привязан к вопросу %1.").arg(number));
        return;
    }
    bool replace = false;
    if (QFileInfo::exists(target)) {
        replace = dialogs::askYesNo(this, QStringLiteral("Рисунок к вопросу"),
                                    QStringLiteral("У вопроса уже есть рисунок %1. Заменить его выбранным %2?")
                                        .arg(native(target), native(*chosen)));
        if (!replace)
            return;
    }
    dialogs::guarded(this, [&] {
        if (authoring::attachPicture(*chosen, target, replace) == authoring::Attached::Copied)
            dialogs::information(this, QStringLiteral("Рисунок к вопросу"),
                                 QStringLiteral("Папка рисунка закрыта для записи, поэтому рисунок скопирован в %1, "
                                                "а не перенесён.")
                                     .arg(native(target)));
    });
}

void TZagruzka::TemExamClick()
{
    const authoring::GridModel& topics = grids_.topicGrid;
    if (topics.rows() == 0)
        return;
    const authoring::GridRow last = topics.row(topics.rows() - 1);
    const QString path = subjectFolder() + QStringLiteral("/Exam.dat");
    dialogs::guarded(this, [&] {
        if (authoring::packageHasTopic(path, last.value(tema::SubjectCode), last.value(tema::TopicCode))
            && !dialogs::askYesNo(this, QStringLiteral("Тему в Экз"),
                                  QStringLiteral("Тема «%1» уже есть в пакете Exam.dat. Добавить её ещё раз?")
                                      .arg(last.value(tema::TopicName))))
            return;
        authoring::appendTopicToPackage(path, last);
        savedSomething_ = true;
    });
}

void TZagruzka::BitBtn1Click()
{
    const int row = currentRow(TemaTabl);
    if (row < 0)
        return;
    const auto gauge = [this](int done, int total) {
        Gauge1->setValue(total > 0 ? int(qint64(done) * 100 / total) : 0);
    };
    const authoring::TopicListing listing = authoring::topicListing(grids_, row, gauge);
    Document& doc = listings_->newDocument();
    const QString code = trimmed(grids_.topicGrid.cell(row, tema::TopicCode));
    doc.setTitle(QStringLiteral("Тема %1").arg(code));
    authoring::writeTopicListing(doc, listing, gauge);

    DocumentWindow::showDocument(listings_->current(), this);
}

} // namespace tavel

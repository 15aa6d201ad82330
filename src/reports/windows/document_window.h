// The document window (W7 "show"): one window per shown document, the
// document editable as in a word processor (typing, undo, bold, italic,
// underline, font size), with Print (the print dialog, and a preview), Save
// as (ODT, PDF, HTML: the format from the name typed or the filter chosen)
// and "Открыть в офисном пакете" (a temporary .odt opened with the desktop's
// program for it).
//
// The window shares the document with the holder that made it, so a new
// document in that holder (W1) leaves this one open. It is deleted when
// closed. Closing a document that was never saved or printed, or was changed
// since, asks whether to save it first.
//
// Controls (objectName): DocumentText (the editor), actions Print,
// PrintPreview, SaveAs, OpenInOffice, Bold, Italic, Underline, FontSize.
#pragma once

#include "reports/document.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QSpinBox;
class QTextEdit;

namespace tavel {

class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    // W7: shows `document` in a new window of its own, in front.
    static DocumentWindow* showDocument(std::shared_ptr<Document> document, QWidget* parent = nullptr);

    explicit DocumentWindow(std::shared_ptr<Document> document, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    const std::shared_ptr<Document>& document() const { return document_; }

    QTextEdit* DocumentText;
    QAction* Print;
    QAction* PrintPreview;
    QAction* SaveAs;
    QAction* OpenInOffice;
    QAction* Bold;
    QAction* Italic;
    QAction* Underline;
    QSpinBox* FontSize;

    // The handlers of the actions. saveAs returns true when the document was
    // saved; `format` preselects the filter (PDF when there is no printer).
    void printDocument();
    void previewDocument();
    bool saveAs(const QString& preferredFilter = {});
    void openInOfficeSuite();

    // The document has been saved or printed and not changed since.
    bool handedOut() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // False (after offering Save as PDF) when the machine has no printer.
    bool havePrinter();
    void showFormat();

    std::shared_ptr<Document> document_;
    bool handedOut_ = false;
};

} // namespace tavel

// Printing the image of a window straight on the default printer (the screen
// print of the main window, the settings window's "Печать"), without a print
// dialog, as one job of one page.
//
// The image is scaled by the ratio of the printer's to the screen's pixels
// per inch, so it comes out in the size it has on the screen; an image larger
// than the page is shrunk to fit it (proportions kept) instead of being cut.
// With no printer installed the user is told so and offered to save the same
// page as a PDF file.
//
// The page orientation is the run's: portrait until the screen print makes it
// landscape; later jobs of the run keep it.
#pragma once

#include <QPageLayout>
#include <QString>

class QImage;
class QWidget;

namespace tavel {

QPageLayout::Orientation printOrientation();
void setPrintOrientation(QPageLayout::Orientation orientation);

// Prints what `window` shows on the screen; `jobName` names the job and the
// suggested PDF file. True when the page was printed or saved as PDF; a
// failure is shown in a message box.
bool printWindowImage(QWidget* window, const QString& jobName);

// The same page written to a PDF file (atomically), in the run's orientation:
// `image` drawn as `screenDpi` pixels per inch. Throws Error naming the file.
void writeImagePdf(const QImage& image, double screenDpi, const QString& path);

namespace printing::testing {

// While one lives, the default printer is replaced: "installed" means every
// job is written into `pdfPath` as the printer's page; not installed means
// there is no printer at all.
class FakePrinter {
public:
    FakePrinter(QString pdfPath, bool installed);
    ~FakePrinter();
    FakePrinter(const FakePrinter&) = delete;
    FakePrinter& operator=(const FakePrinter&) = delete;

    const QString& pdfPath() const { return pdfPath_; }
    bool installed() const { return installed_; }
    int jobs() const { return jobs_; }
    void countJob() { ++jobs_; }

    static FakePrinter* active();

private:
    QString pdfPath_;
    bool installed_;
    int jobs_ = 0;
};

} // namespace printing::testing
} // namespace tavel

// Window images on the default printer, or in a PDF file when there is none.
#include "platform/windows/window_print.h"

#include "platform/windows/message_box.h"
#include "storage/atomic_save.h"
#include "storage/error.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace tavel {
namespace {

QPageLayout::Orientation& orientation()
{
    static QPageLayout::Orientation value = QPageLayout::Portrait;
    return value;
}

printing::testing::FakePrinter*& fakePrinter()
{
    static printing::testing::FakePrinter* fake = nullptr;
    return fake;
}

// Draws the image on the device's page: `screenDpi` pixels of the image make
// one inch of paper; larger than the printable area, it is shrunk to fit.
// Returns false when the device does not take the page.
bool paintPage(QPagedPaintDevice& device, const QImage& image, double screenDpi)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double deviceDpi = device.logicalDpiX();
    const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
    QSizeF size = logical * (deviceDpi / screenDpi);
    const QRectF page = painter.viewport();
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), size), image);
    return painter.end();
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QPageLayout::Orientation printOrientation()
{
    return orientation();
}

void setPrintOrientation(QPageLayout::Orientation value)
{
    orientation() = value;
}

void writeImagePdf(const QImage& image, double screenDpi, const QString& path)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(orientation());
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        if (!paintPage(writer, image, screenDpi))
            throw Error(QStringLiteral("Страница для файла %1 не построена").arg(shown(path)));
    }
    saveAtomically(path, buffer.data());
}

bool printWindowImage(QWidget* window, const QString& jobName)
{
    const QImage image = window->grab().toImage();
    const double screenDpi = window->logicalDpiX();
    printing::testing::FakePrinter* fake = fakePrinter();
    const bool installed = fake ? fake->installed() : !QPrinterInfo::defaultPrinterName().isEmpty();

    if (!installed) {
        const QString caption = QStringLiteral("Печать");
        if (!dialogs::askYesNo(window, caption,
                               QStringLiteral("Принтер не установлен, печатать не на чем.\n"
                                              "Сохранить эту страницу в файл PDF?")))
            return false;
        const auto path = dialogs::saveFileName(window, QStringLiteral("Сохранить страницу в PDF"),
                                                QDir::home().filePath(jobName + QStringLiteral(".pdf")),
                                                QStringLiteral("PDF (*.pdf)"));
        if (!path)
            return false;
        return dialogs::guarded(window, [&] { writeImagePdf(image, screenDpi, *path); });
    }
    if (fake) {
        fake->countJob();
        return dialogs::guarded(window, [&] { writeImagePdf(image, screenDpi, fake->pdfPath()); });
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QPrinterInfo::defaultPrinterName());
    printer.setDocName(jobName);
    printer.setPageOrientation(orientation());
    if (!paintPage(printer, image, screenDpi)) {
        dialogs::error(window, QStringLiteral("Принтер «%1» не принял задание «%2».")
                                   .arg(printer.printerName(), jobName));
        return false;
    }
    return true;
}

namespace printing::testing {

FakePrinter::FakePrinter(QString pdfPath, bool installed) : pdfPath_(std::move(pdfPath)), installed_(installed)
{
    fakePrinter() = this;
}

FakePrinter::~FakePrinter()
{
    if (fakePrinter() == this)
        fakePrinter() = nullptr;
}

FakePrinter* FakePrinter::active()
{
    return fakePrinter();
}

} // namespace printing::testing
} // namespace tavel

#include "framework/TPrinter.h"

#include "framework/TApplication.h"
#include "framework/TDC.h"
#include "framework/TMessageBox.h"
#include "framework/TPrintout.h"
#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QWidget>

namespace {

std::string& PdfFolderOverride() {
    static std::string folder;
    return folder;
}

// No run goes on for ever, whatever a printout says of its pages.
constexpr int kMostPages = 100000;

QWidget* OwnerWidget(TWindow* owner) {
    return owner && owner->Widget() ? owner->Widget()->window() : nullptr;
}

} // namespace

TPrinter::TPrinter() = default;

// The system's printing is loaded with the first QPrinter, so it is made when first needed
// and not while the program starts.
QPrinter& TPrinter::Device() {
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer;
}

TPrinter::~TPrinter() = default;

void TPrinter::SetPdfFolder(const std::string& folder) {
    PdfFolderOverride() = folder;
}

std::string TPrinter::FreePdfName(const std::string& folder, const std::string& baseName) {
    const QDir dir(TQtConvert::Text(folder));
    QString name = TQtConvert::Text(baseName) + ".pdf";
    for (int n = 2; dir.exists(name); ++n) {
        name = TQtConvert::Text(baseName) + QString(" %1.pdf").arg(n);
    }
    return TQtConvert::Text(dir.filePath(name));
}

void TPrinter::Setup(TWindow* owner, const FileCheck& check) {
    for (;;) {
        const QPrinter::OutputFormat format = Device().outputFormat();
        const QString file = Device().outputFileName();
        const QString name = Device().printerName();
        QPrintDialog dialog(&Device(), OwnerWidget(owner));
        dialog.setWindowTitle("Printer Setup");
        if (dialog.exec() != QDialog::Accepted || TApplication::TerminationRequested()) {
            return;
        }
        const bool toFile = Device().outputFormat() == QPrinter::PdfFormat;
        const std::string why =
            toFile && check ? check(TQtConvert::Text(Device().outputFileName())) : std::string();
        if (why.empty()) {
            chosenInSetup = true;
            chosenFileUnused = toFile;
            chosenFile = TQtConvert::Text(Device().outputFileName());
            return;
        }
        // The earlier choice stands until the user picks a file that may be written.
        Device().setOutputFormat(format);
        Device().setPrinterName(name);
        Device().setOutputFileName(file);
        TMessageBox::Show(owner, why, "Printer Setup", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
    }
}

void TPrinter::ChoosePdfFile(const std::string& path) {
    Device().setOutputFormat(QPrinter::PdfFormat);
    Device().setOutputFileName(TQtConvert::Text(path));
    chosenInSetup = true;
    chosenFileUnused = true;
    chosenFile = path;
}

void TPrinter::Prepare(const TPrintout& printout) {
    std::string pdfFolder = chosenInSetup ? std::string() : PdfFolderOverride();
    if (chosenInSetup && Device().outputFormat() == QPrinter::PdfFormat) {
        // The user named this file for one print: the next ones go beside it.
        const QFileInfo chosen(TQtConvert::Text(chosenFile));
        Device().setOutputFileName(TQtConvert::Text(
            chosenFileUnused ? chosenFile
                             : FreePdfName(TQtConvert::Text(chosen.absolutePath()),
                                           TQtConvert::Text(chosen.completeBaseName()))));
    } else if (pdfFolder.empty() && !chosenInSetup) {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (system.isNull()) {
            pdfFolder = TQtConvert::Text(
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
            if (pdfFolder.empty()) {
                pdfFolder = TQtConvert::Text(QDir::homePath());
            }
        } else {
            Device().setPrinterName(system.printerName());
            Device().setOutputFormat(QPrinter::NativeFormat);
        }
    }
    if (!pdfFolder.empty()) {
        QDir().mkpath(TQtConvert::Text(pdfFolder));
        Device().setOutputFormat(QPrinter::PdfFormat);
        Device().setOutputFileName(TQtConvert::Text(FreePdfName(pdfFolder, printout.PdfName())));
    }
    Device().setDocName(TQtConvert::Text(printout.Title()));
    lastToFile = Device().outputFormat() == QPrinter::PdfFormat;
    lastOutput = lastToFile ? TQtConvert::Text(Device().outputFileName())
                            : TQtConvert::Text(Device().printerName());
}

bool TPrinter::Fail(const std::string& why) {
    lastResult = Result::Failed;
    lastFailure = lastOutput + ": " + why;
    return false;
}

std::string TPrinter::WriteFile(const std::string& path, std::string_view bytes) {
    QFile file(TQtConvert::Text(path));
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return path + ": cannot be created: " + TQtConvert::Text(file.errorString());
    }
    const bool written = file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush();
    const std::string why = TQtConvert::Text(file.errorString());
    file.close();
    if (written && file.error() == QFileDevice::NoError) {
        return {};
    }
    if (!existed) {
        file.remove();
    }
    return path + ": cannot be written: " + why;
}

bool TPrinter::Print(TWindow* owner, TPrintout& printout, const PdfSink& sink) {
    Prepare(printout);
    lastPages = 0;
    lastFailure.clear();
    lastResult = Result::Printed;
    // A signal now waits for this run to end before any window goes.
    const TApplication::Busy busy;
    if (TApplication::TerminationRequested()) {
        lastResult = Result::Ended;
        return false;
    }

    // A PDF is made in memory and written once it is whole, so a run that does not finish
    // leaves no file, and a full disk is seen (the printer's own PDF output drops write
    // errors).
    QBuffer buffer;
    std::unique_ptr<QPdfWriter> pdf;
    QPagedPaintDevice* device = &Device();
    if (lastToFile) {
        buffer.open(QIODevice::WriteOnly);
        pdf = std::make_unique<QPdfWriter>(&buffer);
        pdf->setResolution(Device().resolution());
        pdf->setPageLayout(Device().pageLayout());
        pdf->setTitle(Device().docName());
        pdf->setCreator(QApplication::applicationName());
        device = pdf.get();
    }
    QPainter painter;
    if (!painter.begin(device)) {
        return Fail("the printer could not be started");
    }
    const int resolution = pdf ? pdf->resolution() : Device().resolution();
    const QRect page = device->pageLayout().paintRectPixels(resolution);
    TDC dc(painter, resolution, resolution, TSize{page.width(), page.height()});

    QProgressDialog progress("Printing", "Cancel", 0, 0, OwnerWidget(owner));
    progress.setWindowTitle("Printing");
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    progress.show();

    int minPage = 1;
    int maxPage = 1;
    int selFrom = 0;
    int selTo = 0;
    printout.GetDialogInfo(minPage, maxPage, selFrom, selTo);
    printout.SetPrintParams(&dc, TSize{page.width(), page.height()});
    printout.BeginPrinting();
    printout.BeginDocument(minPage, maxPage, 0);
    for (int n = 1; n <= kMostPages && printout.HasPage(n); ++n) {
        progress.setLabelText(
            QString("Printing page %1 of \"%2\"").arg(n).arg(TQtConvert::Text(printout.Title())));
        QApplication::processEvents();
        if (TApplication::TerminationRequested()) {
            lastResult = Result::Ended;
            break;
        }
        if (progress.wasCanceled()) {
            lastResult = Result::Cancelled;
            break;
        }
        if (n > 1 && !device->newPage()) {
            Fail("stopped at page " + std::to_string(n));
            break;
        }
        dc.RestoreDC(1);
        dc.SaveDC();
        TRect band{0, 0, page.width(), page.height()};
        printout.PrintPage(n, band, 0);
        lastPages = n;
    }
    printout.EndDocument();
    printout.EndPrinting();
    // A print that ends early must not reach paper: a printer job is withdrawn.
    if (lastResult != Result::Printed && !pdf) {
        Device().abort();
    }
    const bool ended = painter.end();
    progress.close();
    if (lastResult == Result::Printed && lastPages == 0) {
        lastResult = Result::Cancelled; // nothing to print
    }
    if (lastResult != Result::Printed) {
        return false;
    }
    if (!pdf) {
        if (!ended || Device().printerState() == QPrinter::Error) {
            return Fail("reported an error");
        }
        return true;
    }
    const std::string_view bytes(buffer.data().constData(),
                                 static_cast<std::size_t>(buffer.data().size()));
    const std::string why = sink ? sink(bytes) : WriteFile(lastOutput, bytes);
    if (!why.empty()) {
        lastResult = Result::Failed;
        lastFailure = why;
        return false;
    }
    chosenFileUnused = false;
    return true;
}

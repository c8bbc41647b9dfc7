#include "framework/TPrinter.h"

#include "framework/TDC.h"
#include "framework/TMessageBox.h"
#include "framework/TPrintout.h"
#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
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

TPrinter::TPrinter() : printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

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

void TPrinter::Setup(TWindow* owner) {
    QPrintDialog dialog(printer.get(), OwnerWidget(owner));
    dialog.setWindowTitle("Printer Setup");
    if (dialog.exec() == QDialog::Accepted) {
        chosenInSetup = true;
        chosenFileUnused = printer->outputFormat() == QPrinter::PdfFormat;
    }
}

void TPrinter::ChoosePdfFile(const std::string& path) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(TQtConvert::Text(path));
    chosenInSetup = true;
    chosenFileUnused = true;
}

bool TPrinter::Print(TWindow* owner, TPrintout& printout) {
    lastPages = 0;
    std::string pdfFolder = chosenInSetup ? std::string() : PdfFolderOverride();
    if (chosenInSetup && printer->outputFormat() == QPrinter::PdfFormat) {
        if (!chosenFileUnused) {
            // The user named this file for one print: the next ones go beside it.
            const QFileInfo chosen(printer->outputFileName());
            printer->setOutputFileName(
                TQtConvert::Text(FreePdfName(TQtConvert::Text(chosen.absolutePath()),
                                             TQtConvert::Text(chosen.completeBaseName()))));
        }
        chosenFileUnused = false;
    } else if (pdfFolder.empty() && !chosenInSetup) {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (system.isNull()) {
            pdfFolder = TQtConvert::Text(
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
            if (pdfFolder.empty()) {
                pdfFolder = TQtConvert::Text(QDir::homePath());
            }
        } else {
            printer->setPrinterName(system.printerName());
            printer->setOutputFormat(QPrinter::NativeFormat);
        }
    }
    if (!pdfFolder.empty()) {
        QDir().mkpath(TQtConvert::Text(pdfFolder));
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(TQtConvert::Text(FreePdfName(pdfFolder, printout.PdfName())));
    }
    printer->setDocName(TQtConvert::Text(printout.Title()));
    lastToFile = printer->outputFormat() == QPrinter::PdfFormat;
    lastOutput = lastToFile ? TQtConvert::Text(printer->outputFileName())
                            : TQtConvert::Text(printer->printerName());

    QPainter painter;
    if (!painter.begin(printer.get())) {
        TMessageBox::Show(owner, "The printer could not be started:\n" + lastOutput,
                          "Printer error", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        return false;
    }
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    TDC dc(painter, printer->resolution(), printer->resolution(),
           TSize{page.width(), page.height()});

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
    bool cancelled = false;
    for (int n = 1; n <= kMostPages && printout.HasPage(n); ++n) {
        progress.setLabelText(
            QString("Printing page %1 of \"%2\"").arg(n).arg(TQtConvert::Text(printout.Title())));
        QApplication::processEvents();
        if (progress.wasCanceled()) {
            cancelled = true;
            break;
        }
        if (n > 1 && !printer->newPage()) {
            TMessageBox::Show(owner, "The printer stopped at page " + std::to_string(n) + ".",
                              "Printer error", TMessageBox::Buttons::Ok,
                              TMessageBox::Icon::Exclamation);
            cancelled = true;
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
    if (cancelled) {
        printer->abort();
    }
    painter.end();
    progress.close();
    return !cancelled && lastPages > 0;
}

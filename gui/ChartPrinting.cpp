// Printing through QPrinter and its dialogs, and the export of chart files.
#include "gui/ChartPrinting.h"

#include "app/CMChartViewModel.h"
#include "app/ChartFiles.h"
#include "app/CommandIds.h"
#include "chart/qt/CMQtDC.h"
#include "chart/qt/ChartExport.h"
#include "chart/qt/TextBytes.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace C = CommandId;

namespace {

QString FromBytes(const CMString& text)
{
    return TextFromBytes(text.View());
}

void WriteOutput(IMCompileShell& output, const QString& line)
{
    output.WriteOutput(CMString(line.toUtf8().toStdString()));
}

struct ExportKind {
    CMChartFormat format;
    const char* extension;
    const char* filter;
};

ExportKind ExportKindOf(int command)
{
    switch (command) {
    case C::FileExportPng: return {CMChartFormat::Png, "png", "PNG pictures (*.png)"};
    case C::FileExportSvg: return {CMChartFormat::Svg, "svg", "SVG drawings (*.svg)"};
    default: return {CMChartFormat::Pdf, "pdf", "PDF documents (*.pdf)"};
    }
}

// Page n of a picture series: the chosen name for page 1, "name-n.ext" after it.
QString PagePath(const QString& path, int page)
{
    if (page == 1)
        return path;
    const QFileInfo file(path);
    return file.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(file.completeBaseName()).arg(page).arg(file.suffix()));
}

}  // namespace

CChartPrinter::CChartPrinter(CMChartViewModel& model, QWidget* parent)
    : m_model(model), m_parent(parent)
{
}

CChartPrinter::~CChartPrinter() = default;

QPrinter& CChartPrinter::Printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::Letter));
        // The chart keeps its own half-inch margin from the sheet's edge.
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

bool CChartPrinter::PrintPages(QPrinter& printer, CMChartViewModel& model)
{
    const int count = model.PageCount();
    int first = 1;
    int last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(count, printer.toPage());
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        model.DrawChart(std::make_unique<CMQtDC>(painter, printer.resolution(), 1.0, true), page);
    }
    return painter.end();
}

void CChartPrinter::Run(int command)
{
    Printer().setDocName(FromBytes(m_model.Document().GetTitle()));
    switch (command) {
    case C::FilePrint: Print(); break;
    case C::FileQuickPrint: QuickPrint(); break;
    case C::FilePrintPreview: Preview(); break;
    case C::FilePrintSetup: Setup(); break;
    default: break;
    }
}

void CChartPrinter::Print()
{
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, m_model.PageCount());
    if (dialog.exec() == QDialog::Accepted && !PrintPages(printer, m_model))
        QMessageBox::warning(
            m_parent, QObject::tr("Print"),
            QObject::tr("The printer '%1' could not be started.").arg(printer.printerName()));
}

void CChartPrinter::QuickPrint()
{
    QPrinter& printer = Printer();
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        QMessageBox::information(m_parent, QObject::tr("Quick Print"),
                                 QObject::tr("No printer is set up. Print lets you print into a "
                                             "PDF file; Export as PDF writes one at once."));
        return;
    }
    printer.setPrintRange(QPrinter::AllPages);
    if (!PrintPages(printer, m_model))
        QMessageBox::warning(
            m_parent, QObject::tr("Quick Print"),
            QObject::tr("The printer '%1' could not be started.").arg(printer.printerName()));
}

void CChartPrinter::Preview()
{
    QPrinter& printer = Printer();
    printer.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&printer, m_parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, m_parent,
                     [this](QPrinter* shown) { PrintPages(*shown, m_model); });
    preview.resize(m_parent->window()->size() * 0.9);
    preview.exec();
}

void CChartPrinter::Setup()
{
    QPageSetupDialog dialog(&Printer(), m_parent);
    dialog.exec();
}

void ExportChartFiles(int command, CMChartViewModel& model, IMCompileShell& output, QWidget* parent)
{
    const ExportKind kind = ExportKindOf(command);
    const CMSongDocument& document = model.Document();
    const QString title =
        document.GetTitle().IsEmpty() ? QStringLiteral("Untitled") : FromBytes(document.GetTitle());
    const QString folder = document.GetPath().IsEmpty()
                               ? QDir::currentPath()
                               : QFileInfo(FromBytes(document.GetPath())).absolutePath();
    QString path = QFileDialog::getSaveFileName(
        parent, QObject::tr("Export the lead sheet"),
        QDir(folder).filePath(title + QLatin1Char('.') + QLatin1String(kind.extension)),
        QObject::tr(kind.filter));
    if (path.isEmpty())
        return;
    if (ChartFormatOf(path) != kind.format)
        path += QLatin1Char('.') + QLatin1String(kind.extension);
    const int pages = kind.format == CMChartFormat::Pdf ? 1 : model.PageCount();
    for (int page = 1; page <= pages; ++page) {
        CMChartExportOptions options = ChartExportOptionsFor(model.Choices());
        options.page = kind.format == CMChartFormat::Pdf ? 0 : page;
        const QString target = PagePath(path, page);
        QString error;
        bool written = false;
        if (document.IsSongFile(QFile::encodeName(target).constData()))
            error = QObject::tr("it is the song itself; choose another file");
        else
            written = ExportChart(document.GetSong(), model.Renderer(), options, target, error);
        if (!written) {
            const QString message = QObject::tr("Cannot write '%1': %2").arg(target, error);
            WriteOutput(output, QStringLiteral("Error : ") + message);
            QMessageBox::warning(parent, QObject::tr("Export"), message);
            return;
        }
    }
    const int written = kind.format == CMChartFormat::Pdf ? model.PageCount() : pages;
    WriteOutput(output, QObject::tr("The lead sheet has been written to '%1' (%2 %3)")
                            .arg(QDir::toNativeSeparators(path))
                            .arg(written)
                            .arg(written == 1 ? QObject::tr("page") : QObject::tr("pages")));
}

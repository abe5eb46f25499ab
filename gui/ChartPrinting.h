// Printing and exporting the chart: the printer the view keeps between commands (Print Setup's
// choices last until the program ends), every page drawn on it at true size, the Print, Quick
// Print, Print Preview and Print Setup commands, and the chart written to PDF, PNG or SVG files
// by the code that zimbrel-cli chart uses.
#pragma once

#include <memory>

class CMChartViewModel;
class IMCompileShell;
class QPrinter;
class QWidget;

class CChartPrinter {
public:
    CChartPrinter(CMChartViewModel& model, QWidget* parent);
    ~CChartPrinter();
    CChartPrinter(const CChartPrinter&) = delete;
    CChartPrinter& operator=(const CChartPrinter&) = delete;

    // Print, Quick Print, Print Preview or Print Setup, by command identifier.
    void Run(int command);
    // The printer, made at its first use (asking the print system can take a moment).
    QPrinter& Printer();

    // Draws the chart's pages on `printer`: every page, or the range it was given. False when
    // the printer could not be started.
    static bool PrintPages(QPrinter& printer, CMChartViewModel& model);

private:
    void Print();
    void QuickPrint();
    void Preview();
    void Setup();

    CMChartViewModel& m_model;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

// Export as PDF, PNG or SVG (by command identifier): asks for a file and writes every page
// there (PNG and SVG pages after the first get "-2", "-3" ... before the extension); the outcome
// goes to "Output", and a failure also to a message box.
void ExportChartFiles(int command, CMChartViewModel& model, IMCompileShell& output,
                      QWidget* parent);

// Export as MusicXML and Export Songbook: see SongExchange.h.
#include "gui/SongExchange.h"

#include "app/CMChartViewModel.h"
#include "app/ChartFiles.h"
#include "chart/qt/TextBytes.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

namespace {

void WriteOutput(IMCompileShell& output, const QString& line)
{
    output.WriteOutput(CMString(line.toUtf8().toStdString()));
}

QString DocumentFolder(const CMSongDocument& document)
{
    return document.GetPath().IsEmpty()
               ? QDir::currentPath()
               : QFileInfo(TextFromBytes(document.GetPath().View())).absolutePath();
}

// What the worker draws from: the songs compiled and the chart's settings, copied so that the
// window may change its own while the book is drawn.
struct SongbookJob {
    explicit SongbookJob(const CMChartSettings& chart) : chart(chart) {}

    CMChartSettings chart;
    CMZimbrelIni settings;
    CMChartViewRequest view;
    CMSongbookOptions options;
    std::vector<std::string> files;
    QString path;
    std::atomic<bool> cancelled{false};
    // Results, read after the worker ended.
    bool written = false;
    QString error;
    std::vector<std::string> leftOut;
    std::size_t songCount = 0;
};

// The worker's work: compile the songs, then draw the book.
void RunSongbookJob(SongbookJob& job, const std::function<void(int)>& progress)
{
    std::vector<std::unique_ptr<CMSongDocument>> documents;
    std::vector<CMSongbookSong> book;
    for (const std::string& file : job.files) {
        auto document = std::make_unique<CMSongDocument>();
        CMString ignored;
        if (!document->Open(file.c_str(), ignored) || !document->IsCompiled()) {
            job.leftOut.push_back(file);
            continue;
        }
        const CMMusicSong& song = document->GetSong();
        book.push_back({&song, QString::fromStdString(SongTitleOf(song)),
                        ChooseChartView(job.settings, song, job.view).tempo});
        documents.push_back(std::move(document));
    }
    job.songCount = book.size();
    if (book.empty()) {
        job.error = QObject::tr("no song in Data compiles");
        return;
    }
    CMMusicDC renderer(nullptr, job.chart);
    job.written = ExportSongbook(book, renderer, job.options, job.path, job.error,
                                 [&job, &progress](std::size_t done, std::size_t) {
                                     progress(static_cast<int>(done));
                                     return !job.cancelled.load();
                                 });
}

void ReportSongbook(const SongbookJob& job, IMCompileShell& output, QWidget* parent)
{
    for (const std::string& file : job.leftOut)
        WriteOutput(output, QObject::tr("'%1' does not compile and is left out of the book")
                                .arg(QString::fromStdString(file)));
    if (job.cancelled.load()) {
        WriteOutput(output, QObject::tr("The songbook was cancelled; nothing was written"));
        return;
    }
    if (!job.written) {
        const QString message = QObject::tr("Cannot write '%1': %2").arg(job.path, job.error);
        WriteOutput(output, QStringLiteral("Error : ") + message);
        if (parent)
            QMessageBox::warning(parent, QObject::tr("Export Songbook"), message);
        return;
    }
    WriteOutput(output, QObject::tr("The songbook of %1 %2 has been written to '%3'")
                            .arg(job.songCount)
                            .arg(job.songCount == 1 ? QObject::tr("song") : QObject::tr("songs"))
                            .arg(QDir::toNativeSeparators(job.path)));
}

}  // namespace

void ExportMusicXmlFile(CMChartViewModel& model, IMCompileShell& output, QWidget* parent)
{
    const CMSongDocument& document = model.Document();
    const QString title = document.GetTitle().IsEmpty() ? QStringLiteral("Untitled")
                                                        : TextFromBytes(document.GetTitle().View());
    QString path = QFileDialog::getSaveFileName(
        parent, QObject::tr("Export the song as MusicXML"),
        QDir(DocumentFolder(document)).filePath(title + QStringLiteral(".musicxml")),
        QObject::tr("MusicXML scores (*.musicxml *.xml)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".musicxml"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        path += QStringLiteral(".musicxml");
    std::string error;
    if (!ExportShownSong(document, model.Settings(), model.GetTranspose(),
                         QFile::encodeName(path).toStdString(), output, error)) {
        const QString message =
            QObject::tr("Cannot write '%1': %2").arg(path, QString::fromStdString(error));
        WriteOutput(output, QStringLiteral("Error : ") + message);
        QMessageBox::warning(parent, QObject::tr("Export"), message);
    }
}

void ExportSongbookFile(CMChartViewModel& model, IMCompileShell& output, QWidget* parent)
{
    const std::vector<std::string> files = SongbookSongFiles("Data");
    if (files.empty()) {
        QMessageBox::information(parent, QObject::tr("Export Songbook"),
                                 QObject::tr("There are no songs in '%1' to put in a book.")
                                     .arg(QDir::current().filePath(QStringLiteral("Data"))));
        return;
    }
    QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Export the songbook"),
                                                QDir::current().filePath("Songbook.pdf"),
                                                QObject::tr("PDF documents (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");

    auto job = std::make_shared<SongbookJob>(model.ChartSettings());
    job->settings = model.Settings();
    job->view.transposition = model.GetTranspose();
    const CMChartViewChoices choices = model.Choices();
    const CMExportKey key = ExportKeyFor(job->settings, std::nullopt, model.GetTranspose());
    job->options = SongbookOptionsFor(choices, key, QFileInfo(path).completeBaseName(), false);
    job->chart.chordStyle = choices.chordStyle;
    job->files = files;
    job->path = path;

    auto* dialog =
        new QProgressDialog(QObject::tr("Drawing the songbook..."), QObject::tr("Cancel"), 0,
                            static_cast<int>(files.size()), parent);
    dialog->setWindowTitle(QObject::tr("Export Songbook"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QProgressDialog> shown(dialog);
    QObject::connect(dialog, &QProgressDialog::canceled, dialog,
                     [job] { job->cancelled.store(true); });
    QThread* worker = QThread::create([job, shown] {
        RunSongbookJob(*job, [shown](int done) {
            QMetaObject::invokeMethod(
                shown,
                [shown, done] {
                    if (shown)
                        shown->setValue(done);
                },
                Qt::QueuedConnection);
        });
    });
    // The window outlives the worker's result; the dialog may be gone when it comes.
    QObject::connect(worker, &QThread::finished, parent, [job, &output, shown, worker, parent] {
        worker->deleteLater();
        ReportSongbook(*job, output, parent);
        if (shown)
            shown->close();
    });
    worker->start();
    dialog->show();
}

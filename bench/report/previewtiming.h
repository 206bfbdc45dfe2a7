#pragma once

#include <QString>

#include <filesystem>

// The customer list report as the menu starts it, with its progress window and its preview,
// offscreen: when the preview first shows a page, when the last page has arrived, and when
// "PDF speichern" has written every page. Seconds from the start of the procedure; -1 for a
// moment that never came.
struct PreviewTiming
{
    double firstPage = -1;
    double lastPage = -1;
    double pdfSaved = -1;
    // Processor time of the process until the PDF was written.
    double pdfSavedCpu = -1;
    int pages = 0;
};

// Processor seconds this process has used so far.
double processCpuSeconds();

PreviewTiming timePreview(const std::filesystem::path &folder, const QString &pdfFile);

// File > Print: the print dialog over the main window's analysis, then the
// chosen reports printed as one job on the printer the print dialog of the
// system gives, or into one PDF file.
#pragma once

#include <QString>

namespace malvex {

class TApdEditForm;

// Opens the print dialog of `window` and prints what it chooses; false
// when nothing was printed (the dialog or the file choice was cancelled,
// the job failed or was cancelled).
bool PrintFromWindow(TApdEditForm& window);

// Prints the reports the settings check into the PDF file `file`, without
// a dialog; false when the file could not be written.
bool PrintWindowToPdf(TApdEditForm& window, const QString& file);

}  // namespace malvex

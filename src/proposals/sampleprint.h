#pragma once

class AppContext;

// Where a document goes: the printer (through the print dialog), the preview
// window, or a PDF file the user names.
enum class DocumentOutput { Printer, Preview, Pdf };

// The setup screen's "Print Sample": the adjusted logo and the five boxes of
// a proposal page in the print settings of the moment (font, colours, the
// colour option), saved or not. False when nothing was printed or saved.
bool PrintSettingsSample(AppContext& ctx, DocumentOutput output);
